#include "cli/cli.h"

#include <ostream>

namespace korvex {

namespace {

constexpr const char* kUsage =
    "usage: korvex-cli solve [--data-dir DIR] [--steps] [--raw] [--var NAME=EXPR]... [EXPR...]\n"
    "       korvex-cli plot [--data-dir DIR] [--variable V] [--start A] [--stop B]\n"
    "                       [--increment C] [--derivative] [--epsilon E]\n"
    "                       [--table | --stats | --csv] EXPR\n"
    "       korvex-cli bench [--data-dir DIR]\n";

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
  if (args.empty()) {
    err << kUsage;
    return kExitUsage;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "solve") return RunSolveCommand(rest, in, out, err);
  if (args[0] == "plot") return RunPlotCommand(rest, out, err);
  if (args[0] == "bench") return RunBenchCommand(rest, out, err);
  err << "korvex-cli: unknown command '" << args[0] << "'\n" << kUsage;
  return kExitUsage;
}

}  // namespace korvex
