#include "ui/request_runner.h"

namespace korvex {

RequestRunner::RequestRunner(Calculator& calculator, QObject* parent)
    : QObject(parent), calculator_(calculator) {}

RequestRunner::~RequestRunner() {
  calculator_.RequestStop();
  calculator_.WaitUntilIdle();
}

void RequestRunner::Stop() {
  calculator_.RequestStop();
  emit stopRequested();
}

void RequestRunner::MarkStarted() {
  busy_ = true;
  if (shown_busy_) return;
  shown_busy_ = true;
  emit busyChanged(true);
}

void RequestRunner::Finish(const std::function<void()>& apply) {
  // The worker may still be leaving the job that posted this; a request
  // started from `apply` must find it idle.
  calculator_.WaitUntilIdle();
  busy_ = false;
  apply();
  if (busy_ || !shown_busy_) return;
  shown_busy_ = false;
  emit busyChanged(false);
}

void RequestRunner::ShowFailure(const std::string& text) {
  if (failure_display_) failure_display_(text);
}

}  // namespace korvex
