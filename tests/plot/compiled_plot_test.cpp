// Replayed plot samples against the token engine: seeded random expressions
// over the installed function catalogue, each plotted both ways, must give
// the same points bit for bit, the same lines, sums, failures and messages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/test_support.h"
#include "plot/plotter.h"
#include "whole_expressions.h"

namespace korvex {
namespace {

using testing::RecordingSink;
using testing::Report;

std::vector<std::string> CatalogueLines(const std::string& relative) {
  const char* root = std::getenv("KORVEX_DATA_DIR");
  std::vector<std::string> lines;
  if (root == nullptr) return lines;
  std::ifstream file(std::string(root) + "/bin/" + relative);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

struct Catalogues {
  Catalogues()
      : functions(Catalogue::FromLines(CatalogueLines("functions/functions.ini"))),
        constants(Catalogue::FromLines(CatalogueLines("constants/constants.ini"))) {}
  Catalogue functions;
  Catalogue constants;
};

// Everything a run leaves that a user or a later reader can see.
struct RunResult {
  bool plotted = false;
  std::string escaped;  // the text of a failure that left the run
  std::vector<Report> reports;
  std::vector<ChartPoint> points;
  SeriesStats stats;
  std::size_t replayed = 0;
  std::size_t whole = 0;
};

RunResult Plot(const Catalogues& catalogues, const std::string& expression,
               const PlotSettings& settings, bool token_engine_only) {
  RecordingSink sink;
  Engine engine(sink);
  engine.environment().functions = &catalogues.functions;
  engine.environment().constants = &catalogues.constants;
  Plotter plotter(engine);
  plotter.settings() = settings;
  plotter.set_force_token_engine(token_engine_only);
  RunResult result;
  try {
    result.plotted = plotter.SolvePlot(expression);
  } catch (const std::exception& failure) {
    result.escaped = failure.what();
  }
  result.reports = sink.reports;
  if (plotter.chart().series_count() == 1) {
    result.points = plotter.chart().series(1).points();
    result.stats = plotter.stats(1);
  }
  result.replayed = plotter.replayed_samples();
  result.whole = plotter.whole_samples();
  return result;
}

bool SameBits(long double a, long double b) {
  // The 80-bit value without the padding bytes.
  return std::memcmp(&a, &b, 10) == 0;
}

bool SamePoints(const std::vector<ChartPoint>& a, const std::vector<ChartPoint>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::memcmp(&a[i].x, &b[i].x, sizeof(double)) != 0 ||
        std::memcmp(&a[i].y, &b[i].y, sizeof(double)) != 0)
      return false;
  return true;
}

// Random expressions in the calculator's own syntax: implicit products, sign
// literals where the scanner reads them ("x*-3", "(-2)"), constants, nested
// brackets and calls of every family whose functions keep no state.
class ExpressionGenerator {
 public:
  ExpressionGenerator(std::uint32_t seed, const Catalogue& functions) : random_(seed) {
    // Functions whose running time grows with their argument get only
    // small arguments; the rest get any subexpression.
    const std::set<std::string> bounded = {
        "factorial",       "doublefactorial",  "multifactorial", "subfactorial", "hyperfactorial",
        "pochhammer",      "fallingfactorial", "factorialreal",  "npr",          "ncr",
        "nprreal",         "ncrreal",          "triangleco",     "fibonacci",    "lucas",
        "linearrecursion", "fibonaccireal",    "prime",          "primepi",      "powertower",
        "asequence",       "gsequence"};
    for (std::size_t i = 0; i < functions.size(); ++i) {
      const std::string& name = functions.names()[i];
      if (name.rfind("random", 0) == 0) continue;
      const int count = std::atoi(functions.thirds()[i].c_str());
      functions_.push_back({name, count, bounded.count(name) != 0});
    }
  }

  std::string Expression(int depth) {
    std::string text = Operand(depth);
    const int terms = Below(depth > 0 ? 4 : 2);
    for (int k = 0; k < terms; ++k) {
      const char* const ops[] = {"+", "-", "*", "/", "^", "", "-", "*"};
      std::string op = ops[Below(8)];
      std::string right = Operand(depth);
      // An implicit product needs a right side that cannot glue onto the left.
      if (op.empty() && !(right[0] == '(' || right[0] == 'x' || right[0] == 'p')) op = "*";
      // A sign literal after an operator ("x--3", "x*-2").
      if (!op.empty() && Below(6) == 0) right = "-" + std::to_string(Below(5) + 1);
      text += op + right;
    }
    return text;
  }

 private:
  struct Function {
    std::string name;
    int count;
    bool bounded;
  };

  int Below(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }

