#include "cli/prompt_preview.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <utility>

#include "settings/helper_programs.h"

namespace korvex {
namespace {

std::string TextOf(const Preview& preview) {
  switch (preview.kind) {
    case Preview::Kind::kAnswer:
    case Preview::Kind::kFailure:
      return preview.text;
    case Preview::Kind::kNothing:
    case Preview::Kind::kSketch:
      return {};
  }
  return {};
}

bool IsBlank(const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

PromptPreview::PromptPreview(const Calculator& calculator) : calculator_(calculator) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
    ready_read_ = ends[0];
    ready_write_ = ends[1];
  }
  // The terminal's signals must reach the reading thread, which clears the
  // preview row before they end the program: the worker's threads start
  // with every signal held back.
  sigset_t all;
  sigset_t previous;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, &previous);
  worker_ = std::make_unique<PreviewWorker>(kPromptPreviewBudget, PrimeCountHelperPath(),
                                            [this](Preview preview) { Arrived(preview); });
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

PromptPreview::~PromptPreview() {
  worker_.reset();
  if (ready_read_ >= 0) ::close(ready_read_);
  if (ready_write_ >= 0) ::close(ready_write_);
}

void PromptPreview::LineChanged(const std::string& line) {
  std::uint64_t generation = 0;
  {
    const std::lock_guard lock(mutex_);
    generation = ++newest_;
    ready_text_.reset();
  }
  if (IsBlank(line)) {
    worker_->Cancel();
    return;
  }
  worker_->Submit(calculator_.MakePreviewRequest(line, false, generation));
}

std::optional<std::string> PromptPreview::TakeText() {
  char drained[64];
  while (::read(ready_read_, drained, sizeof drained) > 0) {
  }
  const std::lock_guard lock(mutex_);
  return std::exchange(ready_text_, std::nullopt);
}

void PromptPreview::Arrived(const Preview& preview) {
  {
    const std::lock_guard lock(mutex_);
    if (preview.generation != newest_) return;
    ready_text_ = TextOf(preview);
  }
  // A full pipe already wakes the reader.
  const char wake = 1;
  [[maybe_unused]] const ssize_t written = ::write(ready_write_, &wake, 1);
}

}  // namespace korvex
