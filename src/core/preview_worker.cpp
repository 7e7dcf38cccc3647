#include "core/preview_worker.h"

#include <pthread.h>

#include <algorithm>
#include <utility>

namespace korvex {
namespace {

std::chrono::nanoseconds ProcessorTime(clockid_t clock) {
  timespec now{};
  if (::clock_gettime(clock, &now) != 0) return {};
  return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

}  // namespace

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
  if (::pthread_getcpuclockid(::pthread_self(), &runner_clock_) != 0)
    runner_clock_ = CLOCK_MONOTONIC;  // then the budget counts wall time
  for (;;) {
    wake_.wait(lock, [this] { return quit_ || pending_.has_value(); });
    if (quit_) return;
    const PreviewRequest request = std::move(*pending_);
    pending_.reset();
    // Begins under the lock, so a Submit's stop can only come after it.
    context_.control().Begin();
    running_ = ++runs_;
    cpu_at_start_ = ProcessorTime(runner_clock_);
    wall_limit_ = std::chrono::steady_clock::now() +
                  std::max<std::chrono::nanoseconds>(kPreviewWallLimit, budget_);
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
    // The run cannot have used more processor time than wall time: look
    // again once what is left of the budget has passed.
    auto check = std::chrono::steady_clock::now() + budget_;
    for (;;) {
      const bool ended = watch_.wait_until(lock, std::min(check, wall_limit_),
                                           [this, run] { return quit_ || running_ != run; });
      if (ended) break;
      const auto used = ProcessorTime(runner_clock_) - cpu_at_start_;
      const auto now = std::chrono::steady_clock::now();
      if (used < budget_ && now < wall_limit_) {
        check = now + (budget_ - used);
        continue;
      }
      over_budget_ = true;
      context_.control().RequestStop();
      watch_.wait(lock, [this, run] { return quit_ || running_ != run; });
      break;
    }
  }
}

}  // namespace korvex
