#include "core/request_worker.h"

#include <utility>

namespace korvex {

RequestWorker::~RequestWorker() {
  {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !busy_; });
    quit_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
}

bool RequestWorker::Start(std::function<void()> job) {
  {
    std::lock_guard lock(mutex_);
    if (busy_) return false;
    busy_ = true;
    job_ = std::move(job);
    if (!thread_.joinable()) thread_ = std::thread([this] { Loop(); });
  }
  wake_.notify_one();
  return true;
}

bool RequestWorker::busy() const {
  std::lock_guard lock(mutex_);
  return busy_;
}

void RequestWorker::WaitUntilIdle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !busy_; });
}

void RequestWorker::Loop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return quit_ || job_; });
    if (quit_) return;
    std::function<void()> job = std::move(job_);
    job_ = nullptr;
    lock.unlock();
    // Each request catches its own failures; one that escapes anyway must
    // not take the thread, and with it every later request, down.
    try {
      job();
    } catch (...) {
    }
    // Whatever the job captured goes before anyone is told it ended.
    job = nullptr;
    lock.lock();
    busy_ = false;
    idle_.notify_all();
  }
}

}  // namespace korvex
