// What the input would give if it were solved (or plotted) now: a request
// that changes nothing. It reads a snapshot of the user's variables,
// settings and stored answer like any request, and its outcome is shown and
// dropped, never applied to a session.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/request.h"
#include "core/request_context.h"
#include "engine/error_sink.h"
#include "plot/chart_model.h"

namespace korvex {

// A sketch needs only enough samples to show the curve's shape.
inline constexpr std::size_t kSketchSamples = 400;

struct PreviewRequest {
  // Counts the input's changes, so a preview that arrives late is known.
  std::uint64_t generation = 0;
  std::string text;
  // Sketch the curve over the plot range instead of solving.
  bool plot = false;
  RequestSnapshot snapshot;
};

struct Preview {
  enum class Kind {
    kNothing,  // nothing to show: empty input, or stopped (over budget, replaced)
    kAnswer,   // `text` is the answer box text ("= 14")
    kFailure,  // `text` is the failure's title and message
    kSketch,   // `points` over the plot range, `text` their y extent
  };
  std::uint64_t generation = 0;
  Kind kind = Kind::kNothing;
  std::string text;
  // A failure's place in the previewed text, when the engine knows it.
  std::optional<SourceRange> failure_place;
  std::vector<ChartPoint> points;
};

// The plot settings of a sketch: the user's range, sampled at most
// kSketchSamples times, drawn as one new series.
PlotSettings SketchSettings(PlotSettings settings);

// Runs `request` on `context` (the caller's thread), honouring its stop.
Preview RunPreview(RequestContext& context, const PreviewRequest& request);

}  // namespace korvex
