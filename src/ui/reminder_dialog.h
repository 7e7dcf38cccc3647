// The Reminder dialog (Form16): offered during long plot runs, the only way
// to stop one. Runs behind a seam so tests answer without a modal loop.
#pragma once

#include <QDialog>

class QPushButton;

namespace korvex {

// Asks whether a long plot run goes on: true for "Continue" (or any other way
// of closing the question), false for "Stop".
class ReminderSeam {
 public:
  virtual ~ReminderSeam() = default;
  virtual bool ShowReminder() = 0;
};

class ReminderDialog : public QDialog, public ReminderSeam {
  Q_OBJECT

 public:
  explicit ReminderDialog(QWidget* parent = nullptr);

  // Modal; waits until the dialog closes.
  bool ShowReminder() override;
  bool stop_requested() const { return stop_requested_; }

 public slots:
  void continuebuttonClick();
  void stopClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool stop_requested_ = false;
  QPushButton* continue_button_;
};

}  // namespace korvex
