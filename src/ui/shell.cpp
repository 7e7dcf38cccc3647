#include "ui/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace korvex {

void DesktopShell::OpenWithShell(const QString& target) {
  const bool is_address =
      target.contains(QStringLiteral("://")) || target.startsWith(QStringLiteral("mailto:"));
  QDesktopServices::openUrl(is_address ? QUrl(target) : QUrl::fromLocalFile(target));
}

}  // namespace korvex
