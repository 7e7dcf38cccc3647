// Feedback while typing as a user meets it: from a key press to the preview
// shown under the input, and the longest stall of the window thread while
// someone types a long expression at 50 keys per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include "bench_calculator.h"
#include "ui/live_preview.h"
#include "ui/preview_line.h"

namespace korvex {
namespace {

using Clock = std::chrono::steady_clock;

// Every event the window thread handles, timed: the longest is the longest
// time a user's key press could have waited.
class TimedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    if (depth_++ > 0) {
      const bool handled = QApplication::notify(receiver, event);
      --depth_;
      return handled;
    }
    const Clock::time_point start = Clock::now();
    const bool handled = QApplication::notify(receiver, event);
    longest = std::max(longest, Clock::now() - start);
    --depth_;
    return handled;
  }
  Clock::duration longest{};

 private:
  int depth_ = 0;
};

TimedApplication& App() {
  static int argc = 1;
  static char name[] = "live_preview_bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static TimedApplication app(argc, argv);
  return app;
}

struct Input {
  explicit Input(Calculator& calculator)
      : line(&edit), preview(calculator, &edit, &line, [] { return false; }) {
    edit.show();
    QObject::connect(&preview, &LivePreview::previewShown, [this] { ++shown; });
  }
  QLineEdit edit;
  PreviewLine line;
  LivePreview preview;
  int shown = 0;
};

double Percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(fraction * static_cast<double>(values.size() - 1))];
}

// One key press (a character typed at the end, or taken away again, so the
// text changes every time) until its preview is on the screen's widget.
void KeyToPreview(benchmark::State& state, const std::string& text) {
  App();
  BenchCalculator bench;
  if (!bench.Started(state)) return;
  Input input(bench.calculator());
  input.edit.setText(QString::fromStdString(text));
  input.edit.setFocus();
  std::vector<double> latencies;
  bool typed = false;
  for (auto _ : state) {
    const int before = input.shown;
    const Clock::time_point start = Clock::now();
    if (typed)
      QTest::keyClick(&input.edit, Qt::Key_Backspace);
    else
      QTest::keyClick(&input.edit, Qt::Key_Space);
    typed = !typed;
    while (input.shown == before) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    latencies.push_back(seconds * 1e3);
  }
  state.counters["median_ms"] = Percentile(latencies, 0.5);
  state.counters["p90_ms"] = Percentile(latencies, 0.9);
  if (input.line.kind() != Preview::Kind::kAnswer) state.SkipWithError("no answer previewed");
}

void BM_KeyToPreviewTypical(benchmark::State& state) {
  KeyToPreview(state, "2(1+3)*sqrt[16]-gcd[12;18]+mean[1;2;3]");
}
BENCHMARK(BM_KeyToPreviewTypical)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);

void BM_KeyToPreview10000Characters(benchmark::State& state) {
  std::string text = "1";
  while (text.size() + 4 <= 10000) text += "+2*3";
  KeyToPreview(state, text);
}
BENCHMARK(BM_KeyToPreview10000Characters)
    ->UseManualTime()
    ->Iterations(100)
    ->Unit(benchmark::kMillisecond);

// 1000 characters typed one key every 20 ms, previews arriving in between.
void BM_Typing1000CharactersAt50KeysPerSecond(benchmark::State& state) {
  TimedApplication& app = App();
  BenchCalculator bench;
  if (!bench.Started(state)) return;
  const QString phrase = QStringLiteral("2(1+3)*sqrt[16]-gcd[12;18]+mean[1;2;3]+");
  for (auto _ : state) {
    Input input(bench.calculator());
    input.edit.setFocus();
    QCoreApplication::processEvents();
    app.longest = {};
    Clock::time_point next = Clock::now();
    for (int i = 0; i < 1000; ++i) {
      QTest::keyClicks(&input.edit, QString(phrase[i % phrase.size()]));
      next += std::chrono::milliseconds(20);
      while (Clock::now() < next) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    state.counters["longest_stall_ms"] =
        std::chrono::duration<double, std::milli>(app.longest).count();
    state.counters["previews_shown"] = input.shown;
  }
}
BENCHMARK(BM_Typing1000CharactersAt50KeysPerSecond)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace korvex
