// The program's name, version, desktop entry and window icon.
#include "ui/app_identity.h"

#include <QApplication>
#include <QIcon>
#include <QSize>
#include <QString>

// The icon resource lives in a static library, whose objects the linker only
// keeps when something refers to them; this reference does. It must sit
// outside any namespace to name the resource's own initialiser.
static void InitIconResource() { Q_INIT_RESOURCE(korvex_icon); }

namespace korvex {

void SetApplicationIdentity() {
  InitIconResource();
  QApplication::setApplicationName(QStringLiteral("Korvex"));
  QApplication::setApplicationVersion(QStringLiteral(KORVEX_VERSION));
  QApplication::setOrganizationName(QStringLiteral("Korvex"));
  QApplication::setOrganizationDomain(QStringLiteral("korvex.github.io"));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));

  // The PNGs rendered for each size rather than the SVG: the small ones are
  // drawn on the pixel grid, which a scaled SVG would blur.
  QIcon icon;
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/%1x%1/korvex.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(icon);
}

}  // namespace korvex
