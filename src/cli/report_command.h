// korvex-cli report: the worked report of a list of calculations.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korvex {

int RunReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace korvex
