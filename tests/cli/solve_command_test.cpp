// korvex-cli solve, run in-process against a temporary data directory that
// holds copies of the shipped catalogues.
#include <stdlib.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "error_place_cases.h"
#include "settings/line_file.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

// Standard output and error of a process that writes both into one pipe:
// output is buffered and reaches the pipe only when flushed, errors reach it
// at once.
class SharedPipe {
 public:
  SharedPipe() { err_.setf(std::ios::unitbuf); }
  std::ostream& out() { return out_; }
  std::ostream& err() { return err_; }
  // What the pipe holds once the process has ended (and flushed).
  std::string text() {
    out_.flush();
    return text_;
  }

 private:
  class Buffer : public std::stringbuf {
   public:
    explicit Buffer(std::string& pipe) : pipe_(pipe) {}

   protected:
    int sync() override {
      pipe_ += str();
      str("");
      return 0;
    }

   private:
    std::string& pipe_;
  };

  std::string text_;
  Buffer out_buffer_{text_};
  Buffer err_buffer_{text_};
  std::ostream out_{&out_buffer_};
  std::ostream err_{&err_buffer_};
};

class SolveCommandTest : public ::testing::Test {
 protected:
  SolveCommandTest() {
    std::string pattern = fs::temp_directory_path() / "korvex-clisolve-XXXXXX";
    root_ = ::mkdtemp(pattern.data());
    const char* build = std::getenv("KORVEX_DATA_DIR");
    if (build == nullptr) ADD_FAILURE() << "KORVEX_DATA_DIR is not set";
    fs::create_directories(root_ / "bin");
    if (build != nullptr) {
      fs::copy(fs::path(build) / "bin" / "functions", root_ / "bin" / "functions");
      fs::copy(fs::path(build) / "bin" / "constants", root_ / "bin" / "constants");
    }
  }
  ~SolveCommandTest() override { fs::remove_all(root_); }

  int Run(std::vector<std::string> args, const std::string& input = "") {
    args.insert(args.begin(), {"solve", "--data-dir", root_.string()});
    out_.str("");
    err_.str("");
    std::istringstream in(input);
    return RunCli(args, in, out_, err_);
  }

  // Runs with both streams going into one pipe, as `2>&1 | ...` gives them.
  int RunIntoOnePipe(std::vector<std::string> args, const std::string& input, std::string& pipe) {
    args.insert(args.begin(), {"solve", "--data-dir", root_.string()});
    std::istringstream in(input);
    SharedPipe shared;
    const int status = RunCli(args, in, shared.out(), shared.err());
    pipe = shared.text();
    return status;
  }

  void WriteFile(const std::string& name, const std::string& content) {
    std::ofstream(root_ / "bin" / name, std::ios::binary) << content;
  }

  fs::path root_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(SolveCommandTest, PrintsStepsAndTheAnswer) {
  EXPECT_EQ(Run({"--steps", "2+3*4"}), kExitOk);
  EXPECT_EQ(out_.str(), "Step 1 (multiply): 2+12\nStep 2 (add): 14\n= 14\n");
  EXPECT_EQ(err_.str(), "");
}

TEST_F(SolveCommandTest, AnswersAsTheAnswerBoxOrRaw) {
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"--raw", "14", "1/3", "{1.5E3}", "--", "-2^2"}, "14\n0,333333333333333\n1500\n4\n"},
      {{"2(1+x)", "--var", "x=3"}, "= 8\n"},
      {{"gcd[12;18]", "mean[1;2;3]", "pi"}, "= 6\n= 2\n= 3,14159265358979\n"},
      {{"1+1", "ans*10", "ans+ans"}, "= 2\n= 20\n= 40\n"},
      {{"--system", "hex", "0-0,5"}, "1 0 8\n"},
      {{"--system", "bin", "--precision", "8", "1/3"}, "0 0 01010101\n"},
      {{"--mask", "0.000E+00", "12345"}, "= 1,235E+04\n"},
      {{"--prefix", "x = ", "--mask", "0.00", "--suffix", " m", "2/3"}, "x = 0,67 m\n"},
      {{"--point", "3.5"}, "= 3.5\n"},
      {{"--point", "--raw", "3.5"}, "3.5\n"},
      {{"--scientific", "--prefix", "ignored", "12345"}, "1,2345*10^4\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.args), kExitOk) << c.args.back() << err_.str();
    EXPECT_EQ(out_.str(), c.out) << c.args.back();
  }
}

