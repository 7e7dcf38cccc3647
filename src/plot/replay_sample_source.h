// Sampling from the first sample's recording on extended values, a few
// samples side by side, with the token engine taking any sample the replay
// leaves.
#pragma once

#include <optional>

#include "engine/compiled_sample.h"
#include "engine/function_table.h"
#include "plot/sample_range.h"
#include "plot/sample_source.h"
#include "plot/token_sample_source.h"

namespace korvex {

// Computes the lanes' worth of samples from x on ahead of the loop and hands
// out the replayed ones in order; a sample the replay cannot give is a block
// of its own, evaluated by `fallback` when the loop reaches it. Lanes whose
// batch threw are replayed one at a time, as the loop reaches each, so that
// a failure or a cancel falls on its own sample.
class ReplaySampleSource : public SampleSource {
 public:
  // `compiled` is ready; it, the state and the fallback outlive the source.
  ReplaySampleSource(CompiledSample& compiled, FunctionState& state, const SampleRange& range,
                     TokenSampleSource& fallback)
      : compiled_(compiled), state_(state), range_(range), fallback_(fallback) {}

  SampleStatus NextBlock(long double x, std::size_t limit, SampleBlock& block) override;

 private:
  // The inputs of the samples from x on, as many as fit the lanes.
  void FillLanes(long double x);

  CompiledSample& compiled_;
  FunctionState& state_;
  const SampleRange range_;
  TokenSampleSource& fallback_;
  CompiledSample::Lanes lanes_;
  long double lane_x_[CompiledSample::kLanes];
  std::size_t next_lane_ = 0;  // the first lane not handed out yet
  std::optional<CompiledSample::Outcome> single_;
};

}  // namespace korvex
