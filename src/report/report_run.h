// One report run: a list of calculations solved or plotted in a session of
// the run's own, so the user's stored answer, steps and graph stay as they
// were, and the report built from their outcomes.
#pragma once

#include <string>
#include <vector>

#include "core/request.h"
#include "core/request_context.h"
#include "engine/error_sink.h"
#include "report/report_model.h"

namespace korvex {

struct ReportRequestItem {
  std::string text;
  bool plot = false;
};

struct ReportRun {
  Report report;
  // Every item answered, or plotted to its last sample.
  bool all_done = true;
  // A stop ended the run; the report holds the items until then, the
  // stopped one last.
  bool stopped = false;
};

// Runs `items` in turn against `context` on the calling thread. The run's
// session starts with `start`'s stored answer and random state and an empty
// graph; every request reads `start`'s settings and variables. The caller
// begins the context's control once for the whole run. Each item's reported
// failures go on to `failures` as the item ends, when one is given.
ReportRun RunReport(RequestContext& context, const RequestSnapshot& start,
                    const std::vector<ReportRequestItem>& items, ErrorSink* failures = nullptr);

}  // namespace korvex
