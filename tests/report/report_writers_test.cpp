// The report run in a session of its own, its items as a real calculator
// gives them, and their HTML, Markdown and PDF documents.
#include <stdlib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/calculator.h"
#include "report/html_report.h"
#include "report/markdown_report.h"
#include "report/markup.h"
#include "report/pdf_reading.h"
#include "report/pdf_report.h"
#include "report/report_builder.h"
#include "report/report_outline.h"
#include "report/report_run.h"
#include "report/report_text.h"

namespace korvex {
namespace {

class SilentMessages : public Messages {
 public:
  void Show(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

class RecordingSink : public ErrorSink {
 public:
  void ReportError(const std::string& message, const std::string& title) override {
    lines.push_back(title + ": " + message);
  }
  std::vector<std::string> lines;
};

class ReportTest : public ::testing::Test {
 protected:
  ReportTest() {
    std::ofstream(root_ / "bin" / "functions" / "functions.ini")
        << "sin#t#1#Sine\r\nrandom#p#1#Random\r\n";
    std::ofstream(root_ / "bin" / "constants" / "constants.ini") << "pi#g#3,14159265358979#Pi\r\n";
    calculator_.set_error_sink(&calculator_errors_);
    EXPECT_TRUE(calculator_.StartWithoutWindows());
  }
  ~ReportTest() override { std::filesystem::remove_all(root_); }

  static std::filesystem::path MakeRoot() {
    std::string pattern = std::filesystem::temp_directory_path() / "korvex-report-XXXXXX";
    const std::filesystem::path root = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(root / "bin" / "functions");
    std::filesystem::create_directories(root / "bin" / "constants");
    return root;
  }

  void SetRange(const std::string& start, const std::string& stop, const std::string& increment) {
    PlotSettings& settings = calculator_.plot_settings();
    settings.start = start;
    settings.stop = stop;
    settings.increment = increment;
  }
  // A run as a front end starts it: from the user's session as it is now.
  ReportRun Run(const std::vector<ReportRequestItem>& items, ErrorSink* failures = nullptr) {
    calculator_.control().Begin();
    return RunReport(calculator_.context(), calculator_.Snapshot(calculator_.session()), items,
                     failures);
  }
  SolvedItem Solve(const std::string& text) {
    const ReportRun run = Run({{text, false}});
    EXPECT_EQ(run.report.items.size(), 1u);
    return std::get<SolvedItem>(run.report.items.at(0));
  }
  PlottedItem Plot(const std::string& text, const std::string& start, const std::string& stop,
                   const std::string& increment) {
    SetRange(start, stop, increment);
    const ReportRun run = Run({{text, true}});
    EXPECT_EQ(run.report.items.size(), 1u);
    return std::get<PlottedItem>(run.report.items.at(0));
  }

  std::filesystem::path root_ = MakeRoot();
  SilentMessages messages_;
  RecordingSink calculator_errors_;
  Calculator calculator_{root_, messages_};
};

TEST_F(ReportTest, SolvedItemsKeepStepsAnswersPatternsAndFailures) {
  const SolvedItem answered = Solve("2+3*4");
  EXPECT_TRUE(answered.answered);
  EXPECT_EQ(answered.steps,
            (std::vector<std::string>{"Step 1 (multiply): 2+12", "Step 2 (add): 14"}));
  EXPECT_EQ(answered.answer_text, calculator_.Solve("14").answer_text);
  EXPECT_EQ(answered.plain_answer, "14");
  EXPECT_EQ(answered.base16, "0 E ");
  EXPECT_EQ(answered.base2, "0 1110 ");
  EXPECT_TRUE(answered.failures.empty());

  // Beyond the number systems' 48 bits the patterns are their refusal.
  const SolvedItem large = Solve("2^60");
  EXPECT_EQ(large.base16, "Max 48 bit conversion");

  const SolvedItem failed = Solve("1/0");
  EXPECT_FALSE(failed.answered);
  EXPECT_EQ(failed.failures, std::vector<std::string>{"Could not calculate '1/0'"});
  EXPECT_FALSE(failed.base16.has_value());
}

TEST_F(ReportTest, PlottedItemKeepsFiguresListsAndPoints) {
  const PlottedItem item = Plot("x^2-1", "-2", "2", "1");
  ASSERT_TRUE(item.info.has_value());
  EXPECT_EQ(item.info->function, "x^2-1");
  EXPECT_EQ(item.info->calculations_done, "5");
  EXPECT_EQ(item.figures.max_value, "3");
  EXPECT_EQ(item.figures.sum_points, "5");
  ASSERT_EQ(item.lists.size(), 6u);
  EXPECT_EQ(item.lists[0].caption, "Table");
  EXPECT_EQ(item.lists[0].lines.front(), "x: -2 = f(x): 3");
  EXPECT_EQ(item.lists[5].caption, "Zero points");
  EXPECT_EQ(item.points.size(), 5u);
  EXPECT_EQ(item.csv.substr(0, 4), "x,y\n");
}

// One run, one session: `ans` and `random` go on from the user's session and
// from item to item, a refused plot shows no series of the one before it,
// and a plot in single mode replaces the series before it as series 1. The
// user's session is left as it was, and the failures go to the sink given.
TEST_F(ReportTest, RunKeepsASessionOfItsOwn) {
  calculator_.Solve("random[1000]");
  calculator_.Solve("6*7");
  SetRange("-2", "2", "1");
  calculator_.Plot("x");
  ASSERT_EQ(calculator_.plots().chart().series_count(), 1u);
  const std::vector<ChartPoint> user_points = calculator_.plots().chart().series(1).points();
  const std::vector<std::string> user_steps = calculator_.steps().Texts();
  const std::size_t user_errors = calculator_errors_.lines.size();

  RecordingSink failures;
  const ReportRun run = Run({{"ans+1", false},
                             {"ans*2", false},
                             {"1/0", false},
                             {"ans", false},
                             {"random[1000]", false},
                             {"x^2-1", true},
                             {"(x", true},
                             {"x^3", true}},
                            &failures);
  EXPECT_FALSE(run.stopped);
  EXPECT_FALSE(run.all_done);
  ASSERT_EQ(run.report.items.size(), 8u);
  const auto solved = [&run](std::size_t index) {
    return std::get<SolvedItem>(run.report.items[index]);
  };
  const auto plotted = [&run](std::size_t index) {
    return std::get<PlottedItem>(run.report.items[index]);
  };
  EXPECT_EQ(solved(0).plain_answer, "43");
  EXPECT_EQ(solved(1).plain_answer, "86");
  EXPECT_EQ(solved(2).failures, std::vector<std::string>{"Could not calculate '1/0'"});
  EXPECT_EQ(solved(3).plain_answer, "86");

  ASSERT_TRUE(plotted(5).info.has_value());
  EXPECT_EQ(plotted(5).info->serie, "1");
  EXPECT_EQ(plotted(5).points.size(), 5u);
  EXPECT_TRUE(plotted(5).complete);
  EXPECT_FALSE(plotted(6).info.has_value());
  EXPECT_FALSE(plotted(6).complete);
  EXPECT_TRUE(plotted(6).points.empty());
  ASSERT_EQ(calculator_.plot_settings().mode, PlotMode::kSingle);
  ASSERT_TRUE(plotted(7).info.has_value());
  EXPECT_EQ(plotted(7).info->function, "x^3");
  EXPECT_EQ(plotted(7).info->serie, "1");
  EXPECT_EQ(plotted(7).lists[0].lines.front(), "x: -2 = f(x): -8");

  EXPECT_EQ(failures.lines,
            (std::vector<std::string>{"Syntax error: Could not calculate '1/0'",
                                      "Syntax error: One or more ( ) are unbalanced"}));
  EXPECT_EQ(calculator_errors_.lines.size(), user_errors);
  EXPECT_EQ(calculator_.CopyAnswerText(), "42");
  EXPECT_EQ(calculator_.steps().Texts(), user_steps);
  ASSERT_EQ(calculator_.plots().chart().series_count(), 1u);
  EXPECT_EQ(calculator_.plots().chart().series(1).title(), "x");
  const std::vector<ChartPoint> points_after = calculator_.plots().chart().series(1).points();
  ASSERT_EQ(points_after.size(), user_points.size());
  for (std::size_t i = 0; i < user_points.size(); ++i)
    EXPECT_TRUE(points_after[i].x == user_points[i].x && points_after[i].y == user_points[i].y);
  // The run drew its random number from where the user's session was, and
  // left the user's generator where it was.
  calculator_.Solve("random[1000]");
  EXPECT_EQ(solved(4).plain_answer, calculator_.CopyAnswerText());
}

// In multiple mode the run's series count from its own empty graph; a plot
// that fails after its series exists shows it with the figures it started
// with.
TEST_F(ReportTest, RunCountsSeriesInItsOwnGraph) {
  SetRange("-2", "2", "1");
  calculator_.Plot("x");
  calculator_.plot_settings().mode = PlotMode::kMultiple;
  const ReportRun run = Run({{"x^2", true}, {"y", true}, {"x^3", true}});
  ASSERT_EQ(run.report.items.size(), 3u);
  const std::string series[] = {"1", "2", "3"};
  for (std::size_t i = 0; i < 3; ++i) {
    const auto& item = std::get<PlottedItem>(run.report.items[i]);
    ASSERT_TRUE(item.info.has_value()) << i;
    EXPECT_EQ(item.info->serie, series[i]) << i;
  }
  const auto& failed = std::get<PlottedItem>(run.report.items[1]);
  EXPECT_EQ(failed.info->function, "y");
  EXPECT_EQ(failed.info->total_calculations, "5");
  EXPECT_EQ(failed.info->calculations_done, "n/a");
  EXPECT_EQ(failed.failures, std::vector<std::string>{"'y' is not a number"});
  EXPECT_EQ(calculator_.plots().chart().series_count(), 1u);
}

// A stop ends the run: the stopped item is the last one in the report, and a
// stop asked for before an item starts leaves that item out.
TEST_F(ReportTest, StopEndsTheRunAfterTheStoppedItem) {
  SetRange("0", "100", "0,00001");
  std::optional<ReportRun> run;
  const RequestSnapshot start = calculator_.Snapshot(calculator_.session());
  const std::vector<ReportRequestItem> items = {{"2+3", false}, {"x^2", true}, {"7", false}};
  ASSERT_TRUE(calculator_.StartOnWorker(
      [&](RequestContext& context) { run = RunReport(context, start, items); }));
  // Under way in the plot: its samples move the position.
  while (calculator_.busy() && calculator_.control().position() == 0) std::this_thread::yield();
  calculator_.RequestStop();
  calculator_.WaitUntilIdle();
  ASSERT_TRUE(run.has_value());
  EXPECT_TRUE(run->stopped);
  EXPECT_FALSE(run->all_done);
  ASSERT_EQ(run->report.items.size(), 2u);
  EXPECT_TRUE(std::get<SolvedItem>(run->report.items[0]).answered);
  const auto& stopped = std::get<PlottedItem>(run->report.items[1]);
  EXPECT_FALSE(stopped.complete);
  ASSERT_TRUE(stopped.info.has_value());
  EXPECT_FALSE(stopped.points.empty());
  EXPECT_LT(stopped.points.size(), 10000001u);

  calculator_.control().Begin();
  calculator_.RequestStop();
  const ReportRun none =
      RunReport(calculator_.context(), calculator_.Snapshot(calculator_.session()), items);
  EXPECT_TRUE(none.stopped);
  EXPECT_TRUE(none.report.items.empty());
}

// Every format renders this sequence: links are counted among the plotted
// items only, a refused plot ends at its note, and an empty list's heading
// does not hold the next element on its page.
TEST_F(ReportTest, OutlineOrdersEveryItemsElementsAndLinksPlotsInTurn) {
  Report report;
  report.items.push_back(Solve("2+3*4"));
  report.items.push_back(Plot("x", "1", "0", "0"));
  report.items.push_back(Plot("x^2-1", "-2", "2", "1"));
  ReportLinks links;
  links.pictures = {"first.png", "second.png"};
  links.csv_files = {"first.csv", "second.csv"};
  const std::vector<ReportElement> outline = ReportOutline(report, links);

  std::string kinds;
  for (const ReportElement& element : outline) kinds += "HSNXFLGP"[static_cast<int>(element.kind)];
  // Solved: heading, "Solution", steps, answer rows. Refused plot: heading,
  // its failure, range, note. Plot: heading, range, graph, Plot info, Table
  // stats, six lists (Top points is empty), points file.
  EXPECT_EQ(kinds,
            "HSLF"
            "HXFN"
            "HFG"
            "SF"
            "SF"
            "SL"
            "S"
            "SL"
            "SL"
            "SL"
            "SL"
            "P");
  EXPECT_EQ(outline[0].text, "1. 2+3*4");
  EXPECT_EQ(outline[4].text, "2. Plot: x");
  EXPECT_EQ(outline[7].text, kNoSeriesText);
  EXPECT_EQ(outline[8].text, "3. Plot: x^2-1");
  EXPECT_EQ(outline[10].text, "second.png");
  EXPECT_EQ(outline.back().text, "second.csv");
  for (const ReportElement& element : outline) {
    if (element.kind != ReportElementKind::kSectionHeading) continue;
    EXPECT_EQ(element.keep_with_next, element.text.find("(# of points: 0)") == std::string::npos)
        << element.text;
  }
}

TEST_F(ReportTest, HtmlHoldsStepsAnswersPictureAndCutTable) {
  Report report;
  report.items.push_back(Solve("2+3*4"));
  report.items.push_back(Solve("1/0"));
  report.items.push_back(Plot("x^2", "-30", "30", "1"));
  ReportLinks links;
  links.csv_files = {"r-plot1.csv"};
  const std::string html = HtmlReport(report, links);
  for (const char* part :
       {"<td class=\"line\">Step 1 (multiply): 2+12</td>", "Step 2 (add): 14",
        "<th>Copy answer</th><td class=\"line\">14</td>", "0 1110 ", "Could not calculate '1/0'",
        "<svg xmlns", "<polyline", "Table (# of points: 61)", "x: -30 = f(x): 900",
        "x: 30 = f(x): 900", "... 45 more lines ...", "<th>Current function:</th>",
        "<th>Point mean:</th>", "href=\"r-plot1.csv\""}) {
    EXPECT_NE(html.find(part), std::string::npos) << part;
  }
  // The lines between the table's ends are left to the CSV.
  EXPECT_EQ(html.find("x: -10 = f(x): 100"), std::string::npos);

  // A picture given by the front end replaces the drawing.
  links.pictures = {PngDataUri("\x89PNG")};
  const std::string with_png = HtmlReport(report, links);
  EXPECT_NE(with_png.find("<img src=\"data:image/png;base64,iVBORw==\""), std::string::npos);
  EXPECT_EQ(with_png.find("<svg"), std::string::npos);
}

TEST_F(ReportTest, MarkdownHoldsStepsInCodeAndLinksFiles) {
  Report report;
  report.items.push_back(Solve("2+3*4"));
  report.items.push_back(Plot("x^2", "-1", "1", "1"));
  const std::string without_files = MarkdownReport(report, {});
  EXPECT_NE(without_files.find("```text\nStep 1 (multiply): 2+12\nStep 2 (add): 14\n```"),
            std::string::npos);
  EXPECT_NE(without_files.find("| Answer | = 14 |"), std::string::npos);
  EXPECT_NE(without_files.find("## 2. Plot: x^2"), std::string::npos);
  EXPECT_NE(without_files.find("_The graph is not part of this Markdown report"),
            std::string::npos);
  EXPECT_NE(without_files.find("| Current serie: | 1 |"), std::string::npos);

  const std::string with_files =
      MarkdownReport(report, ReportLinks{{"r-plot1.png"}, {"r-plot1.csv"}});
  EXPECT_NE(with_files.find("![x^2](r-plot1.png)"), std::string::npos);
  EXPECT_NE(with_files.find("[r-plot1.csv](r-plot1.csv)"), std::string::npos);
}

TEST_F(ReportTest, PdfHoldsTheHtmlItemsInOrder) {
  Report report;
  report.items.push_back(Solve("2+3*4"));
  report.items.push_back(Solve("1/0"));
  EXPECT_EQ(PdfPageContents(PdfReport(report, {}, kPaperA4)).size(), 1u);

  report.items.push_back(Plot("x^2", "-3", "3", "1"));
  ReportLinks links;
  links.csv_files = {"r-plot1.csv"};
  const std::string pdf = PdfReport(report, links, kPaperA4);
  EXPECT_EQ(PdfStructureProblems(pdf), "");
  const std::vector<std::string> pages = PdfPageContents(pdf);
  ASSERT_EQ(pages.size(), 2u);
  const std::string text = PdfShownText(pages[0]) + PdfShownText(pages[1]);
  std::size_t at = 0;
  for (const char* part : {"Korvex report",
                           "1. 2+3*4",
                           "Solution",
                           "Step 1 (multiply): 2+12",
                           "Step 2 (add): 14",
                           "Answer",
                           "Copy answer",
                           "Binary (base 2)",
                           "0 1110",
                           "2. 1/0",
                           "No solution steps.",
                           "Could not calculate '1/0'",
                           "3. Plot: x^2",
                           "Increment",
                           "Plot info",
                           "Current function:",
                           "Table stats",
                           "Point mean:",
                           "Table (# of points: 7)",
                           "x: -3 = f(x): 9",
                           "Zero points (# of points: 1)",
                           "All points: r-plot1.csv"}) {
    const std::size_t found = text.find(part, at);
    EXPECT_NE(found, std::string::npos) << part;
    if (found != std::string::npos) at = found;
  }
  EXPECT_TRUE(PdfShownText(pages[0]).ends_with("\nPage 1 of 2\n"));
  EXPECT_TRUE(PdfShownText(pages[1]).ends_with("\nPage 2 of 2\n"));
  // The failure in red, the curve in blue as a path of lines.
  EXPECT_NE(pages[0].find("0.69 0 0 rg\nBT /F1 10 Tf"), std::string::npos);
  const std::size_t curve = pages[0].find("0 0 1 RG\n");
  ASSERT_NE(curve, std::string::npos);
  EXPECT_NE(pages[0].find(" l\n", curve), std::string::npos);
}

TEST_F(ReportTest, PdfReadsBackAsText) {
  Report report;
  report.items.push_back(Solve("2+3*4"));
  report.items.push_back(Plot("x^2", "-1", "1", "1"));
  const std::optional<std::string> text = PdfToText(PdfReport(report, {}, kPaperA4));
  if (!text) GTEST_SKIP() << "pdftotext is not installed";
  for (const char* part : {"Korvex report", "1. 2+3*4", "Step 1 (multiply): 2+12", "2. Plot: x^2",
                           "Current serie:", "x: -1 = f(x): 1", "Page 2 of 2"})
    EXPECT_NE(text->find(part), std::string::npos) << part << " in\n" << *text;
}

// Steps of a deep nesting wrap over many lines each: every row stays whole
// on one page, which pushes the report onto several.
TEST_F(ReportTest, PdfKeepsLongStepsWholeOnTheirPages) {
  const std::string nested = std::string(400, '(') + "1" + [] {
    std::string closing;
    for (int i = 0; i < 400; ++i) closing += "+1)";
    return closing;
  }();
  Report report;
  const SolvedItem item = Solve(nested);
  ASSERT_TRUE(item.answered);
  report.items.push_back(item);
  report.items.push_back(Solve("2+3*4"));
  const std::string pdf = PdfReport(report, {}, kPaperA4);
  EXPECT_EQ(PdfStructureProblems(pdf), "");
  const std::vector<std::string> pages = PdfPageContents(pdf);
  ASSERT_GE(pages.size(), 3u);

  // Rows break between their lines at spaces or anywhere in a long token.
  const auto squeezed = [](std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
    return text;
  };
  std::vector<std::string> page_texts;
  for (const std::string& page : pages) page_texts.push_back(squeezed(PdfShownText(page)));
  const ShownLines shown = ShownPart(item.steps);
  ASSERT_GT(shown.omitted, 0u);
  for (const auto* part : {&shown.head, &shown.tail}) {
    for (const std::string& step : *part) {
      const std::string whole = squeezed(step);
      const auto holding = std::count_if(
          page_texts.begin(), page_texts.end(),
          [&whole](const std::string& page) { return page.find(whole) != std::string::npos; });
      EXPECT_EQ(holding, 1) << step.substr(0, 16);
    }
  }
  const std::string count = std::to_string(pages.size());
  EXPECT_NE(PdfShownText(pages[1]).find("Page 2 of " + count + "\n"), std::string::npos);
  EXPECT_NE(PdfShownText(pages.back()).find("2. 2+3*4"), std::string::npos);
}

TEST(ReportMarkupTest, EscapesAndEncodes) {
  const std::pair<const char*, const char*> html[] = {
      {"a<b & c>\"d\"", "a&lt;b &amp; c&gt;&quot;d&quot;"}, {"2*3", "2*3"}};
  for (const auto& [text, escaped] : html) EXPECT_EQ(EscapeHtml(text), escaped);
  const std::pair<const char*, const char*> markdown[] = {
      {"a|b", "a\\|b"}, {"2*3_4", "2\\*3\\_4"}, {"line\nbreak", "line break"}};
  for (const auto& [text, escaped] : markdown) EXPECT_EQ(EscapeMarkdownCell(text), escaped);
  const std::pair<const char*, const char*> base64[] = {{"", ""},
                                                        {"f", "Zg=="},
                                                        {"fo", "Zm8="},
                                                        {"foo", "Zm9v"},
                                                        {"foob", "Zm9vYg=="},
                                                        {"fooba", "Zm9vYmE="},
                                                        {"foobar", "Zm9vYmFy"}};
  for (const auto& [bytes, encoded] : base64) EXPECT_EQ(Base64(bytes), encoded);
}

TEST(ReportTextTest, LongListsShowTheirEnds) {
  const auto lines = [](std::size_t count) {
    std::vector<std::string> made;
    for (std::size_t i = 0; i < count; ++i) made.push_back(std::to_string(i));
    return made;
  };
  const ShownLines all = ShownPart(lines(kFullTableLines));
  EXPECT_EQ(all.head.size(), kFullTableLines);
  EXPECT_EQ(all.omitted, 0u);
  const ShownLines cut = ShownPart(lines(kFullTableLines + 1));
  EXPECT_EQ(cut.head.size(), kTableEndLines);
  EXPECT_EQ(cut.tail.back(), std::to_string(kFullTableLines));
  EXPECT_EQ(cut.omitted, kFullTableLines + 1 - 2 * kTableEndLines);
  EXPECT_EQ(BesideName("/tmp/out/sums.html", 2, ".csv"), "sums-plot2.csv");
}

}  // namespace
}  // namespace korvex
