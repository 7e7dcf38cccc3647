// The Table and stats window with a series of a million points: filling and
// showing it, and scrolling through the Table page.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <memory>
#include <random>

#include "core/calculator.h"
#include "ui/chart_view.h"
#include "ui/choose_serie_dialog.h"
#include "ui/graph_window.h"
#include "ui/message_seam.h"
#include "ui/plot_warning_dialog.h"
#include "ui/table_stats_window.h"

namespace korvex {
namespace {

class CountingSink : public ErrorSink {
 public:
  void ReportError(const std::string&, const std::string&) override { ++count; }
  int count = 0;
};

class NoMessages : public MessageSeam {
 public:
  void Inform(const QString&) override {}
  void ShowFailure(const QString&) override {}
  bool Ask(const QString&) override { return true; }
};

class AlwaysYes : public PlotWarningSeam {
 public:
  bool ConfirmLargeTable(const QString&, const QString&) override { return true; }
};

// x^2 from -500 to 500 in steps of 0,001: 1000001 table lines of the
// lengths a real run gives ("x: -499,998999999998 = f(x): 249998,999...").
struct MillionPointSeries {
  MillionPointSeries() : calculator(Directory(directory), quiet) {
    calculator.set_error_sink(&errors);
    calculator.context().plotter().timing().benchmark_running = true;
    PlotSettings& settings = calculator.plot_settings();
    settings.start = "-500";
    settings.stop = "500";
    settings.increment = "0,001";
    plotted = calculator.Plot("x^2").status == PlotOutcome::Status::kComplete;
  }
  static std::string Directory(const QTemporaryDir& directory) {
    QDir(directory.path()).mkpath(QStringLiteral("bin"));
    return directory.path().toStdString();
  }

  QTemporaryDir directory;
  CountingSink errors;
  NoMessages quiet;
  Calculator calculator;
  bool plotted = false;
};

// One application and one plotted series for the whole program; windows are
// drawn off screen unless a platform is asked for.
MillionPointSeries& Series() {
  static int argc = 1;
  static char name[] = "table_view_bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  static MillionPointSeries series;
  return series;
}

struct Windows {
  explicit Windows(PlotStore& plots) : chooser(plots, yes), table(plots, chooser) {}
  AlwaysYes yes;
  ChooseSerieDialog chooser;
  TableStatsWindow table;
};

// From the choice of the series to the Table page painted on screen.
void BM_ShowMillionLineTable(benchmark::State& state) {
  MillionPointSeries& series = Series();
  if (!series.plotted) {
    state.SkipWithError("the plot failed");
    return;
  }
  Windows windows(series.calculator.plots());
  auto* view = windows.table.findChild<LinesView*>(QStringLiteral("table"));
  for (auto _ : state) {
    windows.table.FillTableAndStats(1);
    QApplication::processEvents();
    windows.table.repaint();
    view->viewport()->repaint();
  }
  state.counters["lines"] = static_cast<double>(view->size());
}
BENCHMARK(BM_ShowMillionLineTable)->Unit(benchmark::kMillisecond)->UseRealTime();

// One step of scrolling, painted: a page down (arg 0) or a jump to a random
// place of the list (arg 1).
void BM_ScrollMillionLineTable(benchmark::State& state) {
  MillionPointSeries& series = Series();
  if (!series.plotted) {
    state.SkipWithError("the plot failed");
    return;
  }
  Windows windows(series.calculator.plots());
  windows.table.FillTableAndStats(1);
  QApplication::processEvents();
  auto* view = windows.table.findChild<LinesView*>(QStringLiteral("table"));
  QScrollBar* bar = view->verticalScrollBar();
  std::mt19937 random(7);
  std::uniform_int_distribution<int> anywhere(0, bar->maximum());
  for (auto _ : state) {
    const int next = state.range(0) == 0 ? (bar->value() + bar->pageStep()) % (bar->maximum() + 1)
                                         : anywhere(random);
    bar->setValue(next);
    view->viewport()->repaint();
  }
  state.SetLabel(state.range(0) == 0 ? "page down" : "jump");
  state.counters["scroll_range"] = bar->maximum();
}
BENCHMARK(BM_ScrollMillionLineTable)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The Graph window drawing the million points anew, as after a plot.
void BM_DrawMillionPointGraph(benchmark::State& state) {
  MillionPointSeries& series = Series();
  if (!series.plotted) {
    state.SkipWithError("the plot failed");
    return;
  }
  Windows windows(series.calculator.plots());
  NoMessages messages;
  GraphWindow graph(series.calculator, messages, windows.table);
  graph.resize(900, 600);
  graph.ShowGraph();
  QApplication::processEvents();
  for (auto _ : state) {
    graph.chart()->Rebuild();
    graph.chart()->repaint();
  }
}
BENCHMARK(BM_DrawMillionPointGraph)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace korvex
