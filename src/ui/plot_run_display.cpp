// The plot run's progress calls spread over the windows that show them.
#include "ui/plot_run_display.h"

#include <utility>

#include "ui/graph_window.h"
#include "ui/plot_info_window.h"
#include "ui/reminder_dialog.h"

namespace korvex {

PlotRunDisplay::PlotRunDisplay(PlotInfoWindow& info, ReminderSeam& reminder, GraphWindow& graph,
                               std::function<void(const QString&)> show_answer)
    : info_(info), reminder_(reminder), graph_(graph), show_answer_(std::move(show_answer)) {}

void PlotRunDisplay::SetProgressMaximum(std::int32_t maximum) { info_.SetProgressMaximum(maximum); }

void PlotRunDisplay::StartPlotInfo(const PlotInfo& info) { info_.StartPlotInfo(info); }

void PlotRunDisplay::SetProgressPosition(std::size_t position) {
  info_.SetProgressPosition(position);
}

bool PlotRunDisplay::ShowReminder() { return reminder_.ShowReminder(); }

void PlotRunDisplay::FinishPlotInfo(const PlotInfo& info, bool cancelled) {
  info_.FinishPlotInfo(info);
  graph_.ShowGraph();
  if (show_answer_)
    show_answer_(QString::fromLatin1(cancelled ? kPlotCanceledText : kPlotCompleteText));
}

void PlotRunDisplay::ResetPlotInfo(const PlotInfo& info) { info_.ResetPlotInfo(info); }

}  // namespace korvex
