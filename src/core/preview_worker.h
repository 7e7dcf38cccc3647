// Runs previews one at a time on a thread of its own, beside the
// calculator's worker: typing never waits for a solve, and Enter never
// waits for a preview. Only the newest input counts.
#pragma once

#include <time.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "core/preview.h"
#include "core/request_context.h"
#include "engine/prime_count.h"

namespace korvex {

inline constexpr std::chrono::seconds kPreviewWallLimit{1};

class PreviewWorker {
 public:
  // The budget counts the preview thread's processor time, so a busy
  // machine does not stop a preview that has simply waited its turn; a
  // preview that waits on something else (a helper program) is stopped after
  // kPreviewWallLimit all the same.
  // Called on the preview thread with each preview that ran to its end
  // within the budget, and with an empty one (Kind::kNothing) for one that
  // did not; never for a preview a newer Submit replaced.
  using Done = std::function<void(Preview)>;

  // `prime_helper` counts primepi's large limits (see SpawnedPrimeCounter).
  PreviewWorker(std::chrono::milliseconds budget, std::filesystem::path prime_helper, Done done);
  // Stops the preview in progress and waits for both threads.
  ~PreviewWorker();
  PreviewWorker(const PreviewWorker&) = delete;
  PreviewWorker& operator=(const PreviewWorker&) = delete;

  // Stops the preview in progress; `request` runs next, alone.
  void Submit(PreviewRequest request);
  // Stops the preview in progress and drops a waiting one: nothing more is
  // told until the next Submit.
  void Cancel();

 private:
  void RunLoop();
  // Stops a preview whose work outgrows its budget.
  void WatchLoop();

  const std::chrono::milliseconds budget_;
  SpawnedPrimeCounter prime_counter_;
  RequestContext context_;
  Done done_;

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable watch_;
  std::optional<PreviewRequest> pending_;
  // The run in progress: its number (0 while none runs), the preview
  // thread's processor time when it began, and the latest time it may end.
  std::uint64_t running_ = 0;
  std::uint64_t runs_ = 0;
  clockid_t runner_clock_{};
  std::chrono::nanoseconds cpu_at_start_{};
  std::chrono::steady_clock::time_point wall_limit_;
  bool over_budget_ = false;
  bool superseded_ = false;
  bool quit_ = false;
  std::thread runner_;
  std::thread watcher_;
};

}  // namespace korvex
