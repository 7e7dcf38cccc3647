// Feedback while typing in one input line: its colours at every change, and
// a preview of what Enter would give, run on a worker of its own so neither
// the typing nor a solve ever waits for it. Each change replaces the
// preview in progress; one that runs past its budget shows nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

#include <QObject>

#include "core/calculator.h"
#include "core/preview_worker.h"

class QLineEdit;

namespace korvex {

class InputHighlighter;
class PreviewLine;

inline constexpr std::chrono::milliseconds kPreviewBudget{150};

class LivePreview : public QObject {
  Q_OBJECT

 public:
  // `plotting` says whether Enter would plot the text.
  LivePreview(Calculator& calculator, QLineEdit* edit, PreviewLine* line,
              std::function<bool()> plotting);
  ~LivePreview() override;

  // Off: the line is hidden and no preview runs; the colours stay.
  void set_enabled(bool on);
  bool enabled() const { return enabled_; }
  // What the text means may have changed (the stored answer, the variables,
  // the settings, the Plot box): colours and preview again.
  void Refresh();

  InputHighlighter* highlighter() const { return highlighter_; }
  // The newest input's number; a preview of an older one is dropped.
  std::uint64_t generation() const { return generation_; }

 signals:
  // A preview of the present text was shown (for tests and benchmarks).
  void previewShown();

 private:
  void TextChanged();
  void Arrived(const Preview& preview);

  Calculator& calculator_;
  QLineEdit* edit_;
  PreviewLine* line_;
  std::function<bool()> plotting_;
  InputHighlighter* highlighter_;
  // Made with the first preview: a window that never previews has no thread.
  std::unique_ptr<PreviewWorker> worker_;
  std::uint64_t generation_ = 0;
  bool enabled_ = true;
};

}  // namespace korvex
