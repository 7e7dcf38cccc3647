// korvex: the desktop calculator. `--data-dir DIR` looks for the `bin`
// folder in DIR; without it LocateDataDirectory chooses the folder.
#include <QApplication>
#include <QFile>
#include <QStringList>
#include <filesystem>
#include <optional>

#include "settings/data_location.h"
#include "ui/app_identity.h"
#include "ui/main_window.h"
#include "ui/message_seam.h"
#include "ui/program_windows.h"
#include "ui/shell.h"

namespace {

// DIR of "--data-dir DIR" or "--data-dir=DIR", in the file system's encoding.
std::optional<std::filesystem::path> DataDirOption(const QStringList& arguments) {
  const QString option = QStringLiteral("--data-dir");
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == option && i + 1 < arguments.size())
      return QFile::encodeName(arguments[i + 1]).toStdString();
    if (arguments[i].startsWith(option + QLatin1Char('=')))
      return QFile::encodeName(arguments[i].mid(option.size() + 1)).toStdString();
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  korvex::SetApplicationIdentity();

  korvex::QtMessageSeam messages;
  korvex::DesktopShell shell;
  const korvex::DataLocation data = korvex::LocateDataDirectory(
      korvex::ProcessDataLocationInputs(DataDirOption(QCoreApplication::arguments())));
  if (!data.ok()) {
    messages.ShowFailure(QString::fromLocal8Bit(data.failure));
    return 1;
  }
  korvex::ProgramWindows windows(data.program_directory, messages, shell);
  windows.main().show();
  return app.exec();
}
