// The About window, the physical-memory figure and the logo.
#include "ui/about_window.h"
#include "ui/window_support.h"

#include <unistd.h>

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include "output/format_float.h"
#include "output/thousands_separator.h"
#include "ui/addresses.h"
#include "ui/link_label.h"
#include "ui/shell.h"

namespace korvex {
namespace {

struct AboutTexts {
  const char* caption = "About Korvex";
  const char* group = "Version info";
  const char* title = "Korvex";
  const char* author = "Written by the Korvex developer";
  const char* memory_caption = "Physical memory available:";
  const char* data_folder_caption = "Data folder:";
};
constexpr AboutTexts kTexts;

constexpr std::uint64_t kMebibyte = 1024 * 1024;

std::uint64_t MemoryFromProcMeminfo() {
  QFile file(QStringLiteral("/proc/meminfo"));
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return 0;
  while (!file.atEnd()) {
    const QByteArray line = file.readLine();
    if (!line.startsWith("MemTotal:")) continue;
    const QList<QByteArray> parts = line.mid(9).simplified().split(' ');
    bool ok = false;
    const qulonglong kib = parts.value(0).toULongLong(&ok);
    return ok ? kib * 1024 : 0;
  }
  return 0;
}

}  // namespace

std::uint64_t TotalPhysicalMemory() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long page_size = sysconf(_SC_PAGESIZE);
  if (pages > 0 && page_size > 0) {
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size);
  }
  return MemoryFromProcMeminfo();
}

QString MemoryText(std::uint64_t bytes, char thousands_separator) {
  // The program writes decimal commas everywhere, so a comma grouping the
  // thousands would read as a fraction ("24,105 MB"): a space groups them.
  if (thousands_separator == ',') thousands_separator = ' ';
  // "0," has no decimals; the decimal separator only has to differ from
  // the grouping one.
  const char decimal = thousands_separator == ',' ? '.' : ',';
  const auto mebibytes = static_cast<long double>(bytes / kMebibyte);
  return QString::fromStdString(FormatFloat("0,", mebibytes, decimal, thousands_separator)) +
         QStringLiteral(" MB");
}

char SystemThousandsSeparatorForDisplay() {
  const QString point = QLocale::system().decimalPoint();
  const char decimal =
      point.size() == 1 && point.at(0).unicode() < 128 ? point.at(0).toLatin1() : '.';
  return SystemThousandsSeparator(decimal);
}

QPixmap KorvexLogo(int logical_size, qreal device_pixel_ratio) {
  const int pixels = qMax(1, qRound(logical_size * device_pixel_ratio));
  QPixmap pixmap(pixels, pixels);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(pixels / 100.0, pixels / 100.0);  // draw on a 100 x 100 grid

  QLinearGradient fill(0, 0, 100, 100);
  fill.setColorAt(0, QColor(0x2f, 0x6f, 0xc6));
  fill.setColorAt(1, QColor(0x15, 0x33, 0x6b));
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(4, 4, 92, 92), 18, 18);

  // A plotted curve behind the letter: the calculator solves and plots.
  QPainterPath curve;
  curve.moveTo(12, 70);
  curve.cubicTo(30, 20, 45, 20, 55, 50);
  curve.cubicTo(65, 80, 78, 80, 90, 30);
  painter.setPen(QPen(QColor(0xff, 0xc8, 0x3d), 5, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(curve);

  QFont letter = painter.font();
  letter.setBold(true);
  letter.setPixelSize(62);
  painter.setFont(letter);
  painter.setPen(Qt::white);
  painter.drawText(QRectF(4, 0, 92, 96), Qt::AlignCenter, QStringLiteral("K"));
  painter.end();

  pixmap.setDevicePixelRatio(device_pixel_ratio);
  return pixmap;
}

AboutWindow::AboutWindow(Shell& shell, const std::filesystem::path& data_folder, QWidget* parent)
    : QDialog(parent), shell_(shell) {
  setObjectName(QStringLiteral("Form20"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));

  auto* logo = new QLabel(this);
  logo->setPixmap(KorvexLogo(72, devicePixelRatioF()));
  logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  auto* title = new QLabel(QString::fromUtf8(kTexts.title), this);
  title->setObjectName(QStringLiteral("title"));
  QFont title_font = title->font();
  title_font.setBold(true);
  title_font.setPointSizeF(title_font.pointSizeF() * 1.6);
  title->setFont(title_font);

  auto* version = new QLabel(QString::fromUtf8(kVersionText), this);
  version->setObjectName(QStringLiteral("version"));
  auto* released = new QLabel(QString::fromUtf8(kReleasedText), this);
  released->setObjectName(QStringLiteral("released"));
  auto* author = new QLabel(QString::fromUtf8(kTexts.author), this);

  auto* homepage = new LinkLabel(QString::fromUtf8(kHomePageAddress), this);
  homepage->setObjectName(QStringLiteral("homepage"));
  connect(homepage, &LinkLabel::clicked, this, &AboutWindow::homepageClick);

  auto* memory_caption = new QLabel(QString::fromUtf8(kTexts.memory_caption), this);
  auto* memory =
      new QLabel(MemoryText(TotalPhysicalMemory(), SystemThousandsSeparatorForDisplay()), this);
  memory->setObjectName(QStringLiteral("memory"));

  auto* data_folder_caption = new QLabel(QString::fromUtf8(kTexts.data_folder_caption), this);
  auto* data_folder_path = new QLabel(QFile::decodeName(data_folder.c_str()), this);
  data_folder_path->setObjectName(QStringLiteral("datafolder"));
  // Users look for it to back up or edit their settings by hand.
  data_folder_path->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* texts = new QVBoxLayout;
  texts->addWidget(title);
  texts->addWidget(version);
  texts->addWidget(released);
  texts->addWidget(author);
  texts->addWidget(homepage);
  texts->addSpacing(8);
  auto* memory_row = new QHBoxLayout;
  memory_row->addWidget(memory_caption);
  memory_row->addWidget(memory);
  memory_row->addStretch();
  texts->addLayout(memory_row);
  auto* data_folder_row = new QHBoxLayout;
  data_folder_row->addWidget(data_folder_caption);
  data_folder_row->addWidget(data_folder_path, 1);
  texts->addLayout(data_folder_row);
  texts->addStretch();

  auto* group = new QGroupBox(QString::fromUtf8(kTexts.group), this);
  auto* group_layout = new QHBoxLayout(group);
  group_layout->addWidget(logo);
  group_layout->addSpacing(12);
  group_layout->addLayout(texts, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  connect(AddCloseButtonRow(layout, this), &QPushButton::clicked, this, &QDialog::close);
}

void AboutWindow::homepageClick() { shell_.OpenWithShell(QString::fromUtf8(kHomePageAddress)); }

}  // namespace korvex
