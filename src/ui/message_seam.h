// Every message box of the program goes through this seam, so tests can
// record what would have been shown instead of blocking on a modal dialog.
#pragma once

#include <QString>
#include <QWidget>

#include "settings/messages.h"

namespace korvex {

class MessageSeam : public Messages {
 public:
  // A plain information box (data-file messages, hints).
  void Show(const std::string& text) override { Inform(QString::fromStdString(text)); }
  virtual void Inform(const QString& text) = 0;
  // The general failure display: caption "Korvex", a stop icon, "OK".
  virtual void ShowFailure(const QString& text) = 0;
  // A question with "Yes" and "No"; true for "Yes".
  virtual bool Ask(const QString& text) = 0;
};

// The real boxes, parented to `parent` (may be null).
class QtMessageSeam : public MessageSeam {
 public:
  explicit QtMessageSeam(QWidget* parent = nullptr) : parent_(parent) {}
  void Inform(const QString& text) override;
  void ShowFailure(const QString& text) override;
  bool Ask(const QString& text) override;

 private:
  QWidget* parent_;
};

}  // namespace korvex