  std::string Number() {
    const char* const numbers[] = {"2", "3", "0.5", "1.25", "10", "0", "7", "1e3", "0.1", "1"};
    return numbers[Below(10)];
  }

  std::string SmallArgument() {
    switch (Below(4)) {
      case 0:
        return "x";
      case 1:
        return std::to_string(Below(12));
      case 2:
        return "x/" + std::to_string(Below(3) + 2);
      default:
        return "x+" + std::to_string(Below(6));
    }
  }

  std::string Call(int depth) {
    const Function& f =
        functions_[static_cast<std::size_t>(Below(static_cast<int>(functions_.size())))];
    const int count = f.count > 0 ? f.count : Below(4) + 1;
    std::string text = f.name + "[";
    for (int k = 0; k < count; ++k) {
      if (k > 0) text += ";";
      text += f.bounded ? SmallArgument() : Expression(depth - 1);
    }
    return text + "]";
  }

  std::string Operand(int depth) {
    const int choice = Below(depth > 0 ? 10 : 5);
    switch (choice) {
      case 0:
      case 1:
        return "x";
      case 2:
        return Number();
      case 3:
        return Below(2) ? "pi" : "e";
      case 4:
        return "(-" + Number() + ")";
      case 5:
      case 6:
        return "(" + Expression(depth - 1) + ")";
      default:
        return Call(depth);
    }
  }

