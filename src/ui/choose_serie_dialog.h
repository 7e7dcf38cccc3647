// The series chooser (Form18): picks the series whose table and statistics
// are shown, asking first when the table would be very large.
#pragma once

#include <QDialog>
#include <cstddef>

class QListWidget;
class QListWidgetItem;

namespace korvex {

class PlotStore;
class PlotWarningSeam;

// Tables of this many lines or more are filled only after the Warning dialog.
inline constexpr std::size_t kTableLineLimit = 1000000;

class ChooseSerieDialog : public QDialog {
  Q_OBJECT

 public:
  ChooseSerieDialog(PlotStore& plots, PlotWarningSeam& warning, QWidget* parent = nullptr,
                    std::size_t line_limit = kTableLineLimit);

  // Lists the series titles, selects the first and shows the chooser
  // application-modal without waiting; its buttons end it.
  void ChooseSerie();

 signals:
  // The user chose series `number` (1-based) and, for a large table,
  // confirmed the warning. The chooser closes right after.
  void serieChosen(int number);

 public slots:
  void okClick();
  void cancelClick();

 private:
  PlotStore& plots_;
  PlotWarningSeam& warning_;
  std::size_t line_limit_;
  QListWidget* list_;
};

}  // namespace korvex
