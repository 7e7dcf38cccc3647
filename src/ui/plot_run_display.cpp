// The plot run's notices and its end spread over the windows that show them.
#include "ui/plot_run_display.h"

#include <utility>

#include "ui/graph_window.h"
#include "ui/plot_info_window.h"
#include "ui/reminder_dialog.h"

namespace korvex {
namespace {

// Often enough that the bar moves smoothly, rarely enough to cost nothing.
constexpr int kProgressIntervalMs = 40;

}  // namespace

PlotRunDisplay::PlotRunDisplay(Calculator& calculator, PlotInfoWindow& info, ReminderSeam& reminder,
                               GraphWindow& graph, std::function<void(const QString&)> show_answer)
    : calculator_(calculator),
      info_(info),
      reminder_(reminder),
      graph_(graph),
      show_answer_(std::move(show_answer)),
      posted_(&context_, *this) {
  progress_timer_.setInterval(kProgressIntervalMs);
  QObject::connect(&progress_timer_, &QTimer::timeout, &info_, [this] { ShowPosition(); });
}

void PlotRunDisplay::ProgressMaximum(std::int32_t maximum) { info_.SetProgressMaximum(maximum); }

void PlotRunDisplay::PlotStarted(const PlotInfo& info) {
  opened_by_run_ = opened_by_run_ || !info_.isVisible();
  info_.StartPlotInfo(info);
  progress_timer_.start();
}

void PlotRunDisplay::SeriesCreated(const ChartModel& outline) {
  calculator_.session().AdoptSeries(outline);
}

void PlotRunDisplay::PointsAdded(std::size_t number, std::span<const ChartPoint> points) {
  calculator_.session().AppendPoints(number, points);
}

void PlotRunDisplay::ReminderDue() {
  reminder_.AskReminder(
      [&control = calculator_.control()](bool go_on) { control.AnswerReminder(go_on); });
}

void PlotRunDisplay::ShowPosition() { info_.SetProgressPosition(calculator_.control().position()); }

bool PlotRunDisplay::ShowEnd(PlotOutcome::InfoEnd end, const PlotInfo& info) {
  progress_timer_.stop();
  if (end == PlotOutcome::InfoEnd::kNone) return false;
  ShowPosition();
  info_.FinishPlotInfo(info, end == PlotOutcome::InfoEnd::kCancelled);
  graph_.ShowGraph(Activation::kKeepFocus);
  if (show_answer_)
    show_answer_(QString::fromLatin1(end == PlotOutcome::InfoEnd::kCancelled ? kPlotCanceledText
                                                                             : kPlotCompleteText));
  return true;
}

void PlotRunDisplay::EndRun(const PlotOutcome& outcome) {
  if (!ShowEnd(outcome.info_end, outcome.info) &&
      outcome.status != PlotOutcome::Status::kComplete &&
      outcome.status != PlotOutcome::Status::kCanceled) {
    info_.ShowPlotFailed();
    if (opened_by_run_) info_.hide();
  }
  opened_by_run_ = false;
}

void PlotRunDisplay::EndBenchmarkTest(const BenchmarkStepOutcome& outcome) {
  ShowEnd(outcome.info_end, outcome.info);
  opened_by_run_ = false;
}

void PlotRunDisplay::ResetPlotInfo() {
  opened_by_run_ = false;
  progress_timer_.stop();
  info_.ResetPlotInfo(PlotInfo());
}

}  // namespace korvex
