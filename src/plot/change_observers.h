// The callbacks a model tells that it changed, so views redraw when there is
// something new instead of looking at the model again and again.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace korvex {

class ChangeObservers {
 public:
  using Id = std::uint64_t;

  ChangeObservers() = default;
  // A view watches one object: its copy starts unwatched, and a watched
  // object is never overwritten behind its views' backs.
  ChangeObservers(const ChangeObservers& /*other*/) {}
  // Assigned, an object keeps its own views (they watch it, not its value).
  ChangeObservers& operator=(const ChangeObservers& /*other*/) { return *this; }

  Id Add(std::function<void()> observer);
  // Unknown ids are ignored, so removing twice is harmless.
  void Remove(Id id);

  // Inline and plain because a plot may append millions of points, each one
  // a change. Observers must not add or remove observers while being told.
  void Notify() const {
    for (const auto& entry : observers_) entry.second();
  }

 private:
  std::vector<std::pair<Id, std::function<void()>>> observers_;
  Id next_id_ = 1;
};

}  // namespace korvex
