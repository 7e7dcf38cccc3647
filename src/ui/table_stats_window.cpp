// The Table and stats window: the pages, the virtualised line lists and the
// fill from one series' statistics.
#include "ui/table_stats_window.h"

#include <QAction>
#include <QClipboard>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "plot/plot_store.h"
#include "plot/series_figures.h"
#include "ui/choose_serie_dialog.h"
#include "ui/window_support.h"

namespace korvex {
namespace {

struct ListPageTexts {
  const char* caption;
  const char* view;
  const char* count;
  std::vector<std::string> SeriesStats::*lines;
};

// In page order; the figures page follows the first.
constexpr ListPageTexts kListPageTexts[] = {
    {"Table", "table", "tablecount", &SeriesStats::table_lines},
    {"Top points", "toptable", "topcount", &SeriesStats::top_lines},
    {"Bottom points", "bottomtable", "bottomcount", &SeriesStats::bottom_lines},
    {"Max points", "maxtable", "maxcount", &SeriesStats::max_lines},
    {"Min points", "mintable", "mincount", &SeriesStats::min_lines},
    {"Zero points", "zerotable", "zerocount", &SeriesStats::zero_lines},
};

struct TableStatsTexts {
  const char* name = "Form17";
  const char* caption = "Table and stats";
  const char* stats_page = "Table stats";
  const char* max_value = "Max point value:";
  const char* min_value = "Min point value:";
  const char* sum_points = "Sum points:";
  const char* point_area = "Point area:";
  const char* point_mean = "Point mean:";
  const char* initial_count = "# of points 0";
  const char* count = "# of points: ";
  const char* close = "Close";
  const char* close_hint = "Close current form";
  const char* change = "Change serie";
  const char* change_hint = "Change serie to view table and statistics from another serie";
  const char* copy = "Copy";
};
constexpr TableStatsTexts kTexts;
// Lines with up to this many characters fewer than the longest are measured
// too, since digits and letters differ a little in width.
constexpr std::size_t kMeasuredSlack = 2;
constexpr int kMeasuredLines = 64;
constexpr int kRowPadding = 12;

QLineEdit* FigureField(const char* name, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setReadOnly(true);
  return field;
}

}  // namespace

void LinesModel::SetLines(const std::vector<std::string>& lines) {
  beginResetModel();
  std::size_t total = 0;
  for (const std::string& line : lines) total += line.size();
  std::string text;
  text.reserve(total);
  std::vector<std::size_t> ends;
  ends.reserve(lines.size());
  std::size_t longest = 0;
  longest_row_ = lines.empty() ? -1 : 0;
  for (std::size_t row = 0; row < lines.size(); ++row) {
    text += lines[row];
    ends.push_back(text.size());
    if (lines[row].size() > longest) {
      longest = lines[row].size();
      longest_row_ = static_cast<int>(row);
    }
  }
  text_ = std::move(text);
  ends_ = std::move(ends);
  row_size_ = QSize();
  endResetModel();
}

QString LinesModel::Line(std::size_t row) const {
  const std::size_t begin = row == 0 ? 0 : ends_[row - 1];
  return QString::fromUtf8(text_.data() + begin, static_cast<qsizetype>(ends_[row] - begin));
}

int LinesModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(ends_.size());
}

QVariant LinesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || static_cast<std::size_t>(index.row()) >= size())
    return QVariant();
  if (role == Qt::DisplayRole) return Line(static_cast<std::size_t>(index.row()));
  if (role == Qt::SizeHintRole && row_size_.isValid()) return row_size_;
  return QVariant();
}

LinesView::LinesView(QWidget* parent) : QListView(parent), lines_(new LinesModel(this)) {
  setModel(lines_);
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setWordWrap(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  auto* copy = new QAction(QString::fromLatin1(kTexts.copy), this);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetShortcut);
  connect(copy, &QAction::triggered, this, &LinesView::CopySelection);
  addAction(copy);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

void LinesView::SetLines(const std::vector<std::string>& lines) {
  lines_->SetLines(lines);
  // Every row reports the size of the widest, so neither the layout nor the
  // horizontal scroll range has to look at a million rows.
  const QFontMetrics metrics(font());
  const std::size_t longest =
      lines_->longest_row() < 0 ? 0 : lines[static_cast<std::size_t>(lines_->longest_row())].size();
  int width = 0;
  int measured = 0;
  for (std::size_t row = 0; row < lines.size() && measured < kMeasuredLines; ++row) {
    if (lines[row].size() + kMeasuredSlack < longest) continue;
    width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(lines[row])));
    ++measured;
  }
  lines_->set_row_size(QSize(width + kRowPadding, metrics.height() + 2));
  scrollToTop();
}

QString LinesView::SelectedText() const {
  std::vector<std::pair<int, int>> spans;
  for (const QItemSelectionRange& range : selectionModel()->selection())
    spans.emplace_back(range.top(), range.bottom());
  std::sort(spans.begin(), spans.end());
  QStringList chosen;
  int next = 0;  // rows before this one are taken already
  for (const auto& [top, bottom] : spans) {
    for (int row = std::max(top, next); row <= bottom; ++row)
      chosen << lines_->Line(static_cast<std::size_t>(row));
    next = std::max(next, bottom + 1);
  }
  return chosen.join(QLatin1Char('\n'));
}

void LinesView::CopySelection() const {
  const QString text = SelectedText();
  if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

void LinesView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopySelection();
    event->accept();
    return;
  }
  QListView::keyPressEvent(event);
}

TableStatsWindow::TableStatsWindow(PlotStore& plots, ChooseSerieDialog& chooser, QWidget* parent)
    : QDialog(parent), plots_(plots), chooser_(chooser) {
  setObjectName(QString::fromLatin1(kTexts.name));
  setWindowTitle(QString::fromLatin1(kTexts.caption));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("pages"));
  for (std::size_t i = 0; i < kListPages; ++i) {
    const ListPageTexts& texts = kListPageTexts[i];
    auto* page = new QWidget(pages_);
    auto* group = new QGroupBox(QString::fromLatin1(texts.caption), page);
    auto* count = new QLabel(QString::fromLatin1(kTexts.initial_count), group);
    count->setObjectName(QString::fromLatin1(texts.count));
    count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* view = new LinesView(group);
    view->setObjectName(QString::fromLatin1(texts.view));
    auto* group_layout = new QVBoxLayout(group);
    group_layout->addWidget(count);
    group_layout->addWidget(view, 1);
    auto* page_layout = new QVBoxLayout(page);
    page_layout->addWidget(group);
    pages_->addTab(page, QString::fromLatin1(texts.caption));
    lists_[i] = {view, count};
  }

  auto* stats_page = new QWidget(pages_);
  auto* stats_group = new QGroupBox(QString::fromLatin1(kTexts.stats_page), stats_page);
  maxvalue_ = FigureField("maxvalue", stats_group);
  minvalue_ = FigureField("minvalue", stats_group);
  sumpoints_ = FigureField("sumpoints", stats_group);
  pointarea_ = FigureField("pointarea", stats_group);
  pointmean_ = FigureField("pointmean", stats_group);
  auto* figures = new QFormLayout(stats_group);
  figures->addRow(QString::fromLatin1(kTexts.max_value), maxvalue_);
  figures->addRow(QString::fromLatin1(kTexts.min_value), minvalue_);
  figures->addRow(QString::fromLatin1(kTexts.sum_points), sumpoints_);
  figures->addRow(QString::fromLatin1(kTexts.point_area), pointarea_);
  figures->addRow(QString::fromLatin1(kTexts.point_mean), pointmean_);
  auto* stats_layout = new QVBoxLayout(stats_page);
  stats_layout->addWidget(stats_group);
  stats_layout->addStretch(1);
  pages_->insertTab(1, stats_page, QString::fromLatin1(kTexts.stats_page));

  auto* close = new QPushButton(QString::fromLatin1(kTexts.close), this);
  close->setObjectName(QStringLiteral("close"));
  close->setToolTip(QString::fromLatin1(kTexts.close_hint));
  close->setDefault(true);
  auto* change = new QPushButton(QString::fromLatin1(kTexts.change), this);
  change->setObjectName(QStringLiteral("changeserie"));
  change->setToolTip(QString::fromLatin1(kTexts.change_hint));
  change->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &TableStatsWindow::closeClick);
  connect(change, &QPushButton::clicked, this, &TableStatsWindow::changeserieClick);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(change);
  buttons->addStretch(1);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_, 1);
  layout->addLayout(buttons);
  resize(640, 520);

  connect(&chooser_, &ChooseSerieDialog::serieChosen, this, &TableStatsWindow::FillTableAndStats);
}

void TableStatsWindow::FillTableAndStats(int number) {
  const ChartModel& chart = plots_.chart();
  if (number < 1 || static_cast<std::size_t>(number) > chart.series_count()) return;
  const auto n = static_cast<std::size_t>(number);
  const SeriesStats& stats = plots_.stats(n);
  for (std::size_t i = 0; i < kListPages; ++i) {
    const std::vector<std::string>& lines = stats.*kListPageTexts[i].lines;
    lists_[i].view->SetLines(lines);
    lists_[i].count->setText(QString::fromLatin1(kTexts.count) + QString::number(lines.size()));
  }
  const SeriesFigures figures = ComputeSeriesFigures(chart.series(n), stats);
  maxvalue_->setText(QString::fromStdString(figures.max_value));
  minvalue_->setText(QString::fromStdString(figures.min_value));
  sumpoints_->setText(QString::fromStdString(figures.sum_points));
  pointarea_->setText(QString::fromStdString(figures.point_area));
  pointmean_->setText(QString::fromStdString(figures.point_mean));
  BringUp(this);
}

void TableStatsWindow::changeserieClick() { chooser_.ChooseSerie(); }

void TableStatsWindow::closeClick() { hide(); }

}  // namespace korvex
