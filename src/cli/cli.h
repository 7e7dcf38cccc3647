// Entry point of korvex-cli, callable in-process by the tests.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace korvex {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
// Stopped by Ctrl+C, as shells report a process ended by SIGINT.
inline constexpr int kExitInterrupted = 130;

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

int RunSolveCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err);

int RunPlotCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

int RunBenchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace korvex
