// korvex-cli's own options and the help command: what goes to which stream
// and with which exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_io.h"

namespace korvex {
namespace {

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result RunArgs(const std::vector<std::string>& args) {
  std::istringstream in;
  std::ostringstream out, err;
  const int status = RunCli(args, in, out, err);
  return {status, out.str(), err.str()};
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

TEST(ProgramHelp, AnyOfItsSpellingsPrintsEveryCommandOnStandardOutput) {
  const Result help = RunArgs({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_EQ(help.err, "");
  EXPECT_TRUE(StartsWith(help.out, "usage: korvex-cli solve [")) << help.out;
  for (const char* line :
       {"\n       korvex-cli plot [", "\n       korvex-cli bench [",
        "\n       korvex-cli help [COMMAND]\n", "\n       korvex-cli --help | --version\n",
        "\n  solve ", "\n  plot ", "\n  bench ", "\n  help ", "\n  -h, --help ", "\n  --version "})
    EXPECT_NE(help.out.find(line), std::string::npos) << line;
  for (const std::vector<std::string>& args : {std::vector<std::string>{"-h"}, {"help"}}) {
    const Result same = RunArgs(args);
    EXPECT_EQ(same.status, kExitOk) << args[0];
    EXPECT_EQ(same.out, help.out) << args[0];
    EXPECT_EQ(same.err, "") << args[0];
  }
}

// Both ways of asking give the same text, and it describes every option that
// its synopsis shows, so the two cannot drift apart.
TEST(CommandHelp, DescribesEveryOptionOfTheSynopsis) {
  const std::regex option("--[a-z-]*");
  for (const std::string command : {"solve", "plot", "bench"}) {
    const Result help = RunArgs({"help", command});
    EXPECT_EQ(help.status, kExitOk) << command;
    EXPECT_EQ(help.err, "") << command;
    ASSERT_TRUE(StartsWith(help.out, "usage: korvex-cli " + command + " [")) << help.out;
    const Result asked = RunArgs({command, "--help"});
    EXPECT_EQ(asked.status, kExitOk) << command;
    EXPECT_EQ(asked.out, help.out) << command;
    EXPECT_EQ(asked.err, "") << command;

    const std::string synopsis = help.out.substr(0, help.out.find("\n\n"));
    std::set<std::string> shown{"--help"};
    for (auto it = std::sregex_iterator(synopsis.begin(), synopsis.end(), option);
         it != std::sregex_iterator(); ++it)
      shown.insert(it->str());
    EXPECT_GE(shown.size(), 2u) << command;
    for (const std::string& name : shown) {
      const std::string described = "\n  " + name + " ";
      EXPECT_NE(help.out.find(described), std::string::npos) << command << " " << name;
    }
  }
}

TEST(Version, NamesTheProjectVersionAndTheDataFolder) {
  const Result version = RunArgs({"--version"});
  EXPECT_EQ(version.status, kExitOk);
  EXPECT_EQ(version.err, "");
  std::smatch match;
  ASSERT_TRUE(std::regex_match(version.out, match,
                               std::regex("korvex-cli [0-9]+\\.[0-9]+\\.[0-9]+\n"
                                          "data folder: (.+)\n")))
      << version.out;
  std::ostringstream err;
  const std::optional<std::filesystem::path> folder = ChooseDataDir(std::nullopt, err);
  ASSERT_TRUE(folder) << err.str();
  EXPECT_EQ(match[1].str(), (*folder / "bin").string());
}

TEST(UsageErrors, PrintTheUsageOnStandardErrorAndExitWithTwo) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{}, ""},
      {{"--bogus"}, "korvex-cli: unknown option '--bogus'\n"},
      {{"-x"}, "korvex-cli: unknown option '-x'\n"},
      {{"frobnicate"}, "korvex-cli: unknown command 'frobnicate'\n"},
      {{"help", "frobnicate"}, "korvex-cli: no command 'frobnicate'\n"},
      {{"help", "solve", "plot"}, "korvex-cli: help takes one command\n"},
      {{"--version", "solve"}, "korvex-cli: --version takes no arguments\n"},
      {{"--help", "solve"}, "korvex-cli: --help takes no arguments\n"},
  };
  const std::string help = RunArgs({"--help"}).out;
  const std::string usage = help.substr(0, help.find("\n\n") + 1);
  for (const auto& c : cases) {
    const std::string label = c.args.empty() ? "(none)" : c.args.back();
    const Result result = RunArgs(c.args);
    EXPECT_EQ(result.status, kExitUsage) << label;
    EXPECT_EQ(result.out, "") << label;
    EXPECT_EQ(result.err, c.message + usage) << label;
  }
}

}  // namespace
}  // namespace korvex
