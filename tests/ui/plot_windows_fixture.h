// The plot windows wired together as the program wires them, on a temporary
// program directory, with scripted seams for the reminder, the large-table
// warning and the export questions.
#pragma once

#include <gtest/gtest.h>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
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

class ScriptedReminder : public ReminderSeam {
 public:
  bool ShowReminder() override {
    ++shown;
    return shown < stop_at;
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
        chooser(calculator.plotter(), warning, nullptr, line_limit),
        table_stats(calculator.plotter(), chooser),
        graph(calculator, messages, table_stats, nullptr, &exports),
        display(plot_info, reminder, graph, [this](const QString& text) { answers << text; }) {
    calculator.set_error_sink(&sink);
    calculator.set_plot_progress(&display);
  }
  ~PlotWindows() { calculator.set_plot_progress(nullptr); }

  static std::string ProgramDirectory(const QTemporaryDir& directory) {
    QDir(directory.path()).mkpath(QStringLiteral("bin"));
    return directory.path().toStdString();
  }

  // The plot driver itself: an arithmetic failure escapes.
  bool Plot(std::string_view text) { return calculator.plotter().SolvePlot(text); }
  PlotSettings& settings() { return calculator.plot_settings(); }
  const ChartModel& model() const { return calculator.plotter().chart(); }
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
};

}  // namespace korvex::testing
