// The usage texts of korvex-cli. Each command defines its own beside its
// option parser, so the two change together; the dispatcher combines them.
#pragma once

#include <string>

namespace korvex {

// The synopsis, "usage: korvex-cli COMMAND ...", printed after a usage error.
std::string SolveUsage();
std::string PlotUsage();
std::string BenchUsage();
std::string ReportUsage();

// The synopsis, what the command does and one line per option, printed by
// `korvex-cli help COMMAND` and `korvex-cli COMMAND --help`.
std::string SolveHelp();
std::string PlotHelp();
std::string BenchHelp();
std::string ReportHelp();

}  // namespace korvex
