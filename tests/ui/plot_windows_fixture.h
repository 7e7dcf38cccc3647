// The plot windows wired together as the program wires them, on a temporary
// program directory, with scripted seams for the reminder, the large-table
// warning and the export questions, and plots run as the main window runs
// them: on the calculator's worker, their outcome applied when it arrives.
#pragma once

#include <gtest/gtest.h>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/calculator.h"
#include "engine/test_support.h"
#include "ui/chart_view.h"
#include "ui/choose_serie_dialog.h"
#include "ui/graph_window.h"
#include "ui/plot_info_window.h"
#include "ui/plot_run_display.h"
#include "ui/plot_warning_dialog.h"
#include "ui/reminder_dialog.h"
#include "ui/request_runner.h"
#include "ui/table_stats_window.h"
#include "ui/ui_test_support.h"

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace korvex::testing {

template <typename T>
T* Child(QObject* root, const char* name) {
  return root->findChild<T*>(QString::fromLatin1(name));
}

// Answers at once, while the run waits for it.
class ScriptedReminder : public ReminderSeam {
 public:
  void AskReminder(std::function<void(bool go_on)> answered) override {
    ++shown;
    answered(shown < stop_at);
  }
  int shown = 0;
  int stop_at = 1 << 30;  // the reminder that answers "Stop"
};

class ScriptedWarning : public PlotWarningSeam {
 public:
  bool ConfirmLargeTable(const QString& recommended, const QString& includes) override {
    asked << recommended + QStringLiteral(" | ") + includes;
    return answer;
  }
  QStringList asked;
  bool answer = true;
};

class ScriptedExport : public ExportSeam {
 public:
  std::optional<ExportRequest> AskExport(QWidget*, const QStringList& titles) override {
    offered = titles;
    return request;
  }
  std::optional<ExportRequest> request;
  QStringList offered;
};

// A fresh program directory, a calculator and the plot windows.
struct PlotWindows {
  explicit PlotWindows(std::size_t line_limit = kTableLineLimit)
      : app((TestApp(), 0)),
        calculator(ProgramDirectory(directory), messages),
        chooser(calculator.plots(), warning, nullptr, line_limit),
        table_stats(calculator.plots(), chooser),
        graph(calculator, messages, table_stats, nullptr, &exports),
        display(calculator, plot_info, reminder, graph,
                [this](const QString& text) { answers << text; }),
        runner(calculator) {
    calculator.set_error_sink(&sink);
    runner.set_failure_display(
        [this](const std::string& text) { messages.ShowFailure(QString::fromStdString(text)); });
  }

  static std::string ProgramDirectory(const QTemporaryDir& directory) {
    QDir(directory.path()).mkpath(QStringLiteral("bin"));
    return directory.path().toStdString();
  }

  // A plot request as the main window starts one, waited for until its
  // outcome has been applied and shown. True when every sample was plotted.
  bool Plot(std::string_view text) {
    auto request =
        std::make_shared<PlotRequest>(calculator.MakePlotRequest(text, calculator.session()));
    // Shared with the handler, which outlives this call if the wait gives up.
    auto status = std::make_shared<std::optional<PlotOutcome::Status>>();
    const bool started = runner.Start<PlotOutcome>(
        [request, &notices = display.posted()](RequestContext& context) {
          return context.Plot(*request, notices);
        },
        [this, status](PlotOutcome& outcome) {
          calculator.session().Apply(outcome);
          ReplayFailures(outcome.reported, calculator.errors());
          display.EndRun(outcome);
          if (!outcome.failure_text.empty())
            messages.ShowFailure(QString::fromStdString(outcome.failure_text));
          *status = outcome.status;
        });
    EXPECT_TRUE(started) << "another request was running";
    if (!started) return false;
    EXPECT_TRUE(QTest::qWaitFor([&] { return status->has_value(); }, 30000))
        << "the plot of " << text << " was not handed back";
    return *status == PlotOutcome::Status::kComplete;
  }
  PlotSettings& settings() { return calculator.plot_settings(); }
  const ChartModel& model() const { return calculator.plots().chart(); }
  std::vector<std::string> ErrorMessages() const {
    std::vector<std::string> messages;
    for (const Report& report : sink.reports) messages.push_back(report.message);
    return messages;
  }
  template <typename T>
  T* InGraph(const char* name) {
    return Child<T>(&graph, name);
  }
  void Click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton);
  }
  void ClickInGraph(const char* name) { Click(InGraph<QWidget>(name)); }

  int app;
  QTemporaryDir directory;
  RecordingSink sink;
  RecordingMessages messages;
  Calculator calculator;
  ScriptedReminder reminder;
  ScriptedWarning warning;
  ScriptedExport exports;
  ChooseSerieDialog chooser;
  TableStatsWindow table_stats;
  GraphWindow graph;
  PlotInfoWindow plot_info;
  PlotRunDisplay display;
  QStringList answers;
  // Last: it stops and waits for a request still running before the
  // windows that request tells go.
  RequestRunner runner;
};

}  // namespace korvex::testing
