// The Table and stats window (Form17): the point lists and figures of one
// chosen series, in seven pages. The lists stay quick for millions of lines.
#pragma once

#include <QAbstractListModel>
#include <QDialog>
#include <QListView>
#include <QSize>
#include <array>
#include <cstddef>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace korvex {

class ChooseSerieDialog;
class PlotStore;

// A read-only copy of a list of lines, one row each, held in one buffer.
class LinesModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  void SetLines(const std::vector<std::string>& lines);
  std::size_t size() const { return ends_.size(); }
  QString Line(std::size_t row) const;
  // A row with the most characters; -1 when there are no rows.
  int longest_row() const { return longest_row_; }
  // The one size every row reports, so the view never measures them all.
  void set_row_size(QSize size) { row_size_ = size; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  std::string text_;
  std::vector<std::size_t> ends_;  // end of each line in text_
  int longest_row_ = -1;
  QSize row_size_;
};

// A virtualised list page: lines can be selected; Ctrl+C copies them.
class LinesView : public QListView {
  Q_OBJECT

 public:
  explicit LinesView(QWidget* parent = nullptr);

  void SetLines(const std::vector<std::string>& lines);
  std::size_t size() const { return lines_->size(); }
  LinesModel* lines() const { return lines_; }
  // The selected lines in list order, joined by line breaks.
  QString SelectedText() const;
  void CopySelection() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  LinesModel* lines_;
};

class TableStatsWindow : public QDialog {
  Q_OBJECT

 public:
  TableStatsWindow(PlotStore& plots, ChooseSerieDialog& chooser, QWidget* parent = nullptr);

 public slots:
  // Copies the lists and figures of series `number` (1-based) and shows the
  // window; they do not follow later changes of the graph.
  void FillTableAndStats(int number);
  void changeserieClick();
  void closeClick();

 private:
  struct ListPage {
    LinesView* view;
    QLabel* count;
  };
  static constexpr std::size_t kListPages = 6;

  PlotStore& plots_;
  ChooseSerieDialog& chooser_;
  QTabWidget* pages_;
  std::array<ListPage, kListPages> lists_{};
  QLineEdit* maxvalue_;
  QLineEdit* minvalue_;
  QLineEdit* sumpoints_;
  QLineEdit* pointarea_;
  QLineEdit* pointmean_;
};

}  // namespace korvex
