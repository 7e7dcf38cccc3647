// The simple window's layout, texts and its solve through the main window.
#include "ui/simple_window.h"
#include "ui/live_preview.h"
#include "ui/preview_line.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QToolButton>

#include "ui/main_window.h"
#include "ui/tool_icons.h"
#include "ui/window_support.h"

namespace korvex {
namespace {

struct SimpleTexts {
  const char* caption = "Korvex [simple]";
  const char* input_hint = "Type in a mathematical expression";
  const char* solve_hint = "Solve selected expression";
  const char* standardmode_hint = "Switch to standard mode";
};
constexpr SimpleTexts kTexts;

QToolButton* PictureButton(ToolPicture picture, const char* hint, const char* name,
                           QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(QString::fromUtf8(hint));
  button->setIcon(ToolIcon(picture));
  button->setIconSize(QSize(20, 20));
  button->setAutoRaise(true);
  return button;
}

}  // namespace

SimpleWindow::SimpleWindow(MainWindow& main, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      main_(main) {
  setObjectName(QStringLiteral("Form11"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));

  input_ = new QLineEdit(this);
  input_->setObjectName(QStringLiteral("input"));
  input_->setToolTip(QString::fromUtf8(kTexts.input_hint));
  input_->setFrame(false);
  input_->setMinimumWidth(260);
  answer_ = new QLineEdit(this);
  answer_->setObjectName(QStringLiteral("answer"));
  answer_->setFrame(false);
  answer_->setReadOnly(true);
  answer_->setFocusPolicy(Qt::NoFocus);
  QPalette quiet = answer_->palette();
  quiet.setColor(QPalette::Base, palette().color(QPalette::Window));
  answer_->setPalette(quiet);

  auto* solve = PictureButton(ToolPicture::kSolve, kTexts.solve_hint, "solve", this);
  auto* standardmode =
      PictureButton(ToolPicture::kStandardMode, kTexts.standardmode_hint, "standardmode", this);

  preview_line_ = new PreviewLine(this);
  live_preview_ = new LivePreview(main_.calculator(), input_, preview_line_, [] { return false; });
  if (main_.live_preview()) live_preview_->set_enabled(main_.live_preview()->enabled());

  auto* layout = new QGridLayout(this);
  layout->addWidget(input_, 0, 0);
  layout->addWidget(preview_line_, 1, 0);
  layout->addWidget(answer_, 2, 0);
  layout->addWidget(solve, 0, 1);
  layout->addWidget(standardmode, 2, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(input_, &QLineEdit::returnPressed, this, &SimpleWindow::solveClick);
  connect(solve, &QToolButton::clicked, this, &SimpleWindow::solveClick);
  connect(standardmode, &QToolButton::clicked, this, &QWidget::close);
  connect(&main_, &MainWindow::requestFinished, this, &SimpleWindow::ShowMainAnswer);
  connect(&main_, &MainWindow::requestFinished, live_preview_, &LivePreview::Refresh);
  connect(&main_, &MainWindow::livePreviewChanged, live_preview_, &LivePreview::set_enabled);
}

void SimpleWindow::Start(const QString& input_text) {
  input_->setText(input_text);
  // It stands in for the main window, so it takes the main window's place.
  move(main_.pos());
  BringUp(this);
  input_->setFocus();
}

void SimpleWindow::solveClick() {
  if (!input_->text().isEmpty()) SimpleSolve();
}

void SimpleWindow::SimpleSolve() {
  const QString text = input_->text();
  if (!main_.SelectItemWithText(text)) {
    main_.SetInputText(text);
    main_.insertClick();
  }
  // The answer comes when the request has ended; a request that could not
  // start leaves the answer that is there.
  awaiting_answer_ = true;
  main_.solveClick();
  if (!main_.runner().busy()) ShowMainAnswer();
}

void SimpleWindow::ShowMainAnswer() {
  if (!awaiting_answer_) return;
  awaiting_answer_ = false;
  answer_->setText(main_.AnswerText());
  // The expression stays for another look, but the next one typed replaces
  // it rather than being appended to it; Enter solves it again as it is.
  input_->selectAll();
}

void SimpleWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit closed();
}

}  // namespace korvex
