// Recording the rewrites of a solve and replaying them into step texts.
#include "engine/step_log.h"

#include <utility>

namespace korvex {
namespace {

std::string StepPrefix(std::size_t index, const std::string& operation) {
  return "Step " + std::to_string(index + 1) + " (" + operation + "): ";
}

}  // namespace

void StepLog::Clear() {
  starts_.clear();
  edits_.clear();
  inserted_.clear();
  places_.clear();
  steps_.clear();
  list_chars_ = 0;
  replay_ = Replay();
}

void StepLog::Begin(const std::vector<std::string>& tokens) {
  // A start that no step refers to is of no further use.
  if (!starts_.empty() && (steps_.empty() || steps_.back().start + 1 != starts_.size())) {
    edits_.resize(starts_.back().first_edit);
    starts_.pop_back();
  }
  // Places of a pass that failed before its step belong to no step.
  places_.resize(steps_.empty() ? 0 : steps_.back().places_end);
  starts_.push_back({tokens, edits_.size()});
  list_chars_ = 0;
  for (const std::string& token : tokens) list_chars_ += token.size();
}

void StepLog::Replace(std::size_t position, std::size_t removed, std::size_t removed_chars,
                      std::string_view inserted) {
  edits_.push_back({static_cast<std::uint32_t>(position), static_cast<std::uint32_t>(removed),
                    static_cast<std::uint32_t>(inserted_.size())});
  inserted_.emplace_back(inserted);
  list_chars_ = list_chars_ - removed_chars + inserted.size();
}

void StepLog::Erase(std::size_t position, std::size_t removed, std::size_t removed_chars) {
  edits_.push_back(
      {static_cast<std::uint32_t>(position), static_cast<std::uint32_t>(removed), kNothing});
  list_chars_ -= removed_chars;
}

void StepLog::AddPlace(const SourceRange& place) {
  // In a chain such as 2*3*4 each operation's place covers the one before;
  // the step then shows the chain as one part.
  const std::size_t pending = steps_.empty() ? 0 : steps_.back().places_end;
  if (places_.size() > pending && place.start <= places_.back().start &&
      places_.back().end <= place.end) {
    places_.back() = place;
    return;
  }
  places_.push_back(place);
}

void StepLog::Record(std::string operation) {
  steps_.push_back({std::move(operation), static_cast<std::uint32_t>(starts_.size() - 1),
                    static_cast<std::uint32_t>(places_.size()), edits_.size(), list_chars_});
}

std::span<const SourceRange> StepLog::Places(std::size_t index) const {
  const std::size_t begin = index == 0 ? 0 : steps_[index - 1].places_end;
  return std::span<const SourceRange>(places_).subspan(begin, steps_[index].places_end - begin);
}

void StepLog::ReplayTo(const Step& step) const {
  if (replay_.start != step.start || replay_.edit_end > step.edit_end) {
    replay_.start = step.start;
    replay_.edit_end = starts_[step.start].first_edit;
    replay_.tokens.Flatten() = starts_[step.start].tokens;
  }
  GapBuffer<std::string>& tokens = replay_.tokens;
  for (; replay_.edit_end < step.edit_end; ++replay_.edit_end) {
    const Edit& edit = edits_[replay_.edit_end];
    tokens.Erase(edit.position, edit.removed);
    if (edit.inserted != kNothing) tokens.Insert(edit.position, inserted_[edit.inserted]);
  }
}

std::string StepLog::Text(std::size_t index) const {
  const Step& step = steps_[index];
  ReplayTo(step);
  std::string text = StepPrefix(index, step.operation);
  text.reserve(text.size() + step.list_chars);
  const GapBuffer<std::string>& tokens = replay_.tokens;
  for (std::size_t i = 0; i < tokens.size(); ++i) text += tokens[i];
  return text;
}

std::size_t StepLog::TextLength(std::size_t index) const {
  return StepPrefix(index, steps_[index].operation).size() + steps_[index].list_chars;
}

std::vector<std::string> StepLog::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(steps_.size());
  for (std::size_t i = 0; i < steps_.size(); ++i) texts.push_back(Text(i));
  return texts;
}

bool operator==(const StepLog& log, const std::vector<std::string>& texts) {
  if (log.size() != texts.size()) return false;
  for (std::size_t i = 0; i < texts.size(); ++i)
    if (log.Text(i) != texts[i]) return false;
  return true;
}

}  // namespace korvex
