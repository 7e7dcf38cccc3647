// korvex-cli solve: solves expressions from the arguments or standard input.
#include <iostream>
#include <string>

#include <unistd.h>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "engine/arithmetic.h"
#include "settings/line_file.h"

namespace korvex {
namespace {

struct SolveOptions {
  std::string data_dir;
  bool steps = false;
  bool raw = false;
  VariableTable command_line_variables;
  std::vector<std::string> expressions;
};

constexpr const char* kSolveUsage =
    "usage: korvex-cli solve [--data-dir DIR] [--steps] [--raw] [--var NAME=EXPR]... [--] "
    "[EXPR...]\n";

std::optional<SolveOptions> ParseSolveOptions(const std::vector<std::string>& args,
                                              std::ostream& err) {
  SolveOptions options;
  options.data_dir = DefaultDataDir();
  ArgumentCursor cursor(args);
  bool options_ended = false;
  while (!cursor.done()) {
    const std::string arg = cursor.next();
    if (options_ended || arg.size() < 2 || arg[0] != '-' || arg[1] != '-') {
      options.expressions.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
    } else if (arg == "--steps") {
      options.steps = true;
    } else if (arg == "--raw") {
      options.raw = true;
    } else if (arg == "--data-dir" || arg == "--var") {
      const auto value = cursor.value();
      if (!value) {
        err << "korvex-cli: " << arg << " needs a value\n" << kSolveUsage;
        return std::nullopt;
      }
      if (arg == "--data-dir") {
        options.data_dir = *value;
      } else {
        const size_t equals = value->find('=');
        if (equals == std::string::npos || equals == 0) {
          err << "korvex-cli: --var needs NAME=EXPR\n" << kSolveUsage;
          return std::nullopt;
        }
        options.command_line_variables.push_back({value->substr(0, equals), value->substr(equals + 1)});
      }
    } else {
      err << "korvex-cli: unknown option '" << arg << "'\n" << kSolveUsage;
      return std::nullopt;
    }
  }
  return options;
}

// One expression: steps, then the answer line. False when it failed.
bool SolveOne(Engine& engine, const std::string& text, const SolveOptions& options,
              std::ostream& out, std::ostream& err) {
  bool solved = false;
  try {
    solved = engine.Solve(text);
  } catch (const std::exception& failure) {
    out.flush();
    err << GeneralFailureText(failure.what()) << '\n';
    err.flush();
    return false;
  }
  if (options.steps)
    for (const std::string& step : engine.steps()) out << step << '\n';
  if (!solved) return false;
  const long double answer = *StrToFloat(engine.tokens()[0]);
  engine.set_stored_answer(answer);
  if (options.raw)
    out << FloatToStr(answer, engine.decimal_separator()) << '\n';
  else
    out << "= " << FloatToStr(answer) << '\n';
  return true;
}

}  // namespace

int RunSolveCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
  const auto options = ParseSolveOptions(args, err);
  if (!options) return kExitUsage;

  CalculatorSetup setup(options->data_dir);
  StreamMessages messages(out, err);
  if (!GetDatabase(setup.data, setup.catalogues, messages)) return kExitUsage;
  setup.variables = options->command_line_variables;
  if (const auto lines = ReadLines(setup.data.File("var.ini"))) {
    const VariableTable file_rows = ParseVariableLines(*lines);
    setup.variables.insert(setup.variables.end(), file_rows.begin(), file_rows.end());
  }

  StreamErrorSink errors(out, err);
  Engine engine(errors);
  engine.environment().functions = &setup.catalogues.functions;
  engine.environment().constants = &setup.catalogues.constants;
  engine.environment().variables = &setup.variables;

  bool all_ok = true;
  if (!options->expressions.empty()) {
    for (const std::string& text : options->expressions)
      all_ok = SolveOne(engine, text, *options, out, err) && all_ok;
  } else {
    const bool interactive = &in == &std::cin && ::isatty(STDIN_FILENO);
    std::string line;
    while (true) {
      if (interactive) out << "> " << std::flush;
      if (!std::getline(in, line)) break;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.find_first_not_of(' ') == std::string::npos) continue;
      all_ok = SolveOne(engine, line, *options, out, err) && all_ok;
      out.flush();
    }
    if (interactive) out << '\n';
  }
  out.flush();
  return all_ok ? kExitOk : kExitFailed;
}

}  // namespace korvex
