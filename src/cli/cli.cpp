#include "cli/cli.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string_view>

#include "cli/cli_io.h"
#include "cli/report_command.h"
#include "cli/usage.h"

#ifndef KORVEX_VERSION
#error "KORVEX_VERSION is the CMake project version, set by src/cli/CMakeLists.txt"
#endif

namespace korvex {

namespace {

struct CommandHelp {
  const char* name;
  std::string (*help)();
};

constexpr CommandHelp kCommandHelps[] = {
    {"solve", SolveHelp},
    {"plot", PlotHelp},
    {"bench", BenchHelp},
    {"report", ReportHelp},
};

// A command's synopsis lined up under the first one's "usage:".
std::string Continued(std::string usage) {
  constexpr std::string_view kLead = "usage: ";
  if (usage.starts_with(kLead)) usage.replace(0, kLead.size(), kLead.size(), ' ');
  return usage;
}

std::string ProgramUsage() {
  return SolveUsage() + Continued(PlotUsage()) + Continued(BenchUsage()) +
         Continued(ReportUsage()) +
         "       korvex-cli help [COMMAND]\n"
         "       korvex-cli --help | --version\n";
}

std::string ProgramHelp() {
  return ProgramUsage() +
         "\n"
         "The calculator without windows, for scripts and for checking results. It\n"
         "reads the same data folder as the desktop program.\n"
         "\n"
         "commands:\n"
         "  solve    solve expressions and print their answers\n"
         "  plot     sample an expression over the plot range\n"
         "  bench    run the benchmark plots and print the score\n"
         "  report   write the steps, answers and graphs of expressions as a report\n"
         "  help     print this help, or a command's usage and options\n"
         "\n"
         "options:\n"
         "  -h, --help    print this help\n"
         "  --version     print the version and the data folder in use\n"
         "\n"
         "'korvex-cli help COMMAND' or 'korvex-cli COMMAND --help' describes the\n"
         "options of a command.\n";
}

int PrintHelp(const std::vector<std::string>& topics, std::ostream& out, std::ostream& err) {
  if (topics.empty()) {
    out << ProgramHelp();
    return kExitOk;
  }
  if (topics.size() == 1)
    for (const CommandHelp& command : kCommandHelps)
      if (topics[0] == command.name) {
        out << command.help();
        return kExitOk;
      }
  const std::string problem =
      topics.size() == 1 ? "no command '" + topics[0] + "'" : std::string("help takes one command");
  err << "korvex-cli: " << problem << '\n' << ProgramUsage();
  return kExitUsage;
}

int PrintVersion(std::ostream& out, std::ostream& err) {
  out << "korvex-cli " << KORVEX_VERSION << '\n';
  // The folder a command would use without --data-dir; the commands read
  // its `bin`.
  const std::optional<std::filesystem::path> folder = ChooseDataDir(std::nullopt, err);
  if (!folder) return kExitUsage;
  out << "data folder: " << (*folder / "bin").string() << '\n';
  return kExitOk;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
  if (args.empty()) {
    err << ProgramUsage();
    return kExitUsage;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "solve") return RunSolveCommand(rest, in, out, err);
  if (args[0] == "plot") return RunPlotCommand(rest, out, err);
  if (args[0] == "bench") return RunBenchCommand(rest, out, err);
  if (args[0] == "report") return RunReportCommand(rest, out, err);
  if (args[0] == "help") return PrintHelp(rest, out, err);
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "--version") {
    if (!rest.empty()) {
      err << "korvex-cli: " << args[0] << " takes no arguments\n" << ProgramUsage();
      return kExitUsage;
    }
    return args[0] == "--version" ? PrintVersion(out, err) : PrintHelp({}, out, err);
  }
  if (args[0].starts_with('-'))
    err << "korvex-cli: unknown option '" << args[0] << "'\n";
  else
    err << "korvex-cli: unknown command '" << args[0] << "'\n";
  err << ProgramUsage();
  return kExitUsage;
}

}  // namespace korvex
