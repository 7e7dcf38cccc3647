#include "ui/message_seam.h"

#include <QMessageBox>

namespace korvex {

void QtMessageSeam::Inform(const QString& text) {
  QMessageBox::information(parent_, QStringLiteral("Korvex"), text);
}

void QtMessageSeam::ShowFailure(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Korvex"), text, QMessageBox::Ok, parent_);
  box.exec();
}

bool QtMessageSeam::Ask(const QString& text) {
  return QMessageBox::question(parent_, QStringLiteral("Korvex"), text,
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace korvex
