// The Edit window (Form4): edits the selected expression of the main
// window's list; modal.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace korvex {

class EditWindow : public QDialog {
  Q_OBJECT

 public:
  explicit EditWindow(QWidget* parent);

  // Puts `text` into the edit and shows the window modally.
  void EditExpression(const QString& text);

 signals:
  // "Replace": the selected item is to become `text`.
  void replaceRequested(const QString& text);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void editChange();
  void replaceClick();

  QLineEdit* edit_;
  QPushButton* replace_;
};

}  // namespace korvex
