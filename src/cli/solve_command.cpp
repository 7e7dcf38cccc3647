// korvex-cli solve: solves expressions from the arguments or standard input
// and prints what the answer box would show.
#include <iostream>
#include <map>
#include <string>

#include <unistd.h>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "output/show_answer.h"
#include "output/thousands_separator.h"

namespace korvex {
namespace {

// Options that override the mask and general settings for one call.
struct AnswerOverrides {
  std::optional<std::string> prefix, mask, suffix;
  std::optional<int> number_system, precision;
  bool scientific = false;
  bool point = false;

  void ApplyTo(MaskSettings& mask_settings, GeneralSettings& general) const {
    if (prefix) mask_settings.prefix = *prefix;
    if (mask) mask_settings.mask = *mask;
    if (suffix) mask_settings.suffix = *suffix;
    if (number_system) general.number_system = *number_system;
    if (precision) general.precision = *precision;
    if (scientific) general.scientific = true;
    if (point) general.point = true;
  }
};

struct SolveOptions {
  std::string data_dir;
  bool steps = false;
  bool raw = false;
  VariableTable command_line_variables;
  AnswerOverrides overrides;
  std::vector<std::string> expressions;
};

constexpr const char* kSolveUsage =
    "usage: korvex-cli solve [--data-dir DIR] [--steps] [--raw] [--var NAME=EXPR]...\n"
    "                        [--prefix TEXT] [--mask TEXT] [--suffix TEXT]\n"
    "                        [--system hex|dec|oct|quat|bin] [--precision N] [--scientific]\n"
    "                        [--point] [--] [EXPR...]\n";

const std::map<std::string, int> kSystems = {
    {"hex", 0}, {"dec", 1}, {"oct", 2}, {"quat", 3}, {"bin", 4}};

std::optional<SolveOptions> ParseSolveOptions(const std::vector<std::string>& args,
                                              std::ostream& err) {
  SolveOptions options;
  options.data_dir = DefaultDataDir();
  ArgumentCursor cursor(args);
  bool options_ended = false;
  auto usage_error = [&](const std::string& text) {
    err << "korvex-cli: " << text << '\n' << kSolveUsage;
    return std::nullopt;
  };
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
    } else if (arg == "--scientific") {
      options.overrides.scientific = true;
    } else if (arg == "--point") {
      options.overrides.point = true;
    } else if (arg == "--data-dir" || arg == "--var" || arg == "--prefix" || arg == "--mask" ||
               arg == "--suffix" || arg == "--system" || arg == "--precision") {
      const auto value = cursor.value();
      if (!value) return usage_error(arg + " needs a value");
      if (arg == "--data-dir") {
        options.data_dir = *value;
      } else if (arg == "--var") {
        const size_t equals = value->find('=');
        if (equals == std::string::npos || equals == 0) return usage_error("--var needs NAME=EXPR");
        options.command_line_variables.push_back({value->substr(0, equals), value->substr(equals + 1)});
      } else if (arg == "--prefix") {
        options.overrides.prefix = *value;
      } else if (arg == "--mask") {
        options.overrides.mask = *value;
      } else if (arg == "--suffix") {
        options.overrides.suffix = *value;
      } else if (arg == "--system") {
        const auto system = kSystems.find(*value);
        if (system == kSystems.end()) return usage_error("--system takes hex, dec, oct, quat or bin");
        options.overrides.number_system = system->second;
      } else {
        const auto precision = StrToFloat(*value);
        if (!precision || *precision != static_cast<int>(*precision) || *precision < 8 || *precision > 64)
          return usage_error("--precision takes a whole number from 8 to 64");
        options.overrides.precision = static_cast<int>(*precision);
      }
    } else {
      return usage_error("unknown option '" + arg + "'");
    }
  }
  return options;
}

void PrintGeneralFailure(const std::string& text, std::ostream& out, std::ostream& err) {
  out.flush();
  err << GeneralFailureText(text) << '\n';
  err.flush();
}

// One expression: steps, then the answer line. False when it failed.
bool SolveOne(Engine& engine, const CalculatorSetup& setup, const std::string& text,
              const SolveOptions& options, std::ostream& out, std::ostream& err) {
  bool solved = false;
  try {
    solved = engine.Solve(text);
  } catch (const std::exception& failure) {
    PrintGeneralFailure(failure.what(), out, err);
    return false;
  }
  if (options.steps)
    for (const std::string& step : engine.steps()) out << step << '\n';
  if (!solved) return false;

  const ShownAnswer shown =
      ShowAnswer(engine.tokens()[0], setup.mask, setup.general, LocaleThousandsText());
  engine.set_stored_answer(shown.stored_answer);
  engine.set_decimal_separator(shown.decimal_separator);
  if (options.raw) {
    // "Copy answer": the stored value in the separator now in force.
    out << FloatToStr(shown.stored_answer, engine.decimal_separator()) << '\n';
    return true;
  }
  if (shown.failure) {
    if (shown.failure->kind == AnswerFailure::Kind::kConversion)
      engine.errors().ReportError(shown.failure->message, shown.failure->title);
    else
      PrintGeneralFailure(shown.failure->message, out, err);
    return false;
  }
  out << shown.text << '\n';
  return true;
}

}  // namespace

int RunSolveCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
  const auto options = ParseSolveOptions(args, err);
  if (!options) return kExitUsage;

  CalculatorSetup setup(options->data_dir);
  StreamMessages messages(out, err);
  if (!LoadCalculatorSetup(setup, messages, options->command_line_variables)) return kExitUsage;
  options->overrides.ApplyTo(setup.mask, setup.general);

  StreamErrorSink errors(out, err);
  Engine engine(errors);
  ConnectEngine(engine, setup);

  bool all_ok = true;
  if (!options->expressions.empty()) {
    for (const std::string& text : options->expressions)
      all_ok = SolveOne(engine, setup, text, *options, out, err) && all_ok;
  } else {
    const bool interactive = &in == &std::cin && ::isatty(STDIN_FILENO);
    std::string line;
    while (true) {
      if (interactive) out << "> " << std::flush;
      if (!std::getline(in, line)) break;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.find_first_not_of(' ') == std::string::npos) continue;
      all_ok = SolveOne(engine, setup, line, *options, out, err) && all_ok;
      out.flush();
    }
    if (interactive) out << '\n';
  }
  out.flush();
  return all_ok ? kExitOk : kExitFailed;
}

}  // namespace korvex
