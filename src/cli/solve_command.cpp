// korvex-cli solve: solves expressions from the arguments or standard input
// and prints what the answer box would show.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include <unistd.h>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/cli_session.h"
#include "cli/interrupt_stop.h"
#include "cli/line_reader.h"
#include "cli/option_table.h"
#include "cli/prompt_preview.h"
#include "cli/usage.h"
#include "core/calculator.h"
#include "engine/user_variables.h"
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
  std::optional<std::string> data_dir;
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

// --var NAME=EXPR: the name must be one the engine can match, as in the
// User variables window; the expression may be empty.
OptionAction AddVariable(VariableTable& variables) {
  return [&variables](const std::string& value) -> std::optional<std::string> {
    const size_t equals = value.find('=');
    if (equals == std::string::npos || equals == 0) return "--var needs NAME=EXPR";
    std::string name = value.substr(0, equals);
    if (const std::optional<std::string> refusal = VariableNameRefusal(name))
      return "--var " + name + ": " + *refusal;
    variables.push_back({std::move(name), value.substr(equals + 1)});
    return std::nullopt;
  };
}

OptionAction SetNumberSystem(std::optional<int>& target) {
  return [&target](const std::string& value) -> std::optional<std::string> {
    const auto system = NumberSystemIndex(value);
    if (!system) return "--system takes " + SystemNames(", ", " or ");
    target = *system;
    return std::nullopt;
  };
}

OptionAction SetPrecision(std::optional<int>& target) {
  return [&target](const std::string& value) -> std::optional<std::string> {
    // The range comes first: only a value inside it may be converted to int.
    const auto precision = StrToFloat(value);
    if (!precision || *precision < kPrecisionRange.min || *precision > kPrecisionRange.max ||
        *precision != static_cast<int>(*precision))
      return "--precision takes a whole number from " + std::to_string(kPrecisionRange.min) +
             " to " + std::to_string(kPrecisionRange.max);
    target = static_cast<int>(*precision);
    return std::nullopt;
  };
}

ParsedArguments ParseSolveOptions(const std::vector<std::string>& args, SolveOptions& options,
                                  std::ostream& err) {
  AnswerOverrides& overrides = options.overrides;
  const OptionTable table{
      .rows =
          {
              TextOption("--data-dir", options.data_dir),
              FlagOption("--steps", options.steps),
              FlagOption("--raw", options.raw),
              {"--var", true, AddVariable(options.command_line_variables)},
              TextOption("--prefix", overrides.prefix),
              TextOption("--mask", overrides.mask),
              TextOption("--suffix", overrides.suffix),
              {"--system", true, SetNumberSystem(overrides.number_system)},
              {"--precision", true, SetPrecision(overrides.precision)},
              FlagOption("--scientific", overrides.scientific),
              FlagOption("--point", overrides.point),
          },
      .operand = AppendTo(options.expressions),
  };
  return ParseOptions(table, args, SolveUsage(), err);
}

enum class Solved { kOk, kFailed, kCanceled };

// The place of a failure is drawn for someone reading a terminal; in a file
// or pipe the output stays as it always was. KORVEX_CLI_PLACES=1 draws it
// anywhere (the tests run the command on string streams).
bool DrawsPlaces(const std::ostream& err) {
  const char* forced = std::getenv("KORVEX_CLI_PLACES");
  if (forced != nullptr && std::string_view(forced) == "1") return true;
  return &err == &std::cerr && ::isatty(STDERR_FILENO);
}

// One expression: the steps it got through, then its answer or failure
// line.
Solved SolveOne(Calculator& calculator, StreamErrorSink& errors, const std::string& text,
                const SolveOptions& options, std::ostream& out, std::ostream& err) {
  errors.Hold();
  SolveOutcome outcome;
  {
    const InterruptStop interrupt(calculator);
    outcome = calculator.Solve(text);
  }
  if (options.steps) {
    const StepLog& steps = calculator.steps();
    for (size_t i = 0; i < steps.size(); ++i) out << steps.Text(i) << '\n';
  }
  errors.Release();
  if (outcome.status == SolveOutcome::Status::kReported && outcome.error_place && DrawsPlaces(err))
    PrintError(PlaceLines(text, *outcome.error_place), out, err);
  if (outcome.status == SolveOutcome::Status::kCanceled) {
    PrintError(outcome.failure_text, out, err);
    return Solved::kCanceled;
  }
  if (!outcome.evaluated) {
    if (outcome.status == SolveOutcome::Status::kGeneralFailure)
      PrintError(outcome.failure_text, out, err);
    return Solved::kFailed;
  }
  if (options.raw) {
    out << calculator.CopyAnswerText() << '\n';
    return Solved::kOk;
  }
  switch (outcome.status) {
    case SolveOutcome::Status::kAnswered:
      out << outcome.answer_text << '\n';
      return Solved::kOk;
    case SolveOutcome::Status::kGeneralFailure:
      PrintError(outcome.failure_text, out, err);
      return Solved::kFailed;
    case SolveOutcome::Status::kReported:
    case SolveOutcome::Status::kCanceled:
      return Solved::kFailed;
  }
  return Solved::kFailed;
}

}  // namespace

