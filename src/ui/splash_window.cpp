// The splash window: picture, version label and close timer.
#include "ui/splash_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "plot/plot_timing.h"
#include "ui/about_window.h"

namespace korvex {
namespace {

struct SplashTexts {
  const char* caption = "Korvex";
  const char* title = "Korvex";
  const char* tagline = "Scientific calculator";
};
constexpr SplashTexts kTexts;

}  // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("Form19"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));

  auto* logo = new QLabel(this);
  logo->setPixmap(KorvexLogo(96, devicePixelRatioF()));

  auto* title = new QLabel(QString::fromUtf8(kTexts.title), this);
  QFont title_font = title->font();
  title_font.setBold(true);
  title_font.setPointSizeF(title_font.pointSizeF() * 3);
  title->setFont(title_font);
  auto* tagline = new QLabel(QString::fromUtf8(kTexts.tagline), this);
  QFont tagline_font = tagline->font();
  tagline_font.setPointSizeF(tagline_font.pointSizeF() * 1.3);
  tagline->setFont(tagline_font);

  version_ = new QLabel(QString::fromUtf8(kNotAvailable), this);
  version_->setObjectName(QStringLiteral("version"));
  version_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  version_->setAttribute(Qt::WA_TranslucentBackground);

  for (QLabel* label : {title, tagline, version_}) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
  }

  auto* names = new QVBoxLayout;
  names->addStretch();
  names->addWidget(title);
  names->addWidget(tagline);
  names->addStretch();

  auto* row = new QHBoxLayout;
  row->addWidget(logo);
  row->addSpacing(20);
  row->addLayout(names, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(32, 32, 32, 16);
  layout->addLayout(row, 1);
  layout->addWidget(version_);
  setMinimumSize(460, 240);

  closetimer_ = new QTimer(this);
  closetimer_->setObjectName(QStringLiteral("closetimer"));
  closetimer_->setInterval(kSplashCloseInterval);
  connect(closetimer_, &QTimer::timeout, this, &SplashWindow::closetimerTimer);
}

bool SplashWindow::ShowSplash() {
  closed_early_ = false;
  // Centred on the main window, wherever the user put it; the toolkit's own
  // centring would use a size the layout has not settled yet.
  adjustSize();
  if (const QWidget* main = parentWidget(); main && main->isVisible()) {
    const auto centre = [this, main] { move(main->frameGeometry().center() - rect().center()); };
    centre();
    // A window manager places a new window when it maps it, a moment after
    // the show: the splash follows the main window to its place.
    if (const QWindow* handle = main->windowHandle()) {
      const QMetaObject::Connection moved_x = connect(handle, &QWindow::xChanged, this, centre);
      const QMetaObject::Connection moved_y = connect(handle, &QWindow::yChanged, this, centre);
      connect(
          this, &QDialog::finished, this,
          [moved_x, moved_y] {
            disconnect(moved_x);
            disconnect(moved_y);
          },
          Qt::SingleShotConnection);
    }
  }
  closetimer_->start();
  exec();
  return !closed_early_;
}

void SplashWindow::closetimerTimer() {
  closetimer_->stop();
  close();
}

// Every way of closing (close request, Escape, the timer) ends here.
void SplashWindow::done(int result) {
  if (closetimer_->isActive()) {
    closetimer_->stop();
    closed_early_ = true;
    emit closedEarly();
  }
  QDialog::done(result);
}

void SplashWindow::showEvent(QShowEvent* event) {
  version_->setText(QString::fromUtf8(kVersionText));
  QDialog::showEvent(event);
}

void SplashWindow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QLinearGradient fill(rect().topLeft(), rect().bottomRight());
  fill.setColorAt(0, QColor(0x1d, 0x4f, 0x9a));
  fill.setColorAt(1, QColor(0x0b, 0x1d, 0x3f));
  painter.fillRect(rect(), fill);
  painter.setPen(QColor(0xff, 0xc8, 0x3d));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace korvex
