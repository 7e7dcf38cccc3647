// The solution steps of a solve, kept as the rewrites of the token list
// between them; a step's text is built when someone reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/error_sink.h"
#include "engine/gap_buffer.h"

namespace korvex {

// A step's text holds the whole list, so storing every text made a long
// solve quadratic in time and memory. The log stores the list once, where
// the recording began, and then only what each rewrite removed and put in;
// Text(i) replays the rewrites up to step i. The replay position is kept
// between calls, so reading the steps in order (printing them all, painting
// the visible lines of a view) replays every rewrite once.
//
// Reading is not thread-safe (the replay position changes): a reader on
// another thread reads its own copy.
class StepLog {
 public:
  std::size_t size() const { return steps_.size(); }
  bool empty() const { return steps_.empty(); }
  // "Step " + number + " (" + operation + "): " + the list at that step.
  std::string Text(std::size_t index) const;
  // The length of Text(index), without building it.
  std::size_t TextLength(std::size_t index) const;
  std::vector<std::string> Texts() const;
  // The parts of the solved text that step `index` reduced, left to right:
  // one per operation of an operator pass, the whole call for a function.
  // Empty when the solve kept no places.
  std::span<const SourceRange> Places(std::size_t index) const;
  friend bool operator==(const StepLog& log, const std::vector<std::string>& texts);

  // Recording, by the engine.
  void Clear();
  // The list that the following rewrites start from.
  void Begin(const std::vector<std::string>& tokens);
  // `removed` tokens from `position` on, of `removed_chars` characters in
  // all, give way to one token `inserted`, or to nothing.
  void Replace(std::size_t position, std::size_t removed, std::size_t removed_chars,
               std::string_view inserted);
  void Erase(std::size_t position, std::size_t removed, std::size_t removed_chars);
  // The place of one reduction that the next step shows.
  void AddPlace(const SourceRange& place);
  // One step: the list as the rewrites so far have left it.
  void Record(std::string operation);

 private:
  static constexpr std::uint32_t kNothing = UINT32_MAX;
  struct Edit {
    std::uint32_t position;
    std::uint32_t removed;
    std::uint32_t inserted;  // index into inserted_, or kNothing
  };
  struct Start {
    std::vector<std::string> tokens;
    std::size_t first_edit;
  };
  struct Step {
    std::string operation;
    std::uint32_t start;
    std::uint32_t places_end;  // this step's places: places_[previous step's end, places_end)
    std::size_t edit_end;    // the rewrites before this step: edits_[start's first_edit, edit_end)
    std::size_t list_chars;  // length of the list's text at this step
  };
  // Where the replay stands: `start` replayed up to `edit_end`.
  struct Replay {
    std::size_t start = SIZE_MAX;
    std::size_t edit_end = 0;
    GapBuffer<std::string> tokens;
  };
  void ReplayTo(const Step& step) const;

  std::vector<Start> starts_;
  std::vector<Edit> edits_;
  std::vector<std::string> inserted_;
  // One flat list for all steps: a vector per step would cost a long solve
  // an allocation for every step.
  std::vector<SourceRange> places_;
  std::vector<Step> steps_;
  std::size_t list_chars_ = 0;
  mutable Replay replay_;
};

}  // namespace korvex
