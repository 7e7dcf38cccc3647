#include "ui/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <utility>

namespace korvex {

void DesktopShell::OpenWithShell(const QString& target) {
  const bool is_address =
      target.contains(QStringLiteral("://")) || target.startsWith(QStringLiteral("mailto:"));
  QDesktopServices::openUrl(is_address ? QUrl(target) : QUrl::fromLocalFile(target));
}

void DesktopShell::OpenFile(const QString& path, QObject* context,
                            std::function<void()> no_program) {
  // The desktop's opener says by its exit status whether it found a
  // program; the toolkit's own opening only says that it started one. The
  // process has no parent: a player it became outlives this program.
  auto* opener = new QProcess;
  QObject::connect(opener, &QProcess::finished, context,
                   [no_program](int code, QProcess::ExitStatus status) {
                     if ((code != 0 || status != QProcess::NormalExit) && no_program) no_program();
                   });
  QObject::connect(opener, &QProcess::errorOccurred, context,
                   [path, no_program](QProcess::ProcessError error) {
                     if (error != QProcess::FailedToStart) return;
                     if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)) && no_program)
                       no_program();
                   });
  QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
  QObject::connect(opener, &QProcess::errorOccurred, opener, [opener](QProcess::ProcessError e) {
    if (e == QProcess::FailedToStart) opener->deleteLater();
  });
  opener->start(QStringLiteral("xdg-open"), {path});
}

}  // namespace korvex
