// The start screen's texts, links and bullet pictures.
#include "ui/start_screen.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "ui/link_label.h"

namespace korvex {
namespace {

struct StartScreenTexts {
  const char* caption = "Korvex";
  const char* group = "Welcome to Korvex";
  const char* thanks = "Thank you for downloading Korvex.";
  const char* choose = "Please choose what you want to do:";
  const char* advice =
      "If this is the first time you use Korvex, I would recommend that you carefully watch "
      "through the included video tutorials.";
  const char* hope = " I hope you will find this scientific calculator useful.";
};
constexpr StartScreenTexts kTexts;

struct StartLink {
  const char* name;
  const char* caption;
};
constexpr StartLink kLinks[] = {
    {"start", "Start using Korvex"},
    {"tutorial", "Watch the tutorials"},
    {"homepage", "Visit homepage"},
    {"history", "View version history"},
};

QPixmap Bullet(const QWidget& widget) {
  const int size = widget.fontMetrics().height() * 2 / 3;
  const qreal ratio = widget.devicePixelRatioF();
  QPixmap pixmap(qRound(size * ratio), qRound(size * ratio));
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(pixmap.width() / 10.0, pixmap.height() / 10.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(widget.palette().color(QPalette::Link));
  painter.drawPolygon(QPolygonF({QPointF(2, 1), QPointF(9, 5), QPointF(2, 9)}));
  painter.end();
  pixmap.setDevicePixelRatio(ratio);
  return pixmap;
}

}  // namespace

StartScreen::StartScreen(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form24"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));

  auto* group = new QGroupBox(QString::fromUtf8(kTexts.group), this);
  auto* group_layout = new QVBoxLayout(group);
  auto* thanks = new QLabel(QString::fromUtf8(kTexts.thanks), group);
  QFont thanks_font = thanks->font();
  thanks_font.setBold(true);
  thanks->setFont(thanks_font);
  group_layout->addWidget(thanks);
  group_layout->addWidget(new QLabel(QString::fromUtf8(kTexts.choose), group));

  auto* links = new QGridLayout;
  links->setContentsMargins(12, 4, 0, 4);
  links->setColumnStretch(2, 1);
  int row = 0;
  for (const StartLink& entry : kLinks) {
    auto* bullet = new QLabel(group);
    bullet->setPixmap(Bullet(*this));
    auto* link = new LinkLabel(QString::fromUtf8(entry.caption), group);
    link->setObjectName(QString::fromUtf8(entry.name));
    links->addWidget(bullet, row, 0);
    links->addWidget(link, row, 1);
    ++row;
  }
  group_layout->addLayout(links);

  auto* advice =
      new QLabel(QString::fromUtf8(kTexts.advice) + QString::fromUtf8(kTexts.hope), group);
  advice->setWordWrap(true);
  group_layout->addWidget(advice);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  setMinimumWidth(420);

  auto* start = findChild<LinkLabel*>(QStringLiteral("start"));
  connect(start, &LinkLabel::clicked, this, &QDialog::accept);
  connect(findChild<LinkLabel*>(QStringLiteral("tutorial")), &LinkLabel::clicked, this,
          &StartScreen::tutorialsRequested);
  connect(findChild<LinkLabel*>(QStringLiteral("homepage")), &LinkLabel::clicked, this,
          &StartScreen::homepageRequested);
  connect(findChild<LinkLabel*>(QStringLiteral("history")), &LinkLabel::clicked, this,
          &StartScreen::historyRequested);
}

}  // namespace korvex
