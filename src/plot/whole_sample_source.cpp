// The integer path's blocks: whole inputs, computed side by side.
#include "plot/whole_sample_source.h"

#include <cmath>
#include <span>

namespace korvex {
namespace {

bool WithinText(std::int64_t value) { return value < kWholeTextLimit && value > -kWholeTextLimit; }

// A whole x the integers take: below 10^15, where the extended x is its own
// number text, and below the run's end.
bool Takes(std::int64_t x, std::int64_t end) { return WithinText(x) && x < end; }

}  // namespace

WholeSampleSource::WholeSampleSource(CompiledSample& compiled, const SampleRange& range)
    : compiled_(compiled), range_(range) {
  whole_step_ = AsWhole(range_.increment, step_) && WithinText(step_);
  // For a whole x, x < end exactly when x < ceil(end).
  const long double end_ceiling = std::ceil(range_.end());
  end_ = end_ceiling >= static_cast<long double>(kWholeLimit) ? kWholeLimit
         : end_ceiling <= -static_cast<long double>(kWholeLimit)
             ? -kWholeLimit
             : static_cast<std::int64_t>(end_ceiling);
}

SampleStatus WholeSampleSource::NextBlock(long double x, std::size_t limit, SampleBlock& block) {
  std::int64_t first = 0;
  if (!whole_step_ || !AsWhole(x, first) || !WithinText(first)) return SampleStatus::kRefused;
  // x moves on as the extended loop moves it: whole values below 2^63 add
  // exactly.
  const std::size_t most = std::min(kLanes, limit);
  // In locals: the stores into inputs_ could otherwise be the members'.
  const std::int64_t step = step_;
  const std::int64_t end = end_;
  std::size_t count = 0;
  for (std::int64_t input = first; count < most && Takes(input, end); input += step)
    inputs_[count++] = input;
  if (count == 0) return SampleStatus::kRefused;
  WholeProgram* program = compiled_.whole();
  if (program == nullptr) return SampleStatus::kRefused;
  const std::size_t computed = program->RunBlock(std::span(inputs_, count), outcomes_);
  if (computed == 0) return SampleStatus::kRefused;
  for (std::size_t k = 0; k < computed; ++k)
    points_[k] = {inputs_[k], outcomes_[k].y, outcomes_[k].written};
  stopped_short_ = computed < count || !Takes(inputs_[computed - 1] + step, end);
  block = {SampleBlock::Kind::kWhole, computed, nullptr, nullptr, points_};
  return SampleStatus::kTaken;
}

}  // namespace korvex
