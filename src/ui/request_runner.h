// Runs the calculator's requests on its worker thread while the window
// thread goes on handling events: windows repaint, move and answer "Stop"
// while a solve or plot works, yet the code that asked for the request
// reads its outcome on the next line as before.
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "settings/messages.h"

namespace korvex {

class Calculator;

class RequestRunner : public QObject {
  Q_OBJECT

 public:
  explicit RequestRunner(Calculator& calculator, QObject* parent = nullptr);

  // `request` runs on the worker; this thread handles events until it has
  // ended, then returns its result. Nothing (and nothing runs) while another
  // request is running. A failure escaping `request` is thrown here.
  template <typename Result>
  std::optional<Result> Run(const std::function<Result()>& request) {
    std::optional<Result> result;
    if (!RunJob([&] { result = request(); })) return std::nullopt;
    return result;
  }

  bool busy() const { return busy_; }
  // Asks the running request to stop; it ends within milliseconds.
  void Stop();
  Calculator& calculator() { return calculator_; }

 signals:
  // A request started (true) or ended (false). Windows that change what a
  // request reads hold still in between.
  void busyChanged(bool busy);

 private:
  bool RunJob(const std::function<void()>& job);

  Calculator& calculator_;
  bool busy_ = false;
};

// Runs `work` on `context`'s thread and returns when it has: at once when
// called there, otherwise as a queued call the caller waits for. For the
// worker's calls into windows (failures, plot progress, the Reminder).
void CallOnThreadOf(QObject* context, const std::function<void()>& work);

// The calculator's file messages, shown on the window thread whichever
// thread reports them (the benchmark reloads plot.ini on the worker).
class WindowThreadMessages : public Messages {
 public:
  // `target` must outlive this; `context` lives on the window thread.
  WindowThreadMessages(Messages& target, QObject* context) : target_(target), context_(context) {}
  void Show(const std::string& text) override {
    CallOnThreadOf(context_, [this, &text] { target_.Show(text); });
  }

 private:
  Messages& target_;
  QObject* context_;
};

}  // namespace korvex
