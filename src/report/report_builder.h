// Turns a request's outcome, and the session it was applied to, into a
// report item.
#pragma once

#include <string>

#include "core/request_outcome.h"
#include "core/session.h"
#include "report/report_model.h"
#include "settings/answer_settings.h"
#include "settings/plot_file.h"

namespace korvex {

// Read right after `session` applied the outcome of solving `expression`
// with `general` in force.
SolvedItem RecordSolve(std::string expression, const SolveOutcome& outcome, const Session& session,
                       const GeneralSettings& general);

// Read right after `session` applied the outcome of plotting `expression`
// over the range of `settings`.
PlottedItem RecordPlot(std::string expression, const PlotOutcome& outcome, const Session& session,
                       const PlotSettings& settings);

// The base 16 or base 2 pattern of a finite answer as the number systems
// show it, or their refusal text.
std::string BasePattern(long double value, int precision, int base);

}  // namespace korvex
