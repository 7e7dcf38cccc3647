// The Solution window's texts, its page of step lines and its refresh.
#include "ui/solution_window.h"

#include <QAbstractListModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeySequence>
#include <QListView>
#include <QSize>
#include <QStringList>
#include <QStyle>
#include <algorithm>
#include <utility>

#include "ui/solved_expression_view.h"
#include "ui/step_line_delegate.h"

namespace korvex {

constexpr TextPageTexts kSolutionTexts = {"Form3", "Solution",
                                          "Solution for last calculated expression", "solution"};

// One row per step; a row's text is built from the log when the view asks.
class StepListModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  void Reset(StepLog steps, QSize row_size) {
    beginResetModel();
    steps_ = std::move(steps);
    row_size_ = row_size;
    endResetModel();
  }
  const StepLog& steps() const { return steps_; }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(steps_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return Line(index.row());
    // Every row as wide as the widest, so the view need not measure rows.
    if (role == Qt::SizeHintRole) return row_size_;
    return {};
  }
  QString Line(int row) const {
    return QString::fromStdString(steps_.Text(static_cast<size_t>(row)));
  }

 private:
  StepLog steps_;
  QSize row_size_;
};

namespace {

// Measuring every line would build every text; past this many characters
// only the longest line is measured, with room for wider characters.
constexpr size_t kMeasureAllUpTo = size_t{1} << 20;

int WidestLine(const StepLog& steps, const QFont& font) {
  const QFontMetrics metrics(font);
  size_t total = 0;
  size_t longest = 0;
  for (size_t i = 0; i < steps.size(); ++i) {
    total += steps.TextLength(i);
    if (steps.TextLength(i) > steps.TextLength(longest)) longest = i;
  }
  if (steps.empty()) return 0;
  if (total <= kMeasureAllUpTo) {
    int widest = 0;
    for (size_t i = 0; i < steps.size(); ++i)
      widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(steps.Text(i))));
    return widest;
  }
  // Laying out a line of megabytes takes seconds; summed character widths
  // are close, and the margin covers the difference.
  const auto width =
      static_cast<int>(CharacterAdvances(font).Width(QString::fromStdString(steps.Text(longest))));
  return width + width / 10;
}

}  // namespace

SolutionWindow::SolutionWindow(QWidget* parent)
    : TextPageWindow(kSolutionTexts, new QListView, parent),
      expression_(new SolvedExpressionView),
      view_(findChild<QListView*>(QString::fromLatin1(kSolutionTexts.page_name))),
      model_(new StepListModel(this)) {
  expression_->setObjectName(QStringLiteral("solvedexpression"));
  AddAbovePage(expression_);
  view_->setModel(model_);
  view_->setItemDelegate(new StepLineDelegate(view_));
  view_->setUniformItemSizes(true);
  view_->setTextElideMode(Qt::ElideNone);
  view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* copy = new QAction(view_);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetShortcut);
  view_->addAction(copy);
  connect(copy, &QAction::triggered, this, &SolutionWindow::CopySelection);
  QItemSelectionModel* selection = view_->selectionModel();
  connect(selection, &QItemSelectionModel::currentChanged, this,
          &SolutionWindow::HighlightCurrentStep);
  connect(selection, &QItemSelectionModel::selectionChanged, this,
          &SolutionWindow::HighlightCurrentStep);
}

void SolutionWindow::SetSteps(const StepLog& steps, const std::string& solved_text,
                              std::uint64_t revision) {
  if (shown_revision_ == revision) return;
  shown_revision_ = revision;
  // Reading a log moves its replay position: this window reads only its own
  // copy, never the session's.
  StepLog copy = steps;
  const QFontMetrics metrics(view_->font());
  // The delegate's margins beside the text.
  const int margin =
      2 * (view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1);
  const QSize row_size(WidestLine(copy, view_->font()) + margin, metrics.height() + 2);
  expression_->SetText(solved_text);
  model_->Reset(std::move(copy), row_size);
  HighlightCurrentStep();
  if (model_->rowCount({}) > 0) view_->setCurrentIndex(model_->index(0));
}

void SolutionWindow::showEvent(QShowEvent* event) {
  TextPageWindow::showEvent(event);
  view_->setFocus();
}

void SolutionWindow::HighlightCurrentStep() {
  const QModelIndex current = view_->currentIndex();
  if (current.isValid() && view_->selectionModel()->isSelected(current))
    expression_->Highlight(model_->steps().Places(static_cast<size_t>(current.row())));
  else
    expression_->Highlight({});
}

void SolutionWindow::CopySelection() {
  QModelIndexList rows = view_->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  QStringList lines;
  for (const QModelIndex& row : rows) lines << model_->Line(row.row());
  QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

}  // namespace korvex
