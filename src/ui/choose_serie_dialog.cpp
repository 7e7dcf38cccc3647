// The series chooser's texts, list and the large-table check.
#include "ui/choose_serie_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "plot/plot_store.h"
#include "ui/plot_warning_dialog.h"
#include "ui/window_support.h"

namespace korvex {
namespace {

struct ChooserTexts {
  const char* name = "Form18";
  const char* caption = "Choose serie";
  const char* ok = "OK";
  const char* ok_hint = "Continue and close current form";
  const char* cancel = "Cancel";
  const char* cancel_hint = "Cancel and close current form";
  const char* points = " points";
};
constexpr ChooserTexts kTexts;

}  // namespace

ChooseSerieDialog::ChooseSerieDialog(PlotStore& plots, PlotWarningSeam& warning, QWidget* parent,
                                     std::size_t line_limit)
    : QDialog(parent), plots_(plots), warning_(warning), line_limit_(line_limit) {
  setObjectName(QString::fromLatin1(kTexts.name));
  setWindowTitle(QString::fromLatin1(kTexts.caption));

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("series"));
  connect(list_, &QListWidget::itemDoubleClicked, this, &ChooseSerieDialog::okClick);

  auto* ok = new QPushButton(QString::fromLatin1(kTexts.ok), this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setToolTip(QString::fromLatin1(kTexts.ok_hint));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QString::fromLatin1(kTexts.cancel), this);
  cancel->setObjectName(QStringLiteral("cancel"));
  cancel->setToolTip(QString::fromLatin1(kTexts.cancel_hint));
  connect(ok, &QPushButton::clicked, this, &ChooseSerieDialog::okClick);
  connect(cancel, &QPushButton::clicked, this, &ChooseSerieDialog::cancelClick);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
}

void ChooseSerieDialog::ChooseSerie() {
  list_->clear();
  const ChartModel& chart = plots_.chart();
  for (std::size_t number = 1; number <= chart.series_count(); ++number)
    list_->addItem(QString::fromStdString(chart.series(number).title()));
  if (list_->count() > 0) list_->setCurrentRow(0);
  ShowModal(this);
  list_->setFocus();
}

void ChooseSerieDialog::okClick() {
  const int row = list_->currentRow();
  const std::size_t count = plots_.chart().series_count();
  if (list_->count() == 0 || row < 0) return;
  const auto number = static_cast<std::size_t>(row) + 1;
  // The graph may have changed while the chooser was open.
  if (number > count) return;
  const std::size_t total = plots_.stats(number).TotalLines();
  if (total >= line_limit_ &&
      !warning_.ConfirmLargeTable(
          QStringLiteral("<") + QString::number(line_limit_) + QString::fromLatin1(kTexts.points),
          QString::number(total) + QString::fromLatin1(kTexts.points))) {
    return;
  }
  emit serieChosen(static_cast<int>(number));
  accept();
}

void ChooseSerieDialog::cancelClick() { reject(); }

}  // namespace korvex
