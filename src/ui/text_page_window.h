// A modeless window that shows a read-only page of plain text in a titled
// group, with a "Close" button that hides it: the base of the Solution and
// Error log windows.
#pragma once

#include <QDialog>

class QAbstractScrollArea;
class QPlainTextEdit;
class QVBoxLayout;

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
  // A window whose page is `page` instead of a plain-text area; it gets the
  // page's name, scroll bars and place.
  TextPageWindow(const TextPageTexts& texts, QAbstractScrollArea* page, QWidget* parent);

  // Null when the window has a page of its own.
  QPlainTextEdit* page() const { return page_; }
  // Puts `widget` in the group, above the page.
  void AddAbovePage(QWidget* widget);

 private:
  QPlainTextEdit* page_ = nullptr;
  QVBoxLayout* group_layout_ = nullptr;
};

}  // namespace korvex
