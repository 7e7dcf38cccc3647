// korvex: the desktop calculator. `--data-dir DIR` looks for the `bin`
// folder in DIR instead of beside the executable.
#include <QApplication>
#include <QStringList>

#include "ui/main_window.h"
#include "ui/message_seam.h"
#include "ui/program_windows.h"
#include "ui/shell.h"

namespace {

// DIR of "--data-dir DIR" or "--data-dir=DIR"; the executable's folder when
// neither is given.
QString ProgramDirectory(const QStringList& arguments) {
  const QString option = QStringLiteral("--data-dir");
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == option && i + 1 < arguments.size()) return arguments[i + 1];
    if (arguments[i].startsWith(option + QLatin1Char('=')))
      return arguments[i].mid(option.size() + 1);
  }
  return QCoreApplication::applicationDirPath();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korvex"));

  korvex::QtMessageSeam messages;
  korvex::DesktopShell shell;
  const QString directory = ProgramDirectory(QCoreApplication::arguments());
  korvex::ProgramWindows windows(directory.toStdString(), messages, shell);
  windows.main().show();
  return app.exec();
}
