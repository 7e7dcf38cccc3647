// korvex-cli report, run in-process against a temporary data directory.
#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "file_size_limit.h"
#include "report/pdf_reading.h"

namespace korvex {
namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class ReportCommandTest : public ::testing::Test {
 protected:
  ReportCommandTest() {
    std::string pattern = std::filesystem::temp_directory_path() / "korvex-clireport-XXXXXX";
    root_ = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(root_ / "bin" / "functions");
    std::filesystem::create_directories(root_ / "bin" / "constants");
    std::ofstream(root_ / "bin" / "functions" / "functions.ini") << "sin#t#1#Sine\r\n";
    std::ofstream(root_ / "bin" / "constants" / "constants.ini") << "pi#g#3,14159265358979#Pi\r\n";
  }
  ~ReportCommandTest() override { std::filesystem::remove_all(root_); }

  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"report", "--data-dir", root_.string()});
    out_.str("");
    err_.str("");
    std::istringstream in;
    return RunCli(args, in, out_, err_);
  }

  std::filesystem::path root_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(ReportCommandTest, HtmlOnStandardOutput) {
  EXPECT_EQ(Run({"--", "2+3*4", "1/0"}), kExitFailed);
  const std::string html = out_.str();
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(html.find("Step 1 (multiply): 2+12"), std::string::npos);
  EXPECT_NE(html.find("<th>Hexadecimal (base 16)</th><td class=\"line\">0 E </td>"),
            std::string::npos);
  EXPECT_NE(html.find("Could not calculate '1/0'"), std::string::npos);
  // The failure is reported on the terminal too.
  EXPECT_NE(err_.str().find("Could not calculate '1/0'"), std::string::npos);
}

// The second plot replaces the first on the run's graph (single mode) and
// still has its own graph and points in the report.
TEST_F(ReportCommandTest, PlottedMarkdownWritesFilesBeside) {
  const std::filesystem::path report = root_ / "sq.md";
  ASSERT_EQ(Run({"--plot", "--start", "-1", "--stop", "1", "--increment", "1", "--output",
                 report.string(), "x^2", "x+1"}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(out_.str(), "");
  const std::string md = ReadAll(report);
  EXPECT_NE(md.find("![x^2](sq-plot1.svg)"), std::string::npos);
  EXPECT_NE(md.find("| Increment | 1 |"), std::string::npos);
  EXPECT_NE(md.find("x: -1 = f(x): 1\nx: 0 = f(x): 0\nx: 1 = f(x): 1\n"), std::string::npos);
  EXPECT_EQ(ReadAll(root_ / "sq-plot1.csv"), "x,y\n-1,1\n0,0\n1,1\n");
  EXPECT_NE(ReadAll(root_ / "sq-plot1.svg").find("<polyline"), std::string::npos);
  EXPECT_NE(md.find("![x+1](sq-plot2.svg)"), std::string::npos);
  EXPECT_EQ(ReadAll(root_ / "sq-plot2.csv"), "x,y\n-1,0\n0,1\n1,2\n");
}

TEST_F(ReportCommandTest, PdfByExtensionWithCsvBesideOrOnAPipe) {
  const std::filesystem::path report = root_ / "sq.pdf";
  ASSERT_EQ(Run({"--plot", "--start", "-1", "--stop", "1", "--increment", "1", "--output",
                 report.string(), "x^2"}),
            kExitOk)
      << err_.str();
  EXPECT_EQ(out_.str(), "");
  const std::string pdf = ReadAll(report);
  EXPECT_EQ(PdfStructureProblems(pdf), "");
  EXPECT_NE(pdf.find("/MediaBox [0 0 595.276 841.89]"), std::string::npos);
  EXPECT_NE(PdfShownText(pdf).find("\nAll points: sq-plot1.csv\n"), std::string::npos);
  EXPECT_EQ(ReadAll(root_ / "sq-plot1.csv"), "x,y\n-1,1\n0,0\n1,1\n");
  EXPECT_FALSE(std::filesystem::exists(root_ / "sq-plot1.svg"));

  // Standard output that is not a terminal takes the file as it is.
  ASSERT_EQ(Run({"--format", "pdf", "--paper", "letter", "2+3"}), kExitOk) << err_.str();
  EXPECT_EQ(PdfStructureProblems(out_.str()), "");
  EXPECT_NE(out_.str().find("/MediaBox [0 0 612 792]"), std::string::npos);
  EXPECT_NE(PdfShownText(out_.str()).find("\nStep 1 (add): 5\n"), std::string::npos);
}

TEST_F(ReportCommandTest, AFailedWriteLeavesTheFilesThatWereThere) {
  const std::filesystem::path report = root_ / "r.md";
  const std::filesystem::path csv = root_ / "r-plot1.csv";
  std::ofstream(report) << "complete old report\n";
  std::ofstream(csv) << "x,y\n1,2\n";
  {
    // Too small for the CSV of 201 points or a report with it.
    const testing::FileSizeLimit full(512);
    EXPECT_EQ(Run({"--output", report.string(), "--plot", "x"}), kExitFailed);
    EXPECT_EQ(err_.str(), "korvex-cli: cannot write r-plot1.csv\n");
    EXPECT_EQ(Run({"--output", report.string(), "--", "2+2", "3*3", "sin[1]"}), kExitFailed);
  }
  EXPECT_EQ(ReadAll(report), "complete old report\n");
  EXPECT_EQ(ReadAll(csv), "x,y\n1,2\n");
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(root_)) ++entries;
  EXPECT_EQ(entries, 3u);  // bin, the report and its CSV: no temporary file
}

TEST_F(ReportCommandTest, RefusedArguments) {
  const std::vector<std::string> cases[] = {
      {"--format", "txt", "1"},   {"--paper", "a5", "--output", "r.pdf", "1"},
      {"--output", "r.txt", "1"}, {"--plot"},
      {"--bogus", "1"},
  };
  for (const auto& args : cases) {
    EXPECT_EQ(Run(args), kExitUsage) << args[0];
    EXPECT_NE(err_.str().find("usage: korvex-cli report"), std::string::npos) << args[0];
    EXPECT_EQ(out_.str(), "") << args[0];
  }
}

}  // namespace
}  // namespace korvex