TEST_F(SolveCommandTest, ReportsFailuresOnStandardErrorWithExitStatusOne) {
  const struct {
    std::vector<std::string> args;
    std::string out;
    std::string err;
  } cases[] = {
      {{"2/0"}, "", "Syntax error: Could not calculate '2/0'\n"},
      {{"1+1", "2x", "3"}, "= 2\n= 3\n", "Syntax error: Could not calculate '2*x'\n"},
      {{"csc[0]"}, "", "Floating point division by zero.\n"},
      {{"sldepreciation[1000;100;0]"}, "", "SLNDepreciation.\n"},
      {{"--system", "hex", "2^48"}, "", "Conversion error: Max 48 bit conversion\n"},
      {{"--steps", "(1+1)*x"},
       "Step 1 (add): (2)*x\n",
       "Syntax error: Could not calculate '2*x'\n"},
      {{"foo[1]"},
       "",
       "Function error: 'foo' is not a function. See (View/Functions) for a list of all "
       "available functions\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.args), kExitFailed) << c.args.back();
    EXPECT_EQ(out_.str(), c.out) << c.args.back();
    EXPECT_EQ(err_.str(), c.err) << c.args.back();
  }
}

// Each expression's failure line follows the steps it got through, however
// the failure arose (reported while evaluating, escaping from a function,
// found when preparing the text, or in the answer's conversion), and a failed
// expression shows no steps of the one before it.
TEST_F(SolveCommandTest, StepsPrecedeTheirFailureInOnePipe) {
  const struct {
    std::vector<std::string> args;
    std::string input;
    std::string pipe;
  } cases[] = {
      {{"--steps", "--raw", "10^5000"},
       "",
       "Step 1 (power): INF\nSyntax error: 'INF' is not a number\n"},
      {{"--steps", "--raw", "(1+2)*csc[0]"},
       "",
       "Step 1 (add): (3)*csc[0]\nFloating point division by zero.\n"},
      {{"--steps", "(1+2)*csc[0]"},
       "",
       "Step 1 (add): (3)*csc[0]\nFloating point division by zero.\n"},
      {{"--steps", "--raw", "1+1", "2)"},
       "",
       "Step 1 (add): 2\n2\nSyntax error: One or more ( ) are unbalanced\n"},
      {{"--steps", "--system", "hex", "2^48"},
       "",
       "Step 1 (power): 281474976710656\nConversion error: Max 48 bit conversion\n"},
      {{"--steps"},
       "2*3\n(1+1)*x\n4+4\n()\n",
       "Step 1 (multiply): 6\n= 6\nStep 1 (add): (2)*x\nSyntax error: Could not calculate "
       "'2*x'\nStep 1 (add): 8\n= 8\nSyntax error: Need something to evaluate inside ( )\n"},
  };
  for (const auto& c : cases) {
    std::string pipe;
    EXPECT_EQ(RunIntoOnePipe(c.args, c.input, pipe), kExitFailed) << c.args.back();
    EXPECT_EQ(pipe, c.pipe) << c.args.back();
  }
}

TEST_F(SolveCommandTest, HelpIsAnOptionOnlyWhereOptionsAre) {
  EXPECT_EQ(Run({"--steps", "--help", "1+1"}), kExitOk);
  EXPECT_EQ(out_.str().rfind("usage: korvex-cli solve ", 0), 0u) << out_.str();
  EXPECT_EQ(err_.str(), "");
  // The value of an option, or an argument after "--", is not an option.
  EXPECT_EQ(Run({"--prefix", "--help", "1"}), kExitOk);
  EXPECT_EQ(out_.str(), "--help1\n");
  EXPECT_EQ(Run({"--", "--help"}), kExitFailed);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(err_.str(), "Syntax error: Could not calculate '--help'\n");
}

TEST_F(SolveCommandTest, ReadsExpressionsFromStandardInput) {
  EXPECT_EQ(Run({}, "2+2\n\nans*2\r\n"), kExitOk);
  EXPECT_EQ(out_.str(), "= 4\n= 8\n");
}

TEST_F(SolveCommandTest, FirstRunCreatesTheSettingsFilesAndHonoursThemLater) {
  EXPECT_EQ(Run({"1"}), kExitOk);
  for (const char* name : {"var.ini", "mask.ini", "general.ini", "plot.ini", "other.ini"})
    EXPECT_TRUE(fs::exists(root_ / "bin" / name)) << name;
  EXPECT_EQ(*ReadLines(root_ / "bin" / "mask.ini"), (Lines{"= ", "", ""}));

  WriteFile("mask.ini", "Answer: \r\n0.0\r\n!\r\n");
  WriteFile("var.ini", "x#5\r\ny#x*2\r\n");
  EXPECT_EQ(Run({"y"}), kExitOk);
  EXPECT_EQ(out_.str(), "Answer: 10,0!\n");
  // A --var row comes in front of the file's rows and so hides them.
  EXPECT_EQ(Run({"--var", "x=1", "y"}), kExitOk);
  EXPECT_EQ(out_.str(), "Answer: 2,0!\n");

  WriteFile("general.ini", "1\r\n0\r\n1\r\n1000\r\n8000\r\n0\r\n32\r\n0\r\n0\r\n");
  EXPECT_EQ(Run({"255"}), kExitOk);
  EXPECT_EQ(out_.str(), "0 FF \n");
}

TEST_F(SolveCommandTest, OtherIniRequestIsLeftForTheDesktopProgram) {
  WriteFile("other.ini", "1\r\n");
  EXPECT_EQ(Run({"1"}), kExitOk);
  EXPECT_EQ(*ReadLines(root_ / "bin" / "other.ini"), (Lines{"1"}));
}

// The system names and precision limits come from the General options; the
// texts a user sees must stay as they were.
TEST_F(SolveCommandTest, SystemAndPrecisionTakeTheGeneralOptionsChoices) {
  const std::string system_error = "korvex-cli: --system takes hex, dec, oct, quat or bin\n";
  const std::string precision_error = "korvex-cli: --precision takes a whole number from 8 to 64\n";
  const struct {
    std::vector<std::string> args;
    const std::string& error;
  } rejected[] = {
      {{"--system", "dozenal", "1"}, system_error},
      {{"--system", "HEX", "1"}, system_error},
      {{"--precision", "7", "1"}, precision_error},
      {{"--precision", "65", "1"}, precision_error},
      {{"--precision", "99999999999", "1"}, precision_error},
      {{"--precision", "8,5", "1"}, precision_error},
  };
  for (const auto& c : rejected) {
    EXPECT_EQ(Run(c.args), kExitUsage) << c.args[1];
    EXPECT_EQ(err_.str().substr(0, c.error.size()), c.error) << c.args[1];
    EXPECT_NE(err_.str().find("\n                        [--system hex|dec|oct|quat|bin] "
                              "[--precision N] [--scientific]\n"),
              std::string::npos);
  }
  for (const char* system : {"hex", "dec", "oct", "quat", "bin"})
    EXPECT_EQ(Run({"--system", system, "1"}), kExitOk) << system << err_.str();
  for (const char* precision : {"8", "64"})
    EXPECT_EQ(Run({"--system", "bin", "--precision", precision, "1"}), kExitOk) << precision;
}

TEST_F(SolveCommandTest, UsageErrorsAndMissingCataloguesExitWithTwo) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--bogus"},
                                             {"--var"},
                                             {"--var", "=3", "1"},
                                             {"--var", "1=2", "1"},
                                             {"--var", "v1=3", "v1"},
                                             {"--system", "dozenal", "1"},
                                             {"--precision", "7", "1"}}) {
    EXPECT_EQ(Run(args), kExitUsage) << args[0];
    EXPECT_NE(err_.str().find("usage:"), std::string::npos);
  }
  fs::remove(root_ / "bin" / "constants" / "constants.ini");
  EXPECT_EQ(Run({"1"}), kExitUsage);
  EXPECT_EQ(err_.str(), "Could not find or open 'bin/constants/constants.ini'\n");
  std::ostringstream out, err;
  std::istringstream in;
  EXPECT_EQ(RunCli({}, in, out, err), kExitUsage);
  EXPECT_EQ(RunCli({"frobnicate"}, in, out, err), kExitUsage);
}

