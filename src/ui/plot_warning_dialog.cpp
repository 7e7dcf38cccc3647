// The Warning dialog's texts, layout and answers.
#include "ui/plot_warning_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "plot/plot_timing.h"

namespace korvex {
namespace {

struct WarningTexts {
  const char* name = "Form23";
  const char* caption = "Korvex";
  const char* group = "Warning";
  const char* text =
      "You have requested a operation that may take several minutes to complete, are you sure "
      "you want to continue?";
  const char* recommended = "Recommended:";
  const char* includes = "This operation includes:";
  const char* yes = "Yes";
  const char* yes_hint = "Continue and close current form";
  const char* no = "No";
  const char* no_hint = "Cancel and close current form";
};
constexpr WarningTexts kTexts;
constexpr int kIconSize = 32;
constexpr int kTextWidth = 320;

}  // namespace

PlotWarningDialog::PlotWarningDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QString::fromLatin1(kTexts.name));
  setWindowTitle(QString::fromLatin1(kTexts.caption));
  setModal(true);

  auto* group = new QGroupBox(QString::fromLatin1(kTexts.group), this);
  auto* picture = new QLabel(group);
  picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(kIconSize));
  picture->setAlignment(Qt::AlignTop);
  auto* text = new QLabel(QString::fromLatin1(kTexts.text), group);
  text->setObjectName(QStringLiteral("text"));
  text->setWordWrap(true);
  text->setMinimumWidth(kTextWidth);
  recommended_ = new QLabel(QString::fromLatin1(kNotAvailable), group);
  recommended_->setObjectName(QStringLiteral("recommended"));
  includes_ = new QLabel(QString::fromLatin1(kNotAvailable), group);
  includes_->setObjectName(QStringLiteral("includes"));
  auto* rows = new QFormLayout;
  rows->addRow(QString::fromLatin1(kTexts.recommended), recommended_);
  rows->addRow(QString::fromLatin1(kTexts.includes), includes_);
  auto* texts = new QVBoxLayout;
  texts->addWidget(text);
  texts->addLayout(rows);
  auto* group_layout = new QHBoxLayout(group);
  group_layout->addWidget(picture);
  group_layout->addLayout(texts, 1);

  auto* yes = new QPushButton(QString::fromLatin1(kTexts.yes), this);
  yes->setObjectName(QStringLiteral("yes"));
  yes->setToolTip(QString::fromLatin1(kTexts.yes_hint));
  yes->setDefault(true);
  auto* no = new QPushButton(QString::fromLatin1(kTexts.no), this);
  no->setObjectName(QStringLiteral("no"));
  no->setToolTip(QString::fromLatin1(kTexts.no_hint));
  connect(yes, &QPushButton::clicked, this, &PlotWarningDialog::yesClick);
  connect(no, &QPushButton::clicked, this, &PlotWarningDialog::noClick);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(yes);
  buttons->addWidget(no);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
}

bool PlotWarningDialog::ConfirmLargeTable(const QString& recommended, const QString& includes) {
  recommended_->setText(recommended);
  includes_->setText(includes);
  return exec() == QDialog::Accepted;
}

void PlotWarningDialog::yesClick() { accept(); }

void PlotWarningDialog::noClick() { reject(); }

}  // namespace korvex
