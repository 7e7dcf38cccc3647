// Starts the calculator's requests on its worker and hands their outcomes
// back on the window thread: starting returns at once, the outcome arrives
// through a queued call, and only then does a window apply it to the
// session. Nothing here waits for the worker.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "core/calculator.h"

namespace korvex {

class RequestRunner : public QObject {
  Q_OBJECT

 public:
  explicit RequestRunner(Calculator& calculator, QObject* parent = nullptr);
  // Stops a running request and waits for the worker, so nothing it was
  // given outlives this.
  ~RequestRunner() override;

  // Runs `work` on the worker against its engine state; `done` gets the
  // result here, on the window thread, once it has ended. False (and
  // nothing runs) while another request runs or has not been handed back
  // yet. `work` reads only what it was given (a request made here before
  // the start) and the context; a failure escaping it reaches
  // set_failure_display's function instead of `done`.
  template <typename Result>
  bool Start(std::function<Result(RequestContext&)> work, std::function<void(Result&)> done) {
    if (busy_) return false;
    const bool started = calculator_.StartOnWorker(
        [this, work = std::move(work), done = std::move(done)](RequestContext& context) {
          std::shared_ptr<Result> result;
          std::string failure;
          try {
            result = std::make_shared<Result>(work(context));
          } catch (const std::exception& escaped) {
            failure = escaped.what();
          } catch (...) {
            failure = "Unknown failure";
          }
          QMetaObject::invokeMethod(
              this,
              [this, result, failure, done] {
                Finish([&] {
                  if (result)
                    done(*result);
                  else
                    ShowFailure(failure);
                });
              },
              Qt::QueuedConnection);
        });
    if (!started) return false;
    MarkStarted();
    return true;
  }

  // Started and not yet handed back.
  bool busy() const { return busy_; }
  // Asks the running request to stop; it ends within milliseconds. Emits
  // stopRequested, so requests queued behind it do not start either.
  void Stop();
  Calculator& calculator() { return calculator_; }
  // Where a failure that escaped a request is shown (the general failure
  // display); unset, it is dropped.
  void set_failure_display(std::function<void(const std::string&)> show) {
    failure_display_ = std::move(show);
  }

 signals:
  // A request started (true) or ended (false). A request started by the
  // handler of the one that ended (the next of a multiple plot) keeps the
  // runner busy throughout, so windows see one busy spell.
  void busyChanged(bool busy);
  // Stop was asked for (Stop, Escape, Plot info's Stop).
  void stopRequested();

 private:
  void MarkStarted();
  // Runs the handing back: not busy while `apply` runs, and busyChanged
  // (false) only when `apply` started nothing new.
  void Finish(const std::function<void()>& apply);
  void ShowFailure(const std::string& text);

  Calculator& calculator_;
  bool busy_ = false;
  bool shown_busy_ = false;
  std::function<void(const std::string&)> failure_display_;
};

}  // namespace korvex
