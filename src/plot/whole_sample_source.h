// The plot's integer path: samples whose every value stays a whole number,
// computed on integers from the first sample's recording, and when the plot
// offers them to it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "engine/compiled_sample.h"
#include "engine/whole_program.h"
#include "plot/sample_range.h"
#include "plot/sample_source.h"
#include "plot/series_stats.h"

namespace korvex {

// Blocks of whole samples, computed before the loop reaches them. A source
// that refuses leaves the sample to the extended replay; it never fails.
class WholeSampleSource : public SampleSource {
 public:
  // `compiled` outlives the source; its recording is made by the run's
  // first sample.
  WholeSampleSource(CompiledSample& compiled, const SampleRange& range);

  // The recording has an integer form (never with the derivative).
  bool ready() const { return !range_.derivative && compiled_.whole() != nullptr; }
  SampleStatus NextBlock(long double x, std::size_t limit, SampleBlock& block) override;
  // After a block: the sample after it is one the integers cannot take (or
  // lies beyond the values they take).
  bool stopped_short() const { return stopped_short_; }

 private:
  static constexpr std::size_t kLanes = WholeProgram::kLanes;

  CompiledSample& compiled_;
  const SampleRange range_;
  bool whole_step_ = false;
  std::int64_t step_ = 0;
  std::int64_t end_ = 0;  // for a whole x, x < end() exactly when x < end_
  bool stopped_short_ = false;
  std::int64_t inputs_[kLanes];
  WholeProgram::Outcome outcomes_[kLanes];
  WholePointRecorder::Point points_[kLanes];
};

// When the plot loop offers a sample to the integers. A run of whole blocks
// goes on while each ends where the next may begin; where one stops short,
// the sample it stopped at goes to the extended replay and the integers are
// offered the one after. Where they take nothing, they are offered a sample
// again only after 1, 2, 4 ... 1024 samples, doubling at each refusal in a
// row: an expression of fractions stops asking soon, one that leaves whole
// numbers now and then keeps them.
class WholeSchedule {
 public:
  bool Offers(std::size_t position) const {
    return state_ == State::kRunning || (state_ == State::kIdle && position >= next_offer_);
  }
  // The integers took a block; `goes_on` when the next sample may continue
  // it.
  void Took(bool goes_on) {
    backoff_ = 1;
    state_ = goes_on ? State::kRunning : State::kStopped;
  }
  // Offered the sample at `position`, they took nothing (or its reminder or
  // stop check was due): a run of blocks ends there as one stopped short
  // does; otherwise the wait before the next offer doubles.
  void Missed(std::size_t position) {
    if (state_ == State::kRunning) {
      state_ = State::kStopped;
      return;
    }
    next_offer_ = position + backoff_;
    backoff_ = std::min(2 * backoff_, kMaxBackoff);
  }
  // How many samples from `position` another source may take before the
  // integers are offered one again.
  std::size_t OthersLimit(std::size_t position) const {
    if (state_ == State::kStopped || next_offer_ <= position) return 1;
    return next_offer_ - position;
  }
  void OthersTook() {
    if (state_ == State::kStopped) state_ = State::kIdle;
  }

 private:
  static constexpr std::size_t kMaxBackoff = 1024;
  enum class State { kIdle, kRunning, kStopped };

  State state_ = State::kIdle;
  std::size_t next_offer_ = 0;
  std::size_t backoff_ = 1;
};

}  // namespace korvex
