// The Functions (Form8) and Constants (Form9) windows: one browser over a
// catalogue, made into either window by its table of texts. Modeless.
#pragma once

#include <string>

#include <QDialog>

#include "engine/catalogue.h"
#include "ui/catalogue_tables.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace korvex {

class MessageSeam;

class CatalogueBrowser : public QDialog {
  Q_OBJECT

 public:
  // `catalogue` is filled at start-up after the window exists; it must
  // outlive the window.
  CatalogueBrowser(const CatalogueBrowserTexts& texts, const Catalogue& catalogue,
                   MessageSeam& messages, QWidget* parent);

 signals:
  // Insert: `text` goes into the main window's input at its caret.
  void insertRequested(const QString& text);

 protected:
  void showEvent(QShowEvent* event) override;
  // Enter in the list inserts its selection.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void categoryChange();
  void searchChange(const QString& text);
  void goClick();
  void listClick();
  void insertClick();
  void RefillList();
  void ShowInformation(const QString& name);

  const CatalogueBrowserTexts& texts_;
  const Catalogue& catalogue_;
  MessageSeam& messages_;
  std::string category_letter_;  // the letter of the category last chosen
  QComboBox* category_;
  QLineEdit* search_;
  QPushButton* go_;
  QListWidget* list_;
  QLabel* count_;
  QLabel* info_label_;
  QPlainTextEdit* info_;
};

}  // namespace korvex
