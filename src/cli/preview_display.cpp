#include "cli/preview_display.h"

#include <utility>

namespace korvex {
namespace {

// A line holding a line break is not the user's: the editor's incremental
// search shows its own prompt on the row below by adding it to the line.
std::string PreviewedText(const EditedLine& line) {
  return line.text.find('\n') == std::string::npos ? line.text : std::string();
}

}  // namespace

PreviewDisplay::PreviewDisplay(LinePreviewSource& source, PromptSignals& signals, std::FILE* out)
    : source_(source), signals_(signals), out_(out) {}

PreviewDisplay::~PreviewDisplay() { Hide(); }

void PreviewDisplay::Follow(const EditedLine& line) {
  const std::string text = PreviewedText(line);
  if (text != followed_) {
    followed_ = text;
    text_.clear();
    source_.LineChanged(followed_);
    return;
  }
  if (!signals_.shown() && !text_.empty()) Show(line);
}

void PreviewDisplay::ShowReady(const EditedLine& line) {
  std::optional<std::string> text = source_.TakeText();
  if (!text || PreviewedText(line) != followed_) return;
  Hide();
  text_ = std::move(*text);
  if (!text_.empty()) Show(line);
}

void PreviewDisplay::Hide() {
  const HeldSignals held;
  const std::optional<PreviewPlacement> place = signals_.shown();
  if (!place) return;
  char sequence[kMaxEraseBytes];
  Write(std::string(sequence, EraseSequence(*place, sequence)));
  signals_.set_shown(std::nullopt);
}

void PreviewDisplay::Finish() {
  Hide();
  followed_.clear();
  text_.clear();
  source_.LineChanged(followed_);
}

void PreviewDisplay::Forget() {
  const HeldSignals held;
  signals_.set_shown(std::nullopt);
}

void PreviewDisplay::Show(const EditedLine& line) {
  // A row narrower than one character has no room for a preview.
  if (line.columns < 2) return;
  const PreviewPlacement place = PlacePreview(line.columns, line.cursor_cells, line.end_cells);
  const HeldSignals held;
  Write(ShowPreviewLine(place, text_, line.columns));
  signals_.set_shown(place);
}

void PreviewDisplay::Write(const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), out_);
  std::fflush(out_);
}

}  // namespace korvex
