// The preview of the `korvex-cli solve` prompt: what the line would give if
// it were entered now ("= 14", or a failure's "Title: message"), worked out
// on the preview worker from the user's session as it stands.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "cli/line_reader.h"
#include "core/calculator.h"
#include "core/preview_worker.h"

namespace korvex {

// Typing must not wait on a slow line: a preview that takes longer shows
// nothing.
inline constexpr std::chrono::milliseconds kPromptPreviewBudget{150};

class PromptPreview final : public LinePreviewSource {
 public:
  // `calculator` must outlive the preview; its session is read on the
  // calling thread, at each change of the line.
  explicit PromptPreview(const Calculator& calculator);
  ~PromptPreview() override;
  PromptPreview(const PromptPreview&) = delete;
  PromptPreview& operator=(const PromptPreview&) = delete;

  void LineChanged(const std::string& line) override;
  int ready_fd() const override { return ready_read_; }
  std::optional<std::string> TakeText() override;

 private:
  // On the preview thread.
  void Arrived(const Preview& preview);

  const Calculator& calculator_;
  // A pipe that wakes the reading thread's wait for a key.
  int ready_read_ = -1;
  int ready_write_ = -1;
  std::mutex mutex_;
  std::uint64_t newest_ = 0;
  std::optional<std::string> ready_text_;
  // Last, so its thread ends before what it reports to goes.
  std::unique_ptr<PreviewWorker> worker_;
};

}  // namespace korvex
