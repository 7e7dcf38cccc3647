#include "cli/cli.h"

#include <ostream>

namespace korvex {

namespace {

constexpr const char* kUsage =
    "usage: korvex-cli solve [--data-dir DIR] [--steps] [--raw] [--var NAME=EXPR]... [EXPR...]\n";

}  // namespace

std::string GeneralFailureText(const std::string& text) {
  if (!text.empty() && text.back() > '.') return text + ".";
  return text;
}

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
  if (args.empty()) {
    err << kUsage;
    return kExitUsage;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "solve") return RunSolveCommand(rest, in, out, err);
  err << "korvex-cli: unknown command '" << args[0] << "'\n" << kUsage;
  return kExitUsage;
}

}  // namespace korvex
