// The Solution window with a million steps solved from a text of
// megabytes: showing them with their expression, and walking the steps with
// the highlight following.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <QTest>
#include <memory>
#include <string>

#include "engine/engine.h"
#include "ui/solution_window.h"

namespace korvex {
namespace {

class NullSink : public ErrorSink {
 public:
  void ReportError(const std::string&, const std::string&) override {}
};

// (1+(1+(...(1+1)...))) a million groups deep: a million steps, each
// reducing a part of a text of four megabytes.
struct MillionSteps {
  MillionSteps() : engine(sink) {
    constexpr std::size_t kDepth = 1000000;
    for (std::size_t i = 0; i < kDepth; ++i) text += "(1+";
    text += "1";
    text.append(kDepth, ')');
    solved = engine.Solve(text) && engine.steps().size() == kDepth;
  }
  NullSink sink;
  Engine engine;
  std::string text;
  bool solved = false;
};

// One application and one solve for the whole program; windows are drawn
// off screen unless a platform is asked for.
MillionSteps& Solved() {
  static int argc = 1;
  static char name[] = "solution_window_bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  static MillionSteps steps;
  return steps;
}

// "View solution" on a window that shows other steps: the copy of the log,
// the expression and the first paint.
void BM_ShowAMillionSteps(benchmark::State& state) {
  MillionSteps& solved = Solved();
  if (!solved.solved) state.SkipWithError("solve failed");
  std::uint64_t revision = 0;
  for (auto _ : state) {
    SolutionWindow window(nullptr);
    window.SetSteps(solved.engine.steps(), solved.text, ++revision);
    window.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.grab());
  }
}
BENCHMARK(BM_ShowAMillionSteps)->Unit(benchmark::kMillisecond);

// Down through steps in the middle of the log, each painted with its
// highlight in view.
void BM_WalkTheSteps(benchmark::State& state) {
  MillionSteps& solved = Solved();
  if (!solved.solved) state.SkipWithError("solve failed");
  SolutionWindow window(nullptr);
  window.SetSteps(solved.engine.steps(), solved.text, 1);
  window.show();
  auto* view = window.findChild<QListView*>(QStringLiteral("solution"));
  view->setCurrentIndex(view->model()->index(view->model()->rowCount() / 2, 0));
  for (auto _ : state) {
    QTest::keyClick(view, Qt::Key_Down);
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.grab());
  }
}
BENCHMARK(BM_WalkTheSteps)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvex
