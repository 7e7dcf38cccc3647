// The Plot info window: labels, progress bar and the plotter's progress calls.
#include "ui/plot_info_window.h"
#include "ui/window_support.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "plot/chart_model.h"
#include "settings/colour.h"
#include "ui/chart_view.h"

namespace korvex {
namespace {

struct PlotInfoTexts {
  const char* name = "Form15";
  const char* caption = "Plot info";
  const char* group = "Please wait while plotting";
  const char* failed_group = "The plot failed, see (View/Error log)";
  const char* function = "Current function:";
  const char* serie = "Current serie:";
  const char* total = "Total calculations:";
  const char* done = "Calculations done:";
  const char* done_in = "Done in:";
  const char* per_calculation = "Per calculation:";
  const char* microseconds = "Microseconds:";
  const char* milliseconds = "Milliseconds:";
  const char* seconds = "Seconds:";
  const char* stop = "Stop";
  const char* stop_hint = "Stop plotting now (Esc)";
};
constexpr PlotInfoTexts kTexts;
// The bar fills in the colour new graphs start with.
constexpr Colour kBarColour = kDefaultGraphColour;
constexpr int kSubRowIndent = 16;
constexpr int kValueWidth = 220;

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

PlotInfoWindow::PlotInfoWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QString::fromLatin1(kTexts.name));
  setWindowTitle(QString::fromLatin1(kTexts.caption));

  auto* group = new QGroupBox(QString::fromLatin1(kTexts.group), this);
  group->setObjectName(QStringLiteral("group"));
  group_ = group;
  bar_ = new QProgressBar(group);
  bar_->setObjectName(QStringLiteral("bar"));
  bar_->setRange(0, 1);
  bar_->setValue(0);
  QPalette bar_palette = bar_->palette();
  bar_palette.setColor(QPalette::Highlight, ToQColor(kBarColour));
  bar_->setPalette(bar_palette);

  auto* grid = new QGridLayout;
  int row = 0;
  auto add_row = [&](const char* caption, const char* name, bool indented) {
    auto* label = new QLabel(QString::fromLatin1(caption), group);
    if (indented) label->setContentsMargins(kSubRowIndent, 0, 0, 0);
    auto* value = new QLabel(QString::fromLatin1(kNotAvailable), group);
    value->setObjectName(QString::fromLatin1(name));
    value->setMinimumWidth(kValueWidth);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(label, row, 0);
    grid->addWidget(value, row, 1);
    ++row;
    return value;
  };
  auto add_heading = [&](const char* caption) {
    grid->addWidget(new QLabel(QString::fromLatin1(caption), group), row++, 0, 1, 2);
  };
  function_ = add_row(kTexts.function, "function", false);
  serie_ = add_row(kTexts.serie, "serie", false);
  totalcalc_ = add_row(kTexts.total, "totalcalc", false);
  calcdone_ = add_row(kTexts.done, "calcdone", false);
  add_heading(kTexts.done_in);
  donemu_ = add_row(kTexts.microseconds, "donemu", true);
  donems_ = add_row(kTexts.milliseconds, "donems", true);
  donesec_ = add_row(kTexts.seconds, "donesec", true);
  add_heading(kTexts.per_calculation);
  percalcmu_ = add_row(kTexts.microseconds, "percalcmu", true);
  percalcms_ = add_row(kTexts.milliseconds, "percalcms", true);
  grid->setColumnStretch(1, 1);

  auto* group_layout = new QVBoxLayout(group);
  group_layout->addWidget(bar_);
  group_layout->addLayout(grid);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  QPushButton* close = AddCloseButtonRow(layout, this);
  connect(close, &QPushButton::clicked, this, &PlotInfoWindow::closeClick);
  stop_ = MakeButton("stop", kTexts.stop, kTexts.stop_hint, this);
  stop_->setEnabled(false);
  connect(stop_, &QPushButton::clicked, this, &PlotInfoWindow::stopRequested);
  if (auto* row = qobject_cast<QHBoxLayout*>(layout->itemAt(layout->count() - 1)->layout()))
    row->insertWidget(row->indexOf(close), stop_);
}

// Escape stops a running plot; otherwise it closes the window as usual.
void PlotInfoWindow::reject() {
  if (running()) {
    emit stopRequested();
    return;
  }
  QDialog::reject();
}

void PlotInfoWindow::ShowFigures(const PlotInfo& info) {
  function_->setText(Text(info.function));
  serie_->setText(Text(info.serie));
  totalcalc_->setText(Text(info.total_calculations));
  calcdone_->setText(Text(info.calculations_done));
  donemu_->setText(Text(info.done_mu));
  donems_->setText(Text(info.done_ms));
  donesec_->setText(Text(info.done_sec));
  percalcmu_->setText(Text(info.per_calculation_mu));
  percalcms_->setText(Text(info.per_calculation_ms));
}

// Only whole-percent steps touch the bar, which keeps the cost of a step to
// a division; the window paints when the event loop next gets to it.
void PlotInfoWindow::ShowProgress() {
  bar_->setValue(static_cast<int>(std::min<std::size_t>(position_, bar_->maximum())));
}

void PlotInfoWindow::SetProgressMaximum(std::int32_t maximum) {
  maximum_ = maximum;
  position_ = 0;
  shown_percent_ = 0;
  bar_->setRange(0, std::max<std::int32_t>(maximum, 1));
  ShowProgress();
}

void PlotInfoWindow::SetProgressPosition(std::size_t position) {
  position_ = position;
  const int percent = maximum_ > 0 ? static_cast<int>(std::min<std::size_t>(
                                         100, position * 100 / static_cast<std::size_t>(maximum_)))
                                   : 100;
  if (percent == shown_percent_) return;
  shown_percent_ = percent;
  if (running()) calcdone_->setText(QString::number(position));
  ShowProgress();
}

void PlotInfoWindow::StartPlotInfo(const PlotInfo& info) {
  group_->setTitle(QString::fromLatin1(kTexts.group));
  ShowFigures(info);
  stop_->setEnabled(true);
  if (!isVisible()) show();
  raise();
}

void PlotInfoWindow::FinishPlotInfo(const PlotInfo& info) {
  stop_->setEnabled(false);
  ShowFigures(info);
  ShowProgress();
}

void PlotInfoWindow::ResetPlotInfo(const PlotInfo& info) {
  stop_->setEnabled(false);
  ShowFigures(info);
  maximum_ = 0;
  position_ = 0;
  shown_percent_ = 0;
  bar_->setRange(0, 1);
  bar_->setValue(0);
}

void PlotInfoWindow::ShowPlotFailed() {
  stop_->setEnabled(false);
  group_->setTitle(QString::fromLatin1(kTexts.failed_group));
  maximum_ = 0;
  position_ = 0;
  shown_percent_ = 0;
  bar_->setRange(0, 1);
  bar_->setValue(0);
}

void PlotInfoWindow::closeClick() { hide(); }

bool PlotInfoWindow::running() const { return stop_->isEnabled(); }

}  // namespace korvex
