// The replay's lanes computed ahead and handed out block by block.
#include "plot/replay_sample_source.h"

namespace korvex {

SampleStatus ReplaySampleSource::NextBlock(long double x, std::size_t limit, SampleBlock& block) {
  // Lanes left over continue only where the loop left them: a block of
  // another source in between has moved x past them.
  if (next_lane_ == lanes_.count || !(lane_x_[next_lane_] == x)) {
    FillLanes(x);
    compiled_.RunLanes(lanes_, state_);
    next_lane_ = 0;
  }
  const std::size_t first = next_lane_;
  if (!lanes_.complete) {
    ++next_lane_;
    single_ = compiled_.Run(range_.PlusInput(x), range_.MinusInput(x), state_);
    if (!single_) return fallback_.NextBlock(x, 1, block);
    block = {SampleBlock::Kind::kReplayed, 1, &*single_, compiled_.constant_text(), nullptr};
    return SampleStatus::kTaken;
  }
  if (!lanes_.replayed[first]) {
    ++next_lane_;
    return fallback_.NextBlock(x, 1, block);
  }
  std::size_t count = 1;
  while (count < limit && first + count < lanes_.count && lanes_.replayed[first + count]) ++count;
  next_lane_ += count;
  block = {SampleBlock::Kind::kReplayed, count, &lanes_.outcome[first], compiled_.constant_text(),
           nullptr};
  return SampleStatus::kTaken;
}

void ReplaySampleSource::FillLanes(long double x) {
  // The samples the loop takes next, x moving on exactly as it does there; a
  // step that leaves x where it was ends the run after that sample.
  const long double end = range_.end();
  lanes_.count = 0;
  for (;;) {
    const std::size_t lane = lanes_.count++;
    lane_x_[lane] = x;
    lanes_.plus_input[lane] = range_.PlusInput(x);
    lanes_.minus_input[lane] = range_.MinusInput(x);
    const long double next = x + range_.increment;
    if (lanes_.count == CompiledSample::kLanes || next == x || !(next < end)) return;
    x = next;
  }
}

}  // namespace korvex
