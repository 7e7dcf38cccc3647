#include "ui/request_runner.h"

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <exception>

#include "core/calculator.h"

namespace korvex {

RequestRunner::RequestRunner(Calculator& calculator, QObject* parent)
    : QObject(parent), calculator_(calculator) {}

void RequestRunner::Stop() { calculator_.RequestStop(); }

bool RequestRunner::RunJob(const std::function<void()>& job) {
  if (busy_) return false;
  std::atomic<bool> finished{false};
  std::exception_ptr failure;
  const bool started = calculator_.StartOnWorker([&] {
    try {
      job();
    } catch (...) {
      failure = std::current_exception();
    }
    finished.store(true, std::memory_order_release);
    // Wakes the wait below, which sleeps until some event arrives.
    QMetaObject::invokeMethod(
        this, [] {}, Qt::QueuedConnection);
  });
  if (!started) return false;
  busy_ = true;
  emit busyChanged(true);
  // Not a QEventLoop: quitting the program must not end this wait while the
  // worker still uses what the caller owns. Closing windows asks the request
  // to stop instead, and the wait then ends within milliseconds.
  while (!finished.load(std::memory_order_acquire))
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  // The job's last lines (the wake-up call) use this frame's variables.
  calculator_.WaitUntilIdle();
  busy_ = false;
  emit busyChanged(false);
  if (failure) std::rethrow_exception(failure);
  return true;
}

void CallOnThreadOf(QObject* context, const std::function<void()>& work) {
  if (QThread::currentThread() == context->thread()) {
    work();
    return;
  }
  QMetaObject::invokeMethod(context, work, Qt::BlockingQueuedConnection);
}

}  // namespace korvex
