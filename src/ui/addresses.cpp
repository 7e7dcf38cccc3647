// The mail link of Help > "Report a bug".
#include "ui/addresses.h"

#include <QUrl>

#include "ui/shell.h"

namespace korvex {

QString BugReportLink() {
  // The colon may stand in a mail link's header value; blanks may not.
  const QByteArray subject = QUrl::toPercentEncoding(QString::fromUtf8(kBugReportSubject), ":");
  return QStringLiteral("mailto:") + QString::fromUtf8(kBugReportAddress) +
         QStringLiteral("?subject=") + QString::fromLatin1(subject);
}

void ReportBug(Shell& shell) { shell.OpenWithShell(BugReportLink()); }

}  // namespace korvex
