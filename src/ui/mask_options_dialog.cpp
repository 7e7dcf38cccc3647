// The Mask options dialog's layout, texts, preview and save-and-reload rule.
#include "ui/mask_options_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "output/format_float.h"
#include "output/show_answer.h"
#include "output/thousands_separator.h"
#include "settings/mask_file.h"
#include "ui/message_seam.h"
#include "ui/window_support.h"

namespace korvex {
namespace {

struct MaskTexts {
  const char* caption = "Mask options";
  const char* prefix_label = "Prefix:";
  const char* prefix_hint = "Type in a prefix value for the answer";
  const char* mask_label = "Mask:";
  const char* mask_hint = "Type in a mask to be used as a layer over the answer";
  const char* suffix_label = "Suffix:";
  const char* suffix_hint = "Type in a suffix value for the answer";
  const char* preview_group = "Preview";
};
constexpr MaskTexts kTexts;

QLineEdit* Edit(const char* name, const char* hint, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setToolTip(QString::fromUtf8(hint));
  return edit;
}

}  // namespace

MaskOptionsDialog::MaskOptionsDialog(Calculator& calculator, MessageSeam& messages, QWidget* parent)
    : QDialog(parent), calculator_(calculator), messages_(messages) {
  setObjectName(QStringLiteral("Form7"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));

  prefix_ = Edit("prefix", kTexts.prefix_hint, this);
  mask_ = Edit("mask", kTexts.mask_hint, this);
  suffix_ = Edit("suffix", kTexts.suffix_hint, this);
  mask_->setMinimumWidth(260);
  auto* form = new QFormLayout;
  form->addRow(QString::fromUtf8(kTexts.prefix_label), prefix_);
  form->addRow(QString::fromUtf8(kTexts.mask_label), mask_);
  // A refused mask is told here, under the field, while it is being typed:
  // a message box on every keystroke would take the keyboard away.
  refusal_ = new QLabel(this);
  refusal_->setObjectName(QStringLiteral("maskrefusal"));
  refusal_->setTextFormat(Qt::PlainText);
  refusal_->setWordWrap(true);
  refusal_->setStyleSheet(QStringLiteral("color: #b00000;"));
  refusal_->hide();
  form->addRow(QString(), refusal_);
  form->addRow(QString::fromUtf8(kTexts.suffix_label), suffix_);

  auto* preview_group = new QGroupBox(QString::fromUtf8(kTexts.preview_group), this);
  preview_ = new QLabel(preview_group);
  preview_->setObjectName(QStringLiteral("preview"));
  preview_->setTextFormat(Qt::PlainText);
  preview_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A long answer wraps or is cut inside the box instead of stretching the
  // dialog across the screen; the hint shows all of it.
  preview_->setWordWrap(true);
  preview_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  (new QVBoxLayout(preview_group))->addWidget(preview_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(preview_group);
  const SettingsButtons buttons = AddSettingsButtonRow(layout, this);
  auto* ok = buttons.ok;
  auto* cancel = buttons.cancel;
  auto* default_button = buttons.defaults;
  layout->setSizeConstraint(QLayout::SetFixedSize);

  for (QLineEdit* edit : {prefix_, mask_, suffix_})
    connect(edit, &QLineEdit::textChanged, this, &MaskOptionsDialog::previewChange);
  connect(ok, &QPushButton::clicked, this, &MaskOptionsDialog::okClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(default_button, &QPushButton::clicked, this, &MaskOptionsDialog::defaultbuttonClick);
  connect(this, &QDialog::finished, this, &MaskOptionsDialog::LoadMaskSettings);
  ShowSettings(calculator_.mask());
}

void MaskOptionsDialog::ShowSettings(const MaskSettings& settings) {
  const QSignalBlocker block_prefix(prefix_);
  const QSignalBlocker block_mask(mask_);
  const QSignalBlocker block_suffix(suffix_);
  prefix_->setText(QString::fromStdString(settings.prefix));
  mask_->setText(QString::fromStdString(settings.mask));
  suffix_->setText(QString::fromStdString(settings.suffix));
}

MaskSettings MaskOptionsDialog::EditedSettings() const {
  return {prefix_->text().toStdString(), mask_->text().toStdString(),
          suffix_->text().toStdString()};
}

void MaskOptionsDialog::previewChange() {
  const char separator = calculator_.decimal_separator();
  try {
    preview_->setText(
        QString::fromStdString(MaskPreview(EditedSettings(), calculator_.stored_answer(), separator,
                                           SystemThousandsSeparator(separator))));
    refusal_->clear();
    refusal_->hide();
  } catch (const FormatFailure& failure) {
    preview_->clear();
    refusal_->setText(FailureDisplayText(failure.what()));
    refusal_->show();
  }
  preview_->setToolTip(preview_->text());
}

void MaskOptionsDialog::OpenDialog() {
  ShowSettings(calculator_.mask());
  // A refused mask still lets the dialog open, so it can be corrected here.
  previewChange();
  ShowModal(this);
}

void MaskOptionsDialog::okClick() {
  calculator_.SaveMaskSettings(EditedSettings());
  accept();
}

void MaskOptionsDialog::defaultbuttonClick() {
  ShowSettings(MaskSettings{});
  previewChange();
}

void MaskOptionsDialog::LoadMaskSettings() {
  calculator_.LoadMaskSettings();
  ShowSettings(calculator_.mask());
  emit settingsLoaded();
}

}  // namespace korvex
