// The General options dialog's pages, texts, enabling rule, insertion-log page
// and save-and-reload rule.
#include "ui/general_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "output/show_answer.h"
#include "settings/general_file.h"
#include "settings/insertion_log.h"
#include "settings/preferences.h"
#include "ui/message_seam.h"
#include "ui/window_support.h"

namespace korvex {
namespace {

struct GeneralTexts {
  const char* caption = "General options";
  const char* log_page = "Log";
  const char* other_page = "Other";
  const char* output_page = "Output";
  const char* logcheck = "Log evaluate input";
  const char* clear = "Clear";
  const char* clear_hint = "Clear log (cannot be undo)";
  const char* autocheck = "Use AutoComplete";
  const char* storecheck = "Store input expression";
  const char* previewcheck = "Show the result while typing";
  const char* loop = "Loop control, for user variables:";
  const char* loop_explanation =
      "How many user variables allowed in one calculation, before an error is generated";
  const char* reminder = "Reminder control, for plotting:";
  const char* reminder_explanation = "How many milliseconds to wait, before the reminder popups";
  const char* numbersys = "Number system:";
  const char* precision = "Mantissa bit precision:";
  const char* scicheck = "Scientific notation";
  const char* pointcheck = "Point as decimal separator";
  const char* explanation[5] = {
      "First place represents the 'sign', second ",
      "place represents the 'natural number' and ",
      "third place represents the 'mantissa'. If ",
      "'sign' is 1, then the 'natural number' is ",
      "represented by 2's complement",
  };
  const char* example_positive = "pi = 3,14... = 0 11 001001... (base 2)";
  const char* example_negative = "0-pi = -3,14... = 1 101 001001... (base 2)";
};
constexpr GeneralTexts kTexts;

constexpr int kDecimalIndex = static_cast<int>(NumberSystem::kDecimal);

// A number box that changes only through its up and down buttons.
class UpDownBox : public QSpinBox {
 public:
  UpDownBox(const char* name, IntRange range, QWidget* parent) : QSpinBox(parent) {
    setObjectName(QString::fromLatin1(name));
    setRange(range.min, range.max);
    setSingleStep(range.step);
    lineEdit()->setReadOnly(true);
  }
};

QCheckBox* Check(const char* caption, const char* name, QWidget* parent) {
  auto* check = new QCheckBox(QString::fromUtf8(caption), parent);
  check->setObjectName(QString::fromLatin1(name));
  return check;
}

// Explanations are read, not skipped: normal text, not the greyed look of a
// control that is switched off.
QLabel* Explanation(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  return label;
}

QString LinesOf(const Lines& lines) {
  QStringList shown;
  for (const std::string& line : lines) shown << QString::fromStdString(line);
  return shown.join(QLatin1Char('\n'));
}

// What the log box shows, as lines; an empty box has none.
Lines BoxLines(const QPlainTextEdit* box) {
  const QString shown = box->toPlainText();
  Lines lines;
  if (shown.isEmpty()) return lines;
  for (const QString& line : shown.split(QLatin1Char('\n'))) lines.push_back(line.toStdString());
  return lines;
}

}  // namespace

GeneralOptionsDialog::GeneralOptionsDialog(Calculator& calculator, MessageSeam& messages,
                                           QWidget* parent)
    : QDialog(parent), calculator_(calculator), messages_(messages) {
  setObjectName(QStringLiteral("Form10"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));

  generalbox_ = new QTabWidget(this);
  generalbox_->setObjectName(QStringLiteral("generalbox"));
  generalbox_->addTab(LogPage(), QString::fromUtf8(kTexts.log_page));
  generalbox_->addTab(OtherPage(), QString::fromUtf8(kTexts.other_page));
  generalbox_->addTab(OutputPage(), QString::fromUtf8(kTexts.output_page));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(generalbox_, 1);
  const SettingsButtons buttons = AddSettingsButtonRow(layout, this);
  auto* ok = buttons.ok;
  auto* cancel = buttons.cancel;
  auto* default_button = buttons.defaults;
  resize(440, 360);

  connect(ok, &QPushButton::clicked, this, &GeneralOptionsDialog::okClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(default_button, &QPushButton::clicked, this, &GeneralOptionsDialog::defaultbuttonClick);
  connect(this, &QDialog::finished, this, &GeneralOptionsDialog::LoadGeneralSettings);
  ShowSettings(calculator_.general());
}

QWidget* GeneralOptionsDialog::LogPage() {
  auto* page = new QWidget;
  logcheck_ = Check(kTexts.logcheck, "logcheck", page);
  log_ = new QPlainTextEdit(page);
  log_->setObjectName(QStringLiteral("log"));
  log_->setReadOnly(true);
  log_->setLineWrapMode(QPlainTextEdit::NoWrap);
  log_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* clear = MakeButton("clear", kTexts.clear, kTexts.clear_hint, page);
  connect(clear, &QPushButton::clicked, this, &GeneralOptionsDialog::clearClick);
  auto* clear_row = new QHBoxLayout;
  clear_row->addStretch();
  clear_row->addWidget(clear);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(logcheck_);
  layout->addWidget(log_, 1);
  layout->addLayout(clear_row);
  return page;
}

QWidget* GeneralOptionsDialog::OtherPage() {
  auto* page = new QWidget;
  autocheck_ = Check(kTexts.autocheck, "autocheck", page);
  storecheck_ = Check(kTexts.storecheck, "storecheck", page);
  previewcheck_ = Check(kTexts.previewcheck, "previewcheck", page);
  loop_ = new UpDownBox("loop", kLoopLimitRange, page);
  reminder_ = new UpDownBox("reminder", kReminderRange, page);
  auto* form = new QFormLayout;
  form->addRow(QString::fromUtf8(kTexts.loop), loop_);
  form->addRow(Explanation(QString::fromUtf8(kTexts.loop_explanation), page));
  form->addRow(QString::fromUtf8(kTexts.reminder), reminder_);
  form->addRow(Explanation(QString::fromUtf8(kTexts.reminder_explanation), page));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(autocheck_);
  layout->addWidget(storecheck_);
  layout->addWidget(previewcheck_);
  layout->addSpacing(8);
  layout->addLayout(form);
  layout->addStretch();
  return page;
}

QWidget* GeneralOptionsDialog::OutputPage() {
  auto* page = new QWidget;
  numbersys_ = new QComboBox(page);
  numbersys_->setObjectName(QStringLiteral("numbersys"));
  for (int index = kNumberSystemRange.min; index <= kNumberSystemRange.max; ++index)
    numbersys_->addItem(QString::fromStdString(NumberSystemName(index)));
  precision_ = new UpDownBox("precision", kPrecisionRange, page);
  scicheck_ = Check(kTexts.scicheck, "scicheck", page);
  pointcheck_ = Check(kTexts.pointcheck, "pointcheck", page);
  connect(numbersys_, &QComboBox::currentIndexChanged, this,
          &GeneralOptionsDialog::numbersysChange);

  QStringList explanation;
  for (const char* line : kTexts.explanation) explanation << QString::fromUtf8(line);
  auto* text = new QLabel(explanation.join(QLatin1Char('\n')), page);
  text->setObjectName(QStringLiteral("explanation"));
  text->setTextFormat(Qt::PlainText);

  auto* form = new QFormLayout;
  form->addRow(QString::fromUtf8(kTexts.numbersys), numbersys_);
  form->addRow(QString::fromUtf8(kTexts.precision), precision_);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(form);
  layout->addWidget(scicheck_);
  layout->addWidget(pointcheck_);
  layout->addSpacing(8);
  layout->addWidget(text);
  layout->addWidget(new QLabel(QString::fromUtf8(kTexts.example_positive), page));
  layout->addWidget(new QLabel(QString::fromUtf8(kTexts.example_negative), page));
  layout->addStretch();
  return page;
}

void GeneralOptionsDialog::ShowSettings(const GeneralSettings& settings) {
  logcheck_->setChecked(settings.log_input);
  autocheck_->setChecked(settings.auto_complete);
  storecheck_->setChecked(settings.store_input);
  loop_->setValue(settings.loop_limit);
  reminder_->setValue(settings.reminder_interval);
  // An index outside the list selects nothing, which converts as binary.
  numbersys_->setCurrentIndex(settings.number_system < numbersys_->count() ? settings.number_system
                                                                           : -1);
  precision_->setValue(settings.precision);
  scicheck_->setChecked(settings.scientific);
  pointcheck_->setChecked(settings.point);
  numbersysChange();
}

GeneralSettings GeneralOptionsDialog::EditedSettings() const {
  GeneralSettings edited;
  edited.log_input = logcheck_->isChecked();
  edited.auto_complete = autocheck_->isChecked();
  edited.store_input = storecheck_->isChecked();
  edited.loop_limit = loop_->value();
  edited.reminder_interval = reminder_->value();
  edited.number_system = numbersys_->currentIndex();
  edited.precision = precision_->value();
  edited.scientific = scicheck_->isChecked();
  edited.point = pointcheck_->isChecked();
  return edited;
}

void GeneralOptionsDialog::numbersysChange() {
  const bool decimal = numbersys_->currentIndex() == kDecimalIndex;
  precision_->setEnabled(!decimal);
  scicheck_->setEnabled(decimal);
  pointcheck_->setEnabled(decimal);
}

void GeneralOptionsDialog::ShowInsertionLog() {
  log_->setPlainText(
      LinesOf(korvex::ShowInsertionLog(calculator_.data(), BoxLines(log_), messages_)));
}

void GeneralOptionsDialog::clearClick() {
  log_->setPlainText(LinesOf(ClearInsertionLog(calculator_.data(), BoxLines(log_), messages_)));
}

void GeneralOptionsDialog::OpenDialog() {
  ShowInsertionLog();
  ShowSettings(calculator_.general());
  previewcheck_->setChecked(LivePreviewOn(calculator_.data()));
  ShowModal(this);
}

void GeneralOptionsDialog::okClick() {
  calculator_.SaveGeneralSettings(EditedSettings());
  // Our own file, not general.ini: that one keeps its described lines.
  SaveLivePreview(calculator_.data(), previewcheck_->isChecked());
  accept();
}

void GeneralOptionsDialog::defaultbuttonClick() {
  ShowSettings(GeneralSettings{});
  previewcheck_->setChecked(true);
}

void GeneralOptionsDialog::LoadGeneralSettings() {
  calculator_.LoadGeneralSettings();
  ShowSettings(calculator_.general());
  emit settingsLoaded();
}

}  // namespace korvex
