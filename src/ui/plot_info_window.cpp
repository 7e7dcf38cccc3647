// The Plot info window: labels, progress bar and the plotter's progress calls.
#include "ui/plot_info_window.h"
#include "ui/window_support.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
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
  const char* complete_group = "Plot complete";
  const char* cancelled_group = "Plot canceled";
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

// The bar moves by the thousandth and says so to a tenth of a percent, so a
// run of hours still shows that it moves; the count beside it follows every
// reading (the display polls a few times a second, so this costs nothing).
void PlotInfoWindow::ShowProgress() {
  bar_->setValue(static_cast<int>(std::min<std::size_t>(position_, bar_->maximum())));
  bar_->setFormat(QStringLiteral("%1%").arg(QLocale::c()
                                                .toString(shown_permille_ / 10.0, 'f', 1)
                                                .replace(QLatin1Char('.'), QLatin1Char(','))));
}

void PlotInfoWindow::SetProgressMaximum(std::int32_t maximum) {
  maximum_ = maximum;
  position_ = 0;
  shown_permille_ = 0;
  bar_->setRange(0, std::max<std::int32_t>(maximum, 1));
  ShowProgress();
}

void PlotInfoWindow::SetProgressPosition(std::size_t position) {
  if (running() && position != position_) calcdone_->setText(QString::number(position));
  position_ = position;
  const int permille = maximum_ > 0
                           ? static_cast<int>(std::min<std::size_t>(
                                 1000, position * 1000 / static_cast<std::size_t>(maximum_)))
                           : 1000;
  if (permille == shown_permille_) return;
  shown_permille_ = permille;
  ShowProgress();
}

void PlotInfoWindow::StartPlotInfo(const PlotInfo& info) {
  group_->setTitle(QString::fromLatin1(kTexts.group));
  ShowFigures(info);
  stop_->setEnabled(true);
  BringUp(this, Activation::kKeepFocus);
}

void PlotInfoWindow::FinishPlotInfo(const PlotInfo& info, bool cancelled) {
  stop_->setEnabled(false);
  group_->setTitle(QString::fromLatin1(cancelled ? kTexts.cancelled_group : kTexts.complete_group));
  ShowFigures(info);
  ShowProgress();
}

void PlotInfoWindow::ResetPlotInfo(const PlotInfo& info) {
  stop_->setEnabled(false);
  ShowFigures(info);
  maximum_ = 0;
  position_ = 0;
  shown_permille_ = 0;
  bar_->setRange(0, 1);
  bar_->setValue(0);
}

void PlotInfoWindow::ShowPlotFailed() {
  stop_->setEnabled(false);
  group_->setTitle(QString::fromLatin1(kTexts.failed_group));
  maximum_ = 0;
  position_ = 0;
  shown_permille_ = 0;
  bar_->setRange(0, 1);
  bar_->setValue(0);
}

void PlotInfoWindow::closeClick() { hide(); }

bool PlotInfoWindow::running() const { return stop_->isEnabled(); }

}  // namespace korvex
