// Applying outcomes to a session.
#include "core/session.h"

#include <utility>

#include "engine/function_table.h"
#include "engine/number_text.h"

namespace korvex {

Session::Session() {
  const FunctionState fresh;
  random_.fixed_generator = fresh.fixed_generator;
  random_.clock_generator = fresh.clock_generator;
}

std::string Session::CopyAnswerText() const {
  return FloatToStr(stored_answer_, decimal_separator_);
}

void Session::Apply(SolveOutcome& outcome) {
  stored_answer_ = outcome.stored_answer;
  decimal_separator_ = outcome.decimal_separator;
  steps_ = std::move(outcome.steps);
  solved_text_ = std::move(outcome.solved_text);
  ++steps_revision_;
  random_ = outcome.random;
}

void Session::Apply(PlotOutcome& outcome) {
  decimal_separator_ = kEngineSeparator;
  random_ = outcome.random;
  const std::size_t number = outcome.series_number;
  if (number >= 1 && number <= plots_.chart().series_count())
    plots_.recorded_stats(number) = std::move(outcome.stats);
  if (outcome.info_end != PlotOutcome::InfoEnd::kNone) plots_.plot_info() = outcome.info;
}

void Session::Apply(const BenchmarkStepOutcome& outcome) {
  decimal_separator_ = kEngineSeparator;
  if (outcome.info_reset) plots_.plot_info() = PlotInfo();
}

void Session::AppendPoints(std::size_t number, std::span<const ChartPoint> points) {
  // A series removed meanwhile takes its points with it.
  if (number >= 1 && number <= plots_.chart().series_count())
    plots_.chart().AppendPoints(number, points);
}

void Session::AdoptSeries(const ChartModel& outline, bool points, std::size_t expected) {
  ChartModel& chart = plots_.chart();
  chart.AdoptOutline(outline, points);
  if (points && chart.series_count() > 0) chart.ReservePoints(chart.series_count(), expected);
}

void SessionNotices::ProgressMaximum(std::int32_t maximum) {
  expected_points_ = maximum > 0 ? static_cast<std::size_t>(maximum) : 0;
  if (next_) next_->ProgressMaximum(maximum);
}

void SessionNotices::PlotStarted(const PlotInfo& info) {
  if (next_) next_->PlotStarted(info);
}

void SessionNotices::SeriesCreated(const ChartModel& outline) {
  session_.AdoptSeries(outline, keeping_.points, expected_points_);
  if (next_) next_->SeriesCreated(outline);
}

void SessionNotices::PointsAdded(std::size_t number, std::span<const ChartPoint> points) {
  session_.AppendPoints(number, points);
  if (next_) next_->PointsAdded(number, points);
}

void SessionNotices::TableLinesAdded(std::size_t number, std::span<const std::string> lines) {
  if (next_) next_->TableLinesAdded(number, lines);
}

void SessionNotices::ProgressPosition(std::size_t position) {
  if (next_) next_->ProgressPosition(position);
}

}  // namespace korvex
