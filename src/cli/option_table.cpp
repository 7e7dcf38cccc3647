#include "cli/option_table.h"

#include <algorithm>
#include <ostream>

#include "cli/cli.h"

namespace korvex {

OptionRow FlagOption(std::string_view name, bool& target) {
  return {name, false, [&target](const std::string&) -> std::optional<std::string> {
            target = true;
            return std::nullopt;
          }};
}

OptionRow TextOption(std::string_view name, std::optional<std::string>& target) {
  return {name, true, [&target](const std::string& value) -> std::optional<std::string> {
            target = value;
            return std::nullopt;
          }};
}

OptionAction AppendTo(std::vector<std::string>& target) {
  return [&target](const std::string& value) -> std::optional<std::string> {
    target.push_back(value);
    return std::nullopt;
  };
}

ParsedArguments ParseOptions(const OptionTable& table, const std::vector<std::string>& args,
                             const std::string& usage, std::ostream& err) {
  const bool takes_operands = static_cast<bool>(table.operand);
  bool options_ended = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::optional<std::string> refusal;
    const auto row = std::ranges::find(table.rows, arg, &OptionRow::name);
    if (takes_operands && (options_ended || !arg.starts_with("--"))) {
      refusal = table.operand(arg);
    } else if (takes_operands && arg == "--") {
      options_ended = true;
    } else if (arg == "--help") {
      return ParsedArguments::kHelp;
    } else if (row == table.rows.end()) {
      refusal = (takes_operands ? "unknown option '" : "unknown argument '") + arg + "'";
    } else if (!row->takes_value) {
      refusal = row->apply("");
    } else if (i + 1 == args.size()) {
      refusal = arg + " needs a value";
    } else {
      refusal = row->apply(args[++i]);
    }
    if (refusal) {
      PrintUsageError(*refusal, usage, err);
      return ParsedArguments::kRefused;
    }
  }
  return ParsedArguments::kRun;
}

std::optional<int> ExitWithoutRunning(ParsedArguments parsed, std::string (*help)(),
                                      std::ostream& out) {
  switch (parsed) {
    case ParsedArguments::kRun:
      return std::nullopt;
    case ParsedArguments::kHelp:
      out << help();
      out.flush();
      return kExitOk;
    case ParsedArguments::kRefused:
      return kExitUsage;
  }
  return kExitUsage;
}

void PrintUsageError(const std::string& text, const std::string& usage, std::ostream& err) {
  err << "korvex-cli: " << text << '\n' << usage;
}

}  // namespace korvex