TEST(PlaceLines, MarksThePlaceUnderTheExpression) {
  const struct {
    std::string text;
    SourceRange place;
    std::string lines;
  } cases[] = {
      {"2+foo[1]", {2, 5}, "2+foo[1]\n  ^~~"},
      {"1/0", {0, 3}, "1/0\n^~~"},
      {"3+", {1, 2}, "3+\n ^"},
      // An inserted "*" has an empty place: one caret where it stands.
      {"2x", {1, 1}, "2x\n ^"},
      // Characters, not bytes; a tab stays a tab.
      {"\xc3\xa9+x*1", {2, 5}, "\xc3\xa9+x*1\n  ^~~"},
      {"\t1+x", {1, 4}, "\t1+x\n\t^~~"},
  };
  for (const auto& c : cases) EXPECT_EQ(PlaceLines(c.text, c.place), c.lines) << c.text;
}

// Every failing expression of the engine's table, its variables given with
// --var: the failure line, then the expression with the blamed part marked.
TEST_F(SolveCommandTest, MarksEveryTabledFailureInItsPlace) {
  for (const testing::ErrorPlaceCase& c : testing::ErrorPlaceCases()) {
    std::vector<std::string> args;
    for (const UserVariable& variable : c.variables)
      args.insert(args.end(), {"--var", variable.name + "=" + variable.expression});
    args.insert(args.end(), {"--", c.text});
    ::setenv("KORVEX_CLI_PLACES", "1", 1);
    EXPECT_EQ(Run(args), kExitFailed) << c.text;
    ::unsetenv("KORVEX_CLI_PLACES");
    const std::string expected = std::string(c.message) + "\n" + PlaceLines(c.text, c.place) + "\n";
    EXPECT_TRUE(err_.str().ends_with(": " + expected)) << c.text << "\n" << err_.str();
  }
}

