// The Reminder dialog (Form16): offered during long plot runs, the only way
// to stop one. Runs behind a seam so tests answer without a modal loop.
#pragma once

#include <QDialog>
#include <functional>

class QPushButton;

namespace korvex {

// Asks whether a long plot run goes on; `answered` gets true for "Continue"
// (or any other way of closing the question), false for "Stop". Returns at
// once: the run waits, the window thread does not.
class ReminderSeam {
 public:
  virtual ~ReminderSeam() = default;
  virtual void AskReminder(std::function<void(bool go_on)> answered) = 0;
};

class ReminderDialog : public QDialog, public ReminderSeam {
  Q_OBJECT

 public:
  explicit ReminderDialog(QWidget* parent = nullptr);

  // Window-modal, opened without a loop of its own.
  void AskReminder(std::function<void(bool go_on)> answered) override;
  bool stop_requested() const { return stop_requested_; }

 public slots:
  void continuebuttonClick();
  void stopClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool stop_requested_ = false;
  std::function<void(bool)> answered_;
  QPushButton* continue_button_;
};

}  // namespace korvex