std::string SolveUsage() {
  return "usage: korvex-cli solve [--data-dir DIR] [--steps] [--raw] [--var NAME=EXPR]...\n"
         "                        [--prefix TEXT] [--mask TEXT] [--suffix TEXT]\n"
         "                        [--system " +
         SystemNames("|", "|") +
         "] [--precision N] [--scientific]\n"
         "                        [--point] [--] [EXPR...]\n";
}

std::string SolveHelp() {
  return SolveUsage() +
         "\n"
         "Solves each EXPR and prints the answer as the answer box shows it, through\n"
         "bin/mask.ini and bin/general.ini. Without EXPR it reads one expression per\n"
         "line from standard input; when it and standard output are a terminal, at a\n"
         "prompt with line editing and a history (Ctrl+D ends it) that shows under\n"
         "the line what it would give. ans is the previous answer.\n"
         "\n"
         "options:\n"
         "  --data-dir DIR    use DIR/bin as the data folder\n"
         "  --steps           print every solution step before the answer\n"
         "  --raw             print the plain number text, as Copy answer copies it\n"
         "  --var NAME=EXPR   a user variable in front of those of bin/var.ini\n"
         "  --prefix TEXT     the answer prefix instead of that of bin/mask.ini\n"
         "  --mask TEXT       the answer mask instead of that of bin/mask.ini\n"
         "  --suffix TEXT     the answer suffix instead of that of bin/mask.ini\n"
         "  --system NAME     the number system of the answer: " +
         SystemNames(", ", " or ") +
         "\n"
         "  --precision N     the mantissa bits of a bit pattern, " +
         std::to_string(kPrecisionRange.min) + " to " + std::to_string(kPrecisionRange.max) +
         "\n"
         "  --scientific      write the answer in scientific notation\n"
         "  --point           write the answer with a decimal point\n"
         "  --                end the options: every later argument is an EXPR\n"
         "  --help            print this help\n";
}

int RunSolveCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
  SolveOptions options;
  if (const auto exit = ExitWithoutRunning(ParseSolveOptions(args, options, err), SolveHelp, out))
    return *exit;

  CliSession session(out, err);
  Calculator* started = session.Start(options.data_dir);
  if (started == nullptr) return kExitUsage;
  Calculator& calculator = *started;
  StreamErrorSink& errors = session.errors();
  VariableTable& variables = calculator.variables();
  variables.insert(variables.begin(), options.command_line_variables.begin(),
                   options.command_line_variables.end());
  options.overrides.ApplyTo(calculator.mask(), calculator.general());

  bool all_ok = true;
  if (!options.expressions.empty()) {
    for (const std::string& text : options.expressions) {
      const Solved solved = SolveOne(calculator, errors, text, options, out, err);
      // Ctrl+C ends the whole run; what was printed so far stands.
      if (solved == Solved::kCanceled) {
        out.flush();
        return kExitInterrupted;
      }
      all_ok = solved == Solved::kOk && all_ok;
    }
  } else {
    // The prompt and its editing only make sense where someone types and
    // reads; with the answers going to a file or pipe the lines are read
    // as they come.
    const bool interactive =
        &in == &std::cin && &out == &std::cout && ::isatty(STDIN_FILENO) && ::isatty(STDOUT_FILENO);
    std::unique_ptr<PromptPreview> preview;
    if (interactive) preview = std::make_unique<PromptPreview>(calculator);
    const std::unique_ptr<LineReader> lines =
        interactive ? MakeTerminalLineReader("> ", stdin, stdout, preview.get())
                    : MakeStreamLineReader(in);
    while (const std::optional<std::string> line = lines->ReadLine()) {
      if (line->find_first_not_of(' ') == std::string::npos) continue;
      const Solved solved = SolveOne(calculator, errors, *line, options, out, err);
      out.flush();
      // At the prompt Ctrl+C only ends the calculation, as in a shell.
      if (solved == Solved::kCanceled && !interactive) return kExitInterrupted;
      all_ok = solved == Solved::kOk && all_ok;
    }
  }
  out.flush();
  return all_ok ? kExitOk : kExitFailed;
}

}  // namespace korvex
