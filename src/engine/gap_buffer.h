// A sequence with a movable hole: rewrites near the last rewrite cost only
// their own size, however long the sequence is behind them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace korvex {

// The evaluation loop reduces one group after another, each near the one
// before, so keeping the unused slots where the last change happened saves
// moving the list's tail at every rewrite. Between requests the hole is
// closed and the items are a plain vector (`Flatten`), which is what the
// scanner, the preprocessing and the engine's readers work on.
template <typename T>
class GapBuffer {
 public:
  std::size_t size() const { return items_.size() - gap_size_; }
  bool empty() const { return size() == 0; }

  T& operator[](std::size_t index) { return items_[Physical(index)]; }
  const T& operator[](std::size_t index) const { return items_[Physical(index)]; }

  // Removes `count` items from `position` on.
  void Erase(std::size_t position, std::size_t count) {
    MoveGapTo(position);
    gap_size_ += count;
  }

  // Inserts `value` before the item at `position`.
  void Insert(std::size_t position, T value) {
    MoveGapTo(position);
    if (gap_size_ == 0) {
      // Grow the hole by half the length, so a run of inserts costs amortised O(1).
      const std::size_t grow = std::max<std::size_t>(16, items_.size() / 2);
      items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(gap_begin_), grow, T());
      gap_size_ = grow;
    }
    items_[gap_begin_++] = std::move(value);
    --gap_size_;
  }

  // The items as a plain vector, the hole closed; writable as a vector.
  std::vector<T>& Flatten() {
    MoveGapTo(size());
    items_.resize(size());
    gap_size_ = 0;
    return items_;
  }
  // Only while the hole is closed, as after Flatten.
  const std::vector<T>& flat() const { return items_; }
  bool is_flat() const { return gap_size_ == 0; }

 private:
  std::size_t Physical(std::size_t index) const {
    return index < gap_begin_ ? index : index + gap_size_;
  }

  void MoveGapTo(std::size_t position) {
    if (gap_size_ == 0) {
      gap_begin_ = position;
      return;
    }
    if (position < gap_begin_) {
      std::move_backward(items_.begin() + static_cast<std::ptrdiff_t>(position),
                         items_.begin() + static_cast<std::ptrdiff_t>(gap_begin_),
                         items_.begin() + static_cast<std::ptrdiff_t>(gap_begin_ + gap_size_));
    } else if (position > gap_begin_) {
      std::move(items_.begin() + static_cast<std::ptrdiff_t>(gap_begin_ + gap_size_),
                items_.begin() + static_cast<std::ptrdiff_t>(position + gap_size_),
                items_.begin() + static_cast<std::ptrdiff_t>(gap_begin_));
    }
    gap_begin_ = position;
  }

  std::vector<T> items_;
  std::size_t gap_begin_ = 0;
  std::size_t gap_size_ = 0;
};

}  // namespace korvex