// The failure line stays as it was; under it, only where someone reads a
// terminal (forced here, where the streams are strings), the expression with
// its failing part marked.
TEST_F(SolveCommandTest, DrawsTheFailingPartUnderItsReportWhenAsked) {
  const std::string reports =
      "Function error: 'foo' is not a function. See (View/Functions) for a list of all "
      "available functions\n"
      "Syntax error: Could not calculate '1/0'\n"
      "Conversion error: Max 48 bit conversion\n";
  const std::vector<std::string> args{"--system", "hex", "2+foo[1]", "3+v", "2^48", "7"};
  WriteFile("var.ini", "v#1/0\r\n");
  EXPECT_EQ(Run(args), kExitFailed);
  EXPECT_EQ(err_.str(), reports);
  ::setenv("KORVEX_CLI_PLACES", "1", 1);
  EXPECT_EQ(Run(args), kExitFailed);
  ::unsetenv("KORVEX_CLI_PLACES");
  EXPECT_EQ(err_.str(),
            "Function error: 'foo' is not a function. See (View/Functions) for a list of all "
            "available functions\n"
            "2+foo[1]\n"
            "  ^~~\n"
            "Syntax error: Could not calculate '1/0'\n"
            "3+v\n"
            "  ^\n"
            // A failure of the answer's conversion has no place in the text.
            "Conversion error: Max 48 bit conversion\n");
  EXPECT_EQ(out_.str(), "0 7 \n");
}

}  // namespace
}  // namespace korvex