  std::mt19937 random_;
  std::vector<Function> functions_;
};

PlotSettings RandomRange(std::mt19937& random, bool derivative) {
  const char* const increments[] = {"1", "0.5", "0.25", "0.3", "1.7", "0.01"};
  PlotSettings settings;
  const int start = static_cast<int>(random() % 41) - 30;
  const int width = static_cast<int>(random() % 12) + 1;
  settings.start = std::to_string(start);
  settings.stop = std::to_string(start + width);
  settings.increment = increments[random() % 6];
  if (settings.increment == "0.01") settings.stop = std::to_string(start + 1);
  for (std::string* text : {&settings.increment}) {
    for (char& c : *text)
      if (c == '.') c = ',';
  }
  settings.derivative = derivative;
  settings.epsilon = derivative && random() % 2 ? "0,5" : "0,001";
  return settings;
}

void ExpectSameRun(const std::string& label, const RunResult& replayed,
                   const RunResult& reference) {
  EXPECT_EQ(replayed.plotted, reference.plotted) << label;
  EXPECT_EQ(replayed.escaped, reference.escaped) << label;
  EXPECT_EQ(replayed.reports, reference.reports) << label;
  EXPECT_TRUE(SamePoints(replayed.points, reference.points)) << label;
  EXPECT_TRUE(SameBits(replayed.stats.sum_y, reference.stats.sum_y)) << label;
  EXPECT_TRUE(SameBits(replayed.stats.sum_abs_y, reference.stats.sum_abs_y)) << label;
  EXPECT_EQ(replayed.stats.table_lines, reference.stats.table_lines) << label;
  EXPECT_EQ(replayed.stats.top_lines, reference.stats.top_lines) << label;
  EXPECT_EQ(replayed.stats.bottom_lines, reference.stats.bottom_lines) << label;
  EXPECT_EQ(replayed.stats.max_lines, reference.stats.max_lines) << label;
  EXPECT_EQ(replayed.stats.min_lines, reference.stats.min_lines) << label;
  EXPECT_EQ(replayed.stats.zero_lines, reference.stats.zero_lines) << label;
}

TEST(CompiledPlot, RandomExpressionsMatchTheTokenEngine) {
  const Catalogues catalogues;
  ASSERT_GT(catalogues.functions.size(), 100u) << "function catalogue not found";
  ExpressionGenerator generator(20261210, catalogues.functions);
  std::mt19937 ranges(7);
  std::size_t samples = 0;
  std::size_t replayed = 0;
  int failed_runs = 0;
  for (int i = 0; i < 3000; ++i) {
    const std::string expression = generator.Expression(1 + i % 3);
    const PlotSettings settings = RandomRange(ranges, i % 3 == 0);
    const RunResult compiled = Plot(catalogues, expression, settings, false);
    const RunResult reference = Plot(catalogues, expression, settings, true);
    const std::string label = expression + " over " + settings.start + ".." + settings.stop +
                              " step " + settings.increment +
                              (settings.derivative ? " derivative eps " + settings.epsilon : "");
    ExpectSameRun(label, compiled, reference);
    EXPECT_EQ(reference.replayed, 0u) << label;
    samples += compiled.points.size();
    replayed += compiled.replayed;
    if (!reference.plotted) ++failed_runs;
    if (::testing::Test::HasFailure()) break;
  }
  // The comparison means something only if most samples took the replay and
  // the corpus reaches the failures as well.
  EXPECT_GT(replayed, samples * 3 / 5) << replayed << " of " << samples;
  EXPECT_GT(failed_runs, 30);
}

// Shapes chosen for the ways a sample could leave the recorded path: a
// result without a number text to read back, failures that end a later
// sample, sign texts written next to a minus, functions with state, and the
// variable standing where a function name belongs.
TEST(CompiledPlot, SamplesThatLeaveTheRecordingMatchTheTokenEngine) {
  const Catalogues catalogues;
  struct Case {
    const char* expression;
    const char* start;
    const char* stop;
    const char* increment;
    bool derivative;
  };
  const Case cases[] = {
      {"1/x", "-2", "2", "0,5", false},                  // division by zero in the middle
      {"1/(x-x)+x", "-1", "1", "1", false},              // fails from the first sample on
      {"ln[2-x]", "0", "4", "1", false},                 // NAN written, then read again
      {"ln[2-x]+1", "0", "4", "1", false},               // NAN read by the next operator
      {"exp[x]^x", "1", "200", "20", false},             // INF written as a text
      {"10^(x*400)*10^(x*400)", "1", "13", "1", false},  // beyond the text range
      {"sqrt[3-x]", "0", "6", "1", true},
      {"x-(-3)-x*-2", "-5", "5", "1", false},
      {"x-x-x", "-3", "3", "0,5", true},
      {"0-x", "-3", "3", "1", false},
      {"factorial[x*300]", "1", "9", "1", false},  // a failure inside a function
      {"x+random[10]", "1", "5", "1", false},
      {"x", "-2", "2", "0,5", false},
      {"pi", "-2", "2", "1", false},
      {"5,50", "-2", "2", "1", true},
      {"x[3]", "1", "3", "1", false},
      {"gcd[x;12]", "-6", "6", "1", false},
  };
  for (const Case& c : cases) {
    PlotSettings settings;
    settings.start = c.start;
    settings.stop = c.stop;
    settings.increment = c.increment;
    settings.derivative = c.derivative;
    const RunResult compiled = Plot(catalogues, c.expression, settings, false);
    const RunResult reference = Plot(catalogues, c.expression, settings, true);
    ExpectSameRun(c.expression, compiled, reference);
  }
}

TEST(CompiledPlot, BenchmarkExpressionsReplayEverySampleAfterTheFirst) {
  const Catalogues catalogues;
  const char* const expressions[] = {
      "2x+4",
      "x-10(x+8(x-6(x+4(x-2(x10x)2+x)4-x)6+x)8-x)10+x",
      "sin[x]+cos[1,6x]",
      "(1/4(sqrt[x]cos[1+x(2-ln[exp[9]](pi+2x))])-sin[sqrt[x]]e)/2^(0-pi)",
      "primepi[x]",
      "gcd[x;10000000]"};
  for (const char* expression : expressions) {
    for (bool derivative : {false, true}) {
      PlotSettings settings;
      settings.start = "1";
      settings.stop = "30";
      settings.increment = "0,5";
      settings.derivative = derivative;
      const RunResult compiled = Plot(catalogues, expression, settings, false);
      const RunResult reference = Plot(catalogues, expression, settings, true);
      ExpectSameRun(expression, compiled, reference);
      EXPECT_EQ(compiled.replayed + 1, compiled.points.size()) << expression;
    }
  }
}

// The integer path against the token engine: ranges across zero (zeros, sign
// changes, turning points), steps other than 1, values beyond the text digits
// and sums beyond 2^64, samples that leave whole numbers now and then.
TEST(CompiledPlot, WholeNumberRunsMatchTheTokenEngine) {
  const Catalogues catalogues;
  std::mt19937 random(20261211);
  const char* const shapes[] = {
      "x*x*x*x",             // beyond 10^15 from x = 5624; sums beyond 2^64
      "(x-3)*(x+2)*(x-40)",  // turning points and sign changes
      "x/2",                 // whole at every other sample
      "(x*x-400)/2",         // the integers leave and return around a minimum
      "0*x+5",               // -0 inside for negative x
      "gcd[x;360]",
      "x*1000000007*1000000007",  // beyond 9 * 10^18, off the integers
  };
  std::size_t samples = 0;
  std::size_t whole = 0;
  for (int i = 0; i < 400; ++i) {
    const std::string expression =
        i < 7 ? shapes[i] : korvex::testing::RandomWholeExpression(random, 1 + i % 4);
    PlotSettings settings;
    const char* const increments[] = {"1", "1", "2", "7", "250"};
    const int start = static_cast<int>(random() % 6001) - 3000;
    settings.increment = increments[random() % 5];
    settings.start = std::to_string(start);
    settings.stop =
        std::to_string(start + static_cast<int>(random() % 400) * std::stoi(settings.increment));
    if (i < 7) {
      settings.start = "-60";
      settings.stop = "9000";
      settings.increment = "1";
    }
    const RunResult compiled = Plot(catalogues, expression, settings, false);
    const RunResult reference = Plot(catalogues, expression, settings, true);
    const std::string label = expression + " over " + settings.start + ".." + settings.stop +
                              " step " + settings.increment;
    ExpectSameRun(label, compiled, reference);
    samples += compiled.points.size();
    whole += compiled.whole;
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_GT(whole, samples / 2) << whole << " of " << samples;
}

// A stop requested in the middle of an integer run ends it after the same
// sample, with the same points and lines, as on the token engine.
TEST(CompiledPlot, AStopInAWholeNumberRunEndsItWhereTheTokenEngineEnds) {
  const Catalogues catalogues;
  class StopAt : public PlotProgress {
   public:
    StopAt(StopFlag& flag, std::size_t position) : flag_(flag), position_(position) {}
    void SetProgressPosition(std::size_t position) override {
      if (position == position_) flag_.Request();
    }

   private:
    StopFlag& flag_;
    std::size_t position_;
  };
  RunResult runs[2];
  for (const bool token_engine : {false, true}) {
    RecordingSink sink;
    Engine engine(sink);
    engine.environment().functions = &catalogues.functions;
    engine.environment().constants = &catalogues.constants;
    StopFlag flag;
    engine.environment().stop = &flag;
    Plotter plotter(engine);
    StopAt progress(flag, 5000);
    plotter.set_progress(&progress);
    plotter.settings().start = "-20";
    plotter.settings().stop = "100000";
    plotter.settings().increment = "1";
    plotter.set_force_token_engine(token_engine);
    RunResult& run = runs[token_engine ? 1 : 0];
    run.plotted = plotter.SolvePlot("3x*x-7");
    run.points = plotter.chart().series(1).points();
    run.stats = plotter.stats(1);
    run.whole = plotter.whole_samples();
    run.reports = sink.reports;
  }
  EXPECT_FALSE(runs[0].plotted);
  EXPECT_EQ(runs[0].points.size(), 5000u);
  EXPECT_GT(runs[0].whole, 4900u);
  ExpectSameRun("3x*x-7 stopped at 5000", runs[0], runs[1]);
}

// Reminders inside an integer run come before the same samples as on the
// token engine, with the same points shown, and the lines and sums go on
// across them unchanged; the Reminder's "Stop" ends the run at the same
// sample.
TEST(CompiledPlot, RemindersInAWholeNumberRunComeWhereTheTokenEngineHasThem) {
  const Catalogues catalogues;
  class Reminded : public PlotProgress {
   public:
    Reminded(ManualClock& clock, const ChartModel& chart) : clock_(clock), chart_(chart) {}
    void SetProgressPosition(std::size_t) override { clock_.Advance(1000); }
    bool ShowReminder() override {
      shown.push_back(chart_.series(1).count());
      return shown.size() < 40;
    }
    std::vector<std::size_t> shown;

   private:
    ManualClock& clock_;
    const ChartModel& chart_;
  };
  RunResult runs[2];
  std::vector<std::size_t> shown[2];
  for (const bool token_engine : {false, true}) {
    RecordingSink sink;
    Engine engine(sink);
    engine.environment().functions = &catalogues.functions;
    engine.environment().constants = &catalogues.constants;
    ManualClock clock;
    Plotter plotter(engine, clock);
    Reminded progress(clock, plotter.chart());
    plotter.set_progress(&progress);
    // A sample takes a millisecond: a reminder after every seventh, which
    // falls at every place of the integers' blocks in turn.
    plotter.set_reminder_interval(7);
    plotter.settings().start = "-20";
    plotter.settings().stop = "100000";
    plotter.settings().increment = "1";
    plotter.set_force_token_engine(token_engine);
    RunResult& run = runs[token_engine ? 1 : 0];
    run.plotted = plotter.SolvePlot("3x*x-7");
    run.points = plotter.chart().series(1).points();
    run.stats = plotter.stats(1);
    run.whole = plotter.whole_samples();
    run.reports = sink.reports;
    shown[token_engine ? 1 : 0] = progress.shown;
  }
  EXPECT_FALSE(runs[0].plotted);
  ASSERT_EQ(shown[0].size(), 40u);
  EXPECT_EQ(shown[0].front(), 7u);
  EXPECT_EQ(shown[0], shown[1]);
  EXPECT_GT(runs[0].whole, 200u);
  ExpectSameRun("3x*x-7 with reminders", runs[0], runs[1]);
}

}  // namespace
}  // namespace korvex
