// The plot's integer path: samples of whole numbers, computed a block at a
// time and recorded with their statistics in one pass.
#include "plot/plotter.h"

#include <cmath>

namespace korvex {
namespace {

bool WithinText(std::int64_t value) { return value < kWholeTextLimit && value > -kWholeTextLimit; }

}  // namespace

std::size_t Plotter::SampleWholeNumbers(WholeProgram& whole, long double& x, long double end,
                                        long double increment, std::size_t& position) {
  std::int64_t next_x = 0;
  std::int64_t step = 0;
  if (!AsWhole(x, next_x) || !AsWhole(increment, step) || !WithinText(next_x) || !WithinText(step))
    return 0;
  const std::size_t number = store_.chart().series_count();
  if (number == 0) return 0;
  WholePointRecorder recorder(store_.recorded_stats(number), tracker_);
  if (!recorder.Begin()) return 0;

  // For a whole x, x < end exactly when x < ceil(end).
  const long double end_ceiling = std::ceil(end);
  const std::int64_t end_whole = end_ceiling >= static_cast<long double>(kWholeLimit) ? kWholeLimit
                                 : end_ceiling <= -static_cast<long double>(kWholeLimit)
                                     ? -kWholeLimit
                                     : static_cast<std::int64_t>(end_ceiling);
  const bool check_reminder = !timing_.benchmark_running;
  const StopFlag* stop_flag = engine_.environment().stop;
  constexpr std::size_t kLanes = WholeProgram::kLanes;
  std::int64_t inputs[kLanes];
  WholeProgram::Outcome outcomes[kLanes];
  WholePointRecorder::Point points[kLanes];
  std::size_t total = 0;
  for (;;) {
    // x moves on as the extended loop moves it: whole values below 2^63 add
    // exactly.
    std::size_t count = 0;
    for (std::int64_t input = next_x; count < kLanes && WithinText(input) && input < end_whole;
         input += step)
      inputs[count++] = input;
    if (count == 0) break;
    const std::size_t computed = whole.RunBlock(std::span(inputs, count), outcomes);
    std::size_t taken = 0;
    for (; taken < computed; ++taken) {
      if (check_reminder && timing_.ReminderDue(reminder_interval_ms_)) break;
      if (stop_flag != nullptr && stop_flag->requested()) break;
      const WholeProgram::Outcome& outcome = outcomes[taken];
      points[taken] = {inputs[taken], outcome.y, outcome.written};
      pending_points_.push_back(
          {static_cast<double>(inputs[taken]), static_cast<double>(outcome.y)});
      if (pending_points_.size() >= kPointBatch) FlushPoints();
      progress_->SetProgressPosition(++position);
    }
    recorder.Record(points, taken);
    total += taken;
    if (taken < count) {
      next_x = inputs[taken];
      break;
    }
    next_x = inputs[count - 1] + step;
  }
  recorder.End();
  replayed_samples_ += total;
  whole_samples_ += total;
  x = static_cast<long double>(next_x);
  return total;
}

}  // namespace korvex
