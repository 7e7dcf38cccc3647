// A command's options as a table: each row names an option and what it sets,
// and one walk over the arguments applies them, so that every command reads
// and refuses its arguments by the same rules and in the same words.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// Takes an option's value (empty for a flag) or an operand. What it returns
// is why it refuses the value; that ends the walk.
using OptionAction = std::function<std::optional<std::string>(const std::string& value)>;

struct OptionRow {
  std::string_view name;  // with its "--"
  bool takes_value = false;
  OptionAction apply;
};

OptionRow FlagOption(std::string_view name, bool& target);
// The last of several wins, as with any setting given twice.
OptionRow TextOption(std::string_view name, std::optional<std::string>& target);
// Every value kept, in order: for a repeated option or the operands.
OptionAction AppendTo(std::vector<std::string>& target);

struct OptionTable {
  std::vector<OptionRow> rows;
  // Takes each argument that is not an option. Without it the command takes
  // no operands: "--" ends nothing, and any argument the rows do not name is
  // an unknown argument rather than an unknown option.
  OptionAction operand;
};

enum class ParsedArguments { kRun, kHelp, kRefused };

// Applies `args` in order. An option's value is the next argument whatever
// it looks like; "--" makes every later argument an operand. --help among
// the options stops the walk. A refusal is printed as a usage error.
ParsedArguments ParseOptions(const OptionTable& table, const std::vector<std::string>& args,
                             const std::string& usage, std::ostream& err);

// The exit status of a command that ends with the walk, having printed its
// help or refused the arguments; nothing when it goes on to run.
std::optional<int> ExitWithoutRunning(ParsedArguments parsed, std::string (*help)(),
                                      std::ostream& out);

// "korvex-cli: TEXT" and the command's synopsis, for arguments it cannot use.
void PrintUsageError(const std::string& text, const std::string& usage, std::ostream& err);

}  // namespace korvex
