// The option walk every command shares: what each kind of row sets, where
// options end, and the usage errors it prints.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/option_table.h"

namespace korvex {
namespace {

struct Seen {
  bool verbose = false;
  std::optional<std::string> name;
  std::vector<std::string> added;
  std::vector<std::string> operands;

  // One word per thing set, in a fixed order: "verbose name='n' add='1' operand='a'".
  std::string Describe() const {
    std::string text;
    auto word = [&text](const std::string& item) { text += (text.empty() ? "" : " ") + item; };
    if (verbose) word("verbose");
    if (name) word("name='" + *name + "'");
    for (const std::string& value : added) word("add='" + value + "'");
    for (const std::string& value : operands) word("operand='" + value + "'");
    return text;
  }
};

struct Case {
  const char* what;
  std::vector<std::string> args;
  ParsedArguments parsed;
  std::string seen;
  std::string err;
};

// Refuses a value of odd length, to show that an action's refusal ends the walk.
OptionAction EvenOnly(std::vector<std::string>& target) {
  return [&target](const std::string& value) -> std::optional<std::string> {
    if (value.size() % 2 != 0) return "--even takes an even length";
    target.push_back(value);
    return std::nullopt;
  };
}

void ExpectWalks(const std::vector<Case>& cases, bool takes_operands) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Seen seen;
    OptionTable table{.rows =
                          {
                              FlagOption("--verbose", seen.verbose),
                              TextOption("--name", seen.name),
                              {"--add", true, AppendTo(seen.added)},
                              {"--even", true, EvenOnly(seen.added)},
                          },
                      .operand = nullptr};
    if (takes_operands) table.operand = AppendTo(seen.operands);
    std::ostringstream err;
    EXPECT_EQ(ParseOptions(table, c.args, "usage: test\n", err), c.parsed);
    EXPECT_EQ(seen.Describe(), c.seen);
    EXPECT_EQ(err.str(), c.err);
  }
}

TEST(OptionTableTest, CommandWithOperands) {
  using enum ParsedArguments;
  ExpectWalks(
      {
          {"nothing", {}, kRun, "", ""},
          {"flag, text and operands mixed",
           {"a", "--verbose", "--name", "n", "b"},
           kRun,
           "verbose name='n' operand='a' operand='b'",
           ""},
          {"the last text wins", {"--name", "one", "--name", "two"}, kRun, "name='two'", ""},
          {"a repeated option keeps every value, even one like an option",
           {"--add", "1", "--add", "--verbose", "--add", ""},
           kRun,
           "add='1' add='--verbose' add=''",
           ""},
          {"single dashes are operands", {"-", "-x"}, kRun, "operand='-' operand='-x'", ""},
          {"-- ends the options",
           {"--verbose", "--", "--name", "--help", "--"},
           kRun,
           "verbose operand='--name' operand='--help' operand='--'",
           ""},
          {"missing value",
           {"--verbose", "--name"},
           kRefused,
           "verbose",
           "korvex-cli: --name needs a value\nusage: test\n"},
          {"unknown option stops the walk",
           {"--bogus", "--verbose"},
           kRefused,
           "",
           "korvex-cli: unknown option '--bogus'\nusage: test\n"},
          {"an option's prefix is no option",
           {"--verb"},
           kRefused,
           "",
           "korvex-cli: unknown option '--verb'\nusage: test\n"},
          {"an action's refusal",
           {"--even", "ab", "--even", "abc", "x"},
           kRefused,
           "add='ab'",
           "korvex-cli: --even takes an even length\nusage: test\n"},
          {"--help stops before later faults",
           {"x", "--help", "--bogus"},
           kHelp,
           "operand='x'",
           ""},
          {"a fault before --help wins",
           {"--bogus", "--help"},
           kRefused,
           "",
           "korvex-cli: unknown option '--bogus'\nusage: test\n"},
      },
      true);
}

// A command without operands has no "--" and calls every stray word an
// unknown argument.
TEST(OptionTableTest, CommandWithoutOperands) {
  using enum ParsedArguments;
  ExpectWalks(
      {
          {"options still work", {"--name", "n", "--verbose"}, kRun, "verbose name='n'", ""},
          {"a word", {"x"}, kRefused, "", "korvex-cli: unknown argument 'x'\nusage: test\n"},
          {"an unknown option",
           {"--bogus"},
           kRefused,
           "",
           "korvex-cli: unknown argument '--bogus'\nusage: test\n"},
          {"-- is no option end",
           {"--", "--help"},
           kRefused,
           "",
           "korvex-cli: unknown argument '--'\nusage: test\n"},
          {"--help", {"--verbose", "--help", "x"}, kHelp, "verbose", ""},
      },
      false);
}

}  // namespace
}  // namespace korvex
