// What a sampling source hands the plot loop: the next block of samples from
// a given x on, with their values and value texts.
#pragma once

#include <cstddef>
#include <string>

#include "engine/compiled_sample.h"
#include "plot/series_stats.h"

namespace korvex {

// Consecutive samples, the first at the x the block was asked for; the loop
// moves x on itself. Everything pointed at stays valid until the source is
// asked for its next block.
struct SampleBlock {
  enum class Kind {
    kEvaluated,  // by the token engine: the value text is token 0's
    kReplayed,   // from the first sample's recording, on extended values
    kWhole,      // from the recording on integers
  };
  Kind kind = Kind::kEvaluated;
  std::size_t count = 0;
  // kEvaluated and kReplayed: y and written value per sample, and the text
  // every sample's line shows, or null for FloatToStr(written).
  const CompiledSample::Outcome* outcomes = nullptr;
  const std::string* value_text = nullptr;
  // kWhole: x, y and written value per sample.
  const WholePointRecorder::Point* whole = nullptr;
};

enum class SampleStatus {
  kTaken,    // the block holds at least one sample
  kRefused,  // this source cannot take the sample at x; the block is empty
  kFailed,   // the sample at x failed, its failure already reported
};

class SampleSource {
 public:
  virtual ~SampleSource() = default;

  // The samples from `x` on, at most `limit` (at least 1). The loop has made
  // the reminder and stop checks for the sample at x only, so that is the
  // one sample a source may evaluate now with effects a user can see (a
  // failure reported, Cancelled escaping); the samples after it in the block
  // must have been computed without any.
  virtual SampleStatus NextBlock(long double x, std::size_t limit, SampleBlock& block) = 0;
};

}  // namespace korvex
