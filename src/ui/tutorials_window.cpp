// The tutorial links and where each one leads.
#include "ui/tutorials_window.h"
#include "ui/window_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <iterator>

#include "settings/data_directory.h"
#include "settings/data_location.h"
#include "ui/addresses.h"
#include "ui/link_label.h"
#include "ui/message_seam.h"
#include "ui/shell.h"
#include "ui/show_modeless.h"

namespace korvex {
namespace {

struct TutorialsTexts {
  const char* caption = "Tutorials";
  const char* group = "Video tutorials";
  const char* question = "What do you want to learn about?";
  const char* codec_note =
      "You need either a DivX or XviD codec installed, before you can view the video tutorials "
      "below";
  const char* divx = "Get DivX";
  const char* xvid = "Get XviD";
};
constexpr TutorialsTexts kTexts;

struct Tutorial {
  const char* name;
  const char* caption;
  const char* file;  // appended to the program directory
};
constexpr Tutorial kTutorials[] = {
    {"normal", "Normal expressions", "/bin/tutorials/normal expressions.avi"},
    {"simple", "Simple mode", "/bin/tutorials/simple mode.avi"},
    {"log", "Insert log", "/bin/tutorials/insert log.avi"},
    {"masking", "Answer masking", "/bin/tutorials/answer masking.avi"},
    {"conversion", "Output conversion", "/bin/tutorials/output conversion.avi"},
    {"plot", "Single plot", "/bin/tutorials/single plot.avi"},
    {"variables", "User variables", "/bin/tutorials/user variables.avi"},
    {"multiple", "Multiple plots", "/bin/tutorials/multiple plots.avi"},
    {"edit", "Edit usage", "/bin/tutorials/edit usage.avi"},
    {"derivatives", "Plot derivatives", "/bin/tutorials/plot derivatives.avi"},
};
constexpr int kTutorialColumns = 2;

QString NoPlayerText(const QString& path) {
  return QStringLiteral(
             "No program to play the tutorial video was found on this computer.\n\n%1\n\n"
             "Open the folder that holds it?")
      .arg(QDir::toNativeSeparators(path));
}

}  // namespace

TutorialsWindow::TutorialsWindow(const DataDirectory& data, Shell& shell, MessageSeam& messages,
                                 QWidget* parent)
    : QDialog(parent),
      data_(data),
      shell_(shell),
      messages_(messages),
      shipped_(ShippedDataFolder(ExecutableDirectory())) {
  setObjectName(QStringLiteral("Form25"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));

  auto* group = new QGroupBox(QString::fromUtf8(kTexts.group), this);
  auto* group_layout = new QVBoxLayout(group);
  group_layout->addWidget(new QLabel(QString::fromUtf8(kTexts.question), group));

  auto* videos = new QGridLayout;
  videos->setContentsMargins(12, 4, 0, 8);
  videos->setHorizontalSpacing(32);
  const int rows = (std::size(kTutorials) + kTutorialColumns - 1) / kTutorialColumns;
  int index = 0;
  for (const Tutorial& tutorial : kTutorials) {
    auto* link = new LinkLabel(QString::fromUtf8(tutorial.caption), group);
    link->setObjectName(QString::fromUtf8(tutorial.name));
    connect(link, &LinkLabel::clicked, this, [this, file = tutorial.file] { OpenVideo(file); });
    videos->addWidget(link, index % rows, index / rows);
    ++index;
  }
  group_layout->addLayout(videos);

  auto* note = new QLabel(QString::fromUtf8(kTexts.codec_note), group);
  note->setWordWrap(true);
  group_layout->addWidget(note);

  auto* codecs = new QHBoxLayout;
  codecs->setContentsMargins(12, 0, 0, 0);
  codecs->setSpacing(32);
  struct CodecLink {
    const char* name;
    const char* caption;
    const char* page;
  };
  for (const CodecLink& codec : {CodecLink{"divx", kTexts.divx, kDivxDownloadPage},
                                 CodecLink{"xvid", kTexts.xvid, kXvidDownloadPage}}) {
    auto* link = new LinkLabel(QString::fromUtf8(codec.caption), group);
    link->setObjectName(QString::fromUtf8(codec.name));
    connect(link, &LinkLabel::clicked, this,
            [this, page = codec.page] { shell_.OpenWithShell(QString::fromUtf8(page)); });
    codecs->addWidget(link);
  }
  codecs->addStretch();
  group_layout->addLayout(codecs);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  connect(AddCloseButtonRow(layout, this), &QPushButton::clicked, this, &QDialog::close);
  setMinimumWidth(400);
}

void TutorialsWindow::ShowWindow() { ShowModeless(*this); }

void TutorialsWindow::OpenVideo(const char* file) {
  QString path = QFile::decodeName(data_.program_directory().c_str()) + QString::fromUtf8(file);
  // A per-user data folder holds no videos: they stay with the shipped data.
  if (!QFile::exists(path)) {
    const std::filesystem::path shipped =
        shipped_ / std::filesystem::path(file).lexically_relative("/bin");
    if (QFile::exists(QFile::decodeName(shipped.c_str())))
      path = QFile::decodeName(shipped.c_str());
  }
  shell_.OpenFile(path, this, [this, path] {
    if (messages_.Ask(NoPlayerText(path))) shell_.OpenWithShell(QFileInfo(path).absolutePath());
  });
}

}  // namespace korvex
