// The Graph window (Form13): the chart of every plotted series, its legend
// check boxes and the actions on the series, clipboard and exports.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <memory>
#include <optional>

#include "ui/window_support.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;

namespace korvex {

class Calculator;
class ChartView;
class MessageSeam;
class TableStatsWindow;

// The main window shows it after opening an empty graph from its menu.
inline constexpr const char* kEmptyGraphMessage =
    "This graph is empty, if you don't know how to plot a function, please check "
    "(Help/Tutorials)";

enum class ExportFormat { kPng, kSvg, kPdf, kCsv };

struct ExportRequest {
  QString path;
  ExportFormat format = ExportFormat::kPng;
  std::size_t serie = 1;  // the series whose points a CSV file holds
};

// Asks where and how to export, behind a seam so tests need no file dialog.
class ExportSeam {
 public:
  virtual ~ExportSeam() = default;
  // Nothing when the user cancelled.
  virtual std::optional<ExportRequest> AskExport(QWidget* parent,
                                                 const QStringList& series_titles) = 0;
};

class QtExportSeam : public ExportSeam {
 public:
  std::optional<ExportRequest> AskExport(QWidget* parent,
                                         const QStringList& series_titles) override;
};

class GraphWindow : public QDialog {
  Q_OBJECT

 public:
  // Without `exports` the window asks with the real file dialog.
  GraphWindow(Calculator& calculator, MessageSeam& messages, TableStatsWindow& table_stats,
              QWidget* parent = nullptr, ExportSeam* exports = nullptr);
  ~GraphWindow() override;

  // Shows the window, or brings it to the front, drawing the graph as it is.
  // Between such calls the graph redraws itself when the chart changes.
  void ShowGraph(Activation activation = Activation::kTakeFocus);
  ChartView* chart() const { return chart_; }

 public slots:
  void legendcheckClick();
  void refreshClick();
  void deleteserieClick();
  void copyClick();
  void exportClick();
  void tableClick();
  void clearClick();
  void closeClick();

 private:
  void FillLegend();
  void LegendItemChanged(QListWidgetItem* item);
  bool Export(const ExportRequest& request);

  Calculator& calculator_;
  MessageSeam& messages_;
  TableStatsWindow& table_stats_;
  std::unique_ptr<ExportSeam> own_exports_;
  ExportSeam* exports_;
  ChartView* chart_;
  QCheckBox* legendcheck_;
  QListWidget* legend_;
  QLabel* trace_;
};

}  // namespace korvex
