// Previews run the same solve and plot requests as Enter does, on a context
// of their own, and turn the outcome into one line of feedback.
#include "core/preview.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/number_text.h"

namespace korvex {
namespace {

// The sketch's points, gathered as the plot sends them.
class SketchCollector : public RequestNotices {
 public:
  void PointsAdded(std::size_t /*number*/, std::span<const ChartPoint> points) override {
    points_.insert(points_.end(), points.begin(), points.end());
  }
  std::vector<ChartPoint> Take() { return std::move(points_); }

 private:
  std::vector<ChartPoint> points_;
};

std::string FailureLine(const ReportedFailure& failure) {
  return failure.title.empty() ? failure.message : failure.title + ": " + failure.message;
}

// Six significant digits are plenty for a line of text under the input.
std::string ShortNumber(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", value);
  std::string text(buffer);
  std::replace(text.begin(), text.end(), '.', kEngineSeparator);
  return text;
}

Preview FromFailures(const std::vector<ReportedFailure>& reported, Preview preview) {
  if (reported.empty()) return preview;
  preview.kind = Preview::Kind::kFailure;
  preview.text = FailureLine(reported.front());
  preview.failure_place = reported.front().place;
  return preview;
}

Preview SolvePreview(RequestContext& context, const PreviewRequest& request) {
  Preview preview;
  preview.generation = request.generation;
  const SolveOutcome outcome = context.Solve({request.text, request.snapshot});
  switch (outcome.status) {
    case SolveOutcome::Status::kAnswered:
      preview.kind = Preview::Kind::kAnswer;
      preview.text = outcome.answer_text;
      return preview;
    case SolveOutcome::Status::kReported:
      return FromFailures(outcome.reported, preview);
    case SolveOutcome::Status::kGeneralFailure:
      preview.kind = Preview::Kind::kFailure;
      preview.text = outcome.failure_text;
      return preview;
    case SolveOutcome::Status::kCanceled:
      return preview;
  }
  return preview;
}

Preview SketchPreview(RequestContext& context, const PreviewRequest& request) {
  Preview preview;
  preview.generation = request.generation;
  PlotRequest plot{request.text, request.snapshot, ChartModel(), PlotKeeping()};
  plot.snapshot.plot = SketchSettings(plot.snapshot.plot);
  SketchCollector collector;
  const PlotOutcome outcome = context.Plot(plot, collector);
  switch (outcome.status) {
    case PlotOutcome::Status::kComplete:
      break;
    case PlotOutcome::Status::kStopped:
      return FromFailures(outcome.reported, preview);
    case PlotOutcome::Status::kGeneralFailure:
      preview.kind = Preview::Kind::kFailure;
      preview.text = outcome.failure_text;
      return preview;
    case PlotOutcome::Status::kCanceled:
      return preview;
  }
  preview.points = collector.Take();
  std::vector<double> finite;
  for (const ChartPoint& point : preview.points)
    if (std::isfinite(point.y)) finite.push_back(point.y);
  preview.kind = Preview::Kind::kSketch;
  if (finite.empty()) {
    preview.text = "y: no finite value";
  } else {
    const auto [low, high] = std::minmax_element(finite.begin(), finite.end());
    // x walks by repeated addition, so a curve through 0 may show 3e-36 there;
    // at the scale of the extent that is 0.
    const double scale = std::max(std::abs(*low), std::abs(*high));
    const auto shown = [scale](double y) {
      return ShortNumber(std::abs(y) < scale * 1e-12 ? 0.0 : y);
    };
    preview.text = "y from " + shown(*low) + " to " + shown(*high);
  }
  return preview;
}

}  // namespace

PlotSettings SketchSettings(PlotSettings settings) {
  settings.mode = PlotMode::kSingle;
  const auto start = StrToFloat(settings.start);
  const auto stop = StrToFloat(settings.stop);
  const auto increment = StrToFloat(settings.increment);
  // A range the plot refuses is left as it is, so the sketch says why.
  if (!start || !stop || !increment || *increment == 0) return settings;
  const long double samples = std::floor((*stop - *start) / *increment) + 1;
  if (!(samples > static_cast<long double>(kSketchSamples))) return settings;
  // A plot samples while x stays below stop + increment. A step a hair
  // longer than an exact division lands just past the stop after the last
  // step, however the addition rounds, so the sketch neither loses its last
  // sample nor draws one a whole step beyond the range.
  const long double step = (*stop - *start) / static_cast<long double>(kSketchSamples - 1);
  settings.increment = FloatToStr(step * (1 + 1e-9L));
  return settings;
}

Preview RunPreview(RequestContext& context, const PreviewRequest& request) {
  if (request.text.find_first_not_of(' ') == std::string::npos) {
    Preview nothing;
    nothing.generation = request.generation;
    return nothing;
  }
  return request.plot ? SketchPreview(context, request) : SolvePreview(context, request);
}

}  // namespace korvex
