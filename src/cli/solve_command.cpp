// korvex-cli solve: solves expressions from the arguments or standard input
// and prints what the answer box would show.
#include <algorithm>
#include <iostream>
#include <string>
#include <string_view>

#include <unistd.h>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "core/calculator.h"
#include "settings/general_file.h"

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

// The General options' lists and limits, so the CLI takes what the dialog offers.
std::string SystemNames(std::string_view separator, std::string_view last_separator) {
  std::string joined;
  for (size_t i = 0; i < kNumberSystemShortNames.size(); ++i) {
    if (i > 0) joined += i + 1 == kNumberSystemShortNames.size() ? last_separator : separator;
    joined += kNumberSystemShortNames[i];
  }
  return joined;
}

std::optional<int> NumberSystemIndex(std::string_view name) {
  const auto found = std::ranges::find(kNumberSystemShortNames, name);
  if (found == kNumberSystemShortNames.end()) return std::nullopt;
  return kNumberSystemRange.min + static_cast<int>(found - kNumberSystemShortNames.begin());
}

std::string SolveUsage() {
  return "usage: korvex-cli solve [--data-dir DIR] [--steps] [--raw] [--var NAME=EXPR]...\n"
         "                        [--prefix TEXT] [--mask TEXT] [--suffix TEXT]\n"
         "                        [--system " +
         SystemNames("|", "|") +
         "] [--precision N] [--scientific]\n"
         "                        [--point] [--] [EXPR...]\n";
}

std::optional<SolveOptions> ParseSolveOptions(const std::vector<std::string>& args,
                                              std::ostream& err) {
  SolveOptions options;
  options.data_dir = DefaultDataDir();
  ArgumentCursor cursor(args);
  bool options_ended = false;
  auto usage_error = [&](const std::string& text) {
    err << "korvex-cli: " << text << '\n' << SolveUsage();
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
        options.command_line_variables.push_back(
            {value->substr(0, equals), value->substr(equals + 1)});
      } else if (arg == "--prefix") {
        options.overrides.prefix = *value;
      } else if (arg == "--mask") {
        options.overrides.mask = *value;
      } else if (arg == "--suffix") {
        options.overrides.suffix = *value;
      } else if (arg == "--system") {
        const auto system = NumberSystemIndex(*value);
        if (!system) return usage_error("--system takes " + SystemNames(", ", " or "));
        options.overrides.number_system = *system;
      } else {
        // The range comes first: only a value inside it may be converted to int.
        const auto precision = StrToFloat(*value);
        if (!precision || *precision < kPrecisionRange.min || *precision > kPrecisionRange.max ||
            *precision != static_cast<int>(*precision))
          return usage_error("--precision takes a whole number from " +
                             std::to_string(kPrecisionRange.min) + " to " +
                             std::to_string(kPrecisionRange.max));
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
  err << text << '\n';
  err.flush();
}

// One expression: steps, then the answer line. False when it failed.
bool SolveOne(Calculator& calculator, const std::string& text, const SolveOptions& options,
              std::ostream& out, std::ostream& err) {
  const SolveOutcome outcome = calculator.Solve(text);
  // A failure inside a function abandons the request before its steps count.
  if (!outcome.evaluated && outcome.status == SolveOutcome::Status::kGeneralFailure) {
    PrintGeneralFailure(outcome.failure_text, out, err);
    return false;
  }
  if (options.steps)
    for (const std::string& step : calculator.steps()) out << step << '\n';
  if (!outcome.evaluated) return false;
  if (options.raw) {
    out << calculator.CopyAnswerText() << '\n';
    return true;
  }
  switch (outcome.status) {
    case SolveOutcome::Status::kAnswered:
      out << outcome.answer_text << '\n';
      return true;
    case SolveOutcome::Status::kGeneralFailure:
      PrintGeneralFailure(outcome.failure_text, out, err);
      return false;
    case SolveOutcome::Status::kReported:
      return false;
  }
  return false;
}

}  // namespace

int RunSolveCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
  const auto options = ParseSolveOptions(args, err);
  if (!options) return kExitUsage;

  StreamMessages messages(out, err);
  StreamErrorSink errors(out, err);
  Calculator calculator(options->data_dir, messages);
  calculator.set_error_sink(&errors);
  if (!calculator.StartWithoutWindows()) return kExitUsage;
  VariableTable& variables = calculator.variables();
  variables.insert(variables.begin(), options->command_line_variables.begin(),
                   options->command_line_variables.end());
  options->overrides.ApplyTo(calculator.mask(), calculator.general());

  bool all_ok = true;
  if (!options->expressions.empty()) {
    for (const std::string& text : options->expressions)
      all_ok = SolveOne(calculator, text, *options, out, err) && all_ok;
  } else {
    const bool interactive = &in == &std::cin && ::isatty(STDIN_FILENO);
    std::string line;
    while (true) {
      if (interactive) out << "> " << std::flush;
      if (!std::getline(in, line)) break;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.find_first_not_of(' ') == std::string::npos) continue;
      all_ok = SolveOne(calculator, line, *options, out, err) && all_ok;
      out.flush();
    }
    if (interactive) out << '\n';
  }
  out.flush();
  return all_ok ? kExitOk : kExitFailed;
}

}  // namespace korvex
