#include "core/preview_worker.h"

#include <utility>

namespace korvex {

PreviewWorker::PreviewWorker(std::chrono::milliseconds budget, std::filesystem::path prime_helper,
                             Done done)
    : budget_(budget), prime_counter_(std::move(prime_helper)), done_(std::move(done)) {
  context_.engine().function_state().prime_counter = &prime_counter_;
  runner_ = std::thread([this] { RunLoop(); });
  watcher_ = std::thread([this] { WatchLoop(); });
}

PreviewWorker::~PreviewWorker() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
    pending_.reset();
    if (running_ != 0) context_.control().RequestStop();
  }
  wake_.notify_all();
  watch_.notify_all();
  runner_.join();
  watcher_.join();
}

void PreviewWorker::Submit(PreviewRequest request) {
  {
    std::lock_guard lock(mutex_);
    pending_ = std::move(request);
    if (running_ != 0) {
      superseded_ = true;
      context_.control().RequestStop();
    }
  }
  wake_.notify_all();
}

void PreviewWorker::Cancel() {
  std::lock_guard lock(mutex_);
  pending_.reset();
  if (running_ != 0) {
    superseded_ = true;
    context_.control().RequestStop();
  }
}

void PreviewWorker::RunLoop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return quit_ || pending_.has_value(); });
    if (quit_) return;
    const PreviewRequest request = std::move(*pending_);
    pending_.reset();
    // Begins under the lock, so a Submit's stop can only come after it.
    context_.control().Begin();
    running_ = ++runs_;
    deadline_ = std::chrono::steady_clock::now() + budget_;
    over_budget_ = false;
    superseded_ = false;
    watch_.notify_all();
    lock.unlock();
    Preview preview = RunPreview(context_, request);
    lock.lock();
    running_ = 0;
    watch_.notify_all();
    if (superseded_ || quit_) continue;
    if (over_budget_) {
      preview = Preview();
      preview.generation = request.generation;
    }
    lock.unlock();
    done_(std::move(preview));
    lock.lock();
  }
}

void PreviewWorker::WatchLoop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    watch_.wait(lock, [this] { return quit_ || running_ != 0; });
    if (quit_) return;
    const std::uint64_t run = running_;
    const bool ended =
        watch_.wait_until(lock, deadline_, [this, run] { return quit_ || running_ != run; });
    if (ended) continue;
    over_budget_ = true;
    context_.control().RequestStop();
    watch_.wait(lock, [this, run] { return quit_ || running_ != run; });
  }
}

}  // namespace korvex
