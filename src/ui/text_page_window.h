// A modeless window that shows a read-only page of plain text in a titled
// group, with a "Close" button that hides it: the base of the Solution and
// Error log windows.
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace korvex {

struct TextPageTexts {
  const char* object_name;  // the window's instance name
  const char* caption;
  const char* group_title;
  const char* page_name;  // object name of the text area
};

class TextPageWindow : public QDialog {
  Q_OBJECT

 public:
  TextPageWindow(const TextPageTexts& texts, QWidget* parent);

 protected:
  QPlainTextEdit* page() const { return page_; }

 private:
  QPlainTextEdit* page_;
};

}  // namespace korvex
