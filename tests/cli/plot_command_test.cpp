// korvex-cli plot, run in-process against a temporary data directory.
#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "settings/line_file.h"

namespace korvex {
namespace {

std::filesystem::path MakeDataDir() {
  std::string pattern = std::filesystem::temp_directory_path() / "korvex-cliplot-XXXXXX";
  const std::filesystem::path root = ::mkdtemp(pattern.data());
  std::filesystem::create_directories(root / "bin" / "functions");
  std::filesystem::create_directories(root / "bin" / "constants");
  std::ofstream(root / "bin" / "functions" / "functions.ini") << "sin#t#1#Sine\r\n";
  std::ofstream(root / "bin" / "constants" / "constants.ini") << "pi#g#3,14159265358979#Pi\r\n";
  return root;
}

class PlotCommandTest : public ::testing::Test {
 protected:
  ~PlotCommandTest() override { std::filesystem::remove_all(root_); }

  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"plot", "--data-dir", root_.string()});
    out_.str("");
    err_.str("");
    std::istringstream in;
    return RunCli(args, in, out_, err_);
  }

  std::filesystem::path root_ = MakeDataDir();
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(PlotCommandTest, StatsOfTheSquare) {
  ASSERT_EQ(Run({"--start", "-2", "--stop", "2", "--increment", "1", "--stats", "x^2"}), kExitOk)
      << err_.str();
  EXPECT_EQ(out_.str(),
            "Table\n"
            "x: -2 = f(x): 4\nx: -1 = f(x): 1\nx: 0 = f(x): 0\nx: 1 = f(x): 1\nx: 2 = f(x): 4\n"
            "\n"
            "Top points\n"
            "\n"
            "Bottom points\n"
            "x: 0 = f(x): 0\n"
            "\n"
            "Max points\n"
            "x: -2 = f(x): 4\nx: 2 = f(x): 4\n"
            "\n"
            "Min points\n"
            "x: 0 = f(x): 0\n"
            "\n"
            "Zero points\n"
            "x: 0 = f(x): 0\n"
            "\n"
            "Table stats\n"
            "Max point value: 4\n"
            "Min point value: 0\n"
            "Sum points: 10\n"
            "Point area: 10\n"
            "Point mean: 2\n");
  EXPECT_EQ(err_.str(), "");
  // The settings file was created with its defaults; the options did not
  // change it.
  const auto lines = ReadLines(root_ / "bin" / "plot.ini");
  ASSERT_TRUE(lines.has_value());
  ASSERT_EQ(lines->size(), 29u);
  EXPECT_EQ((*lines)[1], "-10");
}

TEST_F(PlotCommandTest, OutputsAndSettingsFromTheFile) {
  std::ofstream(root_ / "bin" / "plot.ini") << "t\r\n0\r\n1\r\n0,5\r\n";
  ASSERT_EQ(Run({"--csv", "t*pi"}), kExitOk) << err_.str();
  // Each number is the number text of the Table, with a decimal point.
  EXPECT_EQ(out_.str(), "0,0\n0.5,1.5707963267949\n1,3.14159265358979\n");
  // Also where a double would turn it into inf or 0.
  ASSERT_EQ(Run({"--csv", "--variable", "x", "--start", "1000", "--stop", "1001", "--increment",
                 "1", "10^x"}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(out_.str(), "1000,1E1000\n1001,1E1001\n");
  ASSERT_EQ(Run({"--csv", "--variable", "x", "--start", "2", "--stop", "2", "10^(-1000)*x"}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(out_.str(), "2,2E-1000\n");

  ASSERT_EQ(Run({"--table", "--derivative", "--variable", "x", "x^2"}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str().substr(0, 15), "x: 0 = f'(x): 0");

  ASSERT_EQ(Run({"t"}), kExitOk) << err_.str();
  const std::string summary = out_.str();
  EXPECT_NE(summary.find("Current function: t\n"), std::string::npos) << summary;
  EXPECT_NE(summary.find("Total calculations: 3\nCalculations done: 3\n"), std::string::npos)
      << summary;
}

TEST_F(PlotCommandTest, FailuresAndUsage) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* error_start;
  };
  const Case cases[] = {
      {{"--increment", "0.1", "x"},
       kExitFailed,
       "Plot error: One or more errors occurred in (Tools/Plot options/Calculations)\n"},
      {{"--start", "10", "--stop", "-10", "x"},
       kExitFailed,
       "Plot error: Too few/many plot calculations\n"},
      {{"--start", "10", "--stop", "-10", "--increment", "-1", "x"},
       kExitFailed,
       "Plot error: The plot samples nothing"},
      {{"--derivative", "--epsilon", "1E-300", "x^2"},
       kExitFailed,
       "Plot error: The derivative's epsilon is too small"},
      {{"--derivative", "--epsilon", "1E300", "x^2"},
       kExitFailed,
       "Plot error: The derivative's epsilon is too large"},
      {{"-x"}, kExitFailed, "Syntax error: Invalid argument '--10'\n"},
      {{"--stats"}, kExitUsage, "korvex-cli: plot needs an expression\n"},
      {{"--start"}, kExitUsage, "korvex-cli: --start needs a value\n"},
      {{"--table", "--csv", "x"}, kExitUsage, "korvex-cli: choose one of"},
      {{"x", "y"}, kExitUsage, "korvex-cli: plot takes one expression\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.args), c.status) << c.args[0];
    EXPECT_EQ(err_.str().rfind(c.error_start, 0), 0u) << err_.str();
    EXPECT_EQ(out_.str(), "") << c.args[0];
  }
}

}  // namespace
}  // namespace korvex
