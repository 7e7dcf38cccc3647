// The plot run's progress calls spread over the windows that show them.
#include "ui/plot_run_display.h"

#include <QThread>
#include <utility>

#include "ui/graph_window.h"
#include "ui/plot_info_window.h"
#include "ui/reminder_dialog.h"
#include "ui/request_runner.h"

namespace korvex {
namespace {

// Often enough that the bar moves smoothly, rarely enough to cost nothing.
constexpr int kProgressIntervalMs = 40;

}  // namespace

PlotRunDisplay::PlotRunDisplay(PlotInfoWindow& info, ReminderSeam& reminder, GraphWindow& graph,
                               std::function<void(const QString&)> show_answer)
    : info_(info), reminder_(reminder), graph_(graph), show_answer_(std::move(show_answer)) {
  progress_timer_.setInterval(kProgressIntervalMs);
  QObject::connect(&progress_timer_, &QTimer::timeout, &info_, [this] { ShowNotedPosition(); });
}

void PlotRunDisplay::SetProgressMaximum(std::int32_t maximum) {
  CallOnThreadOf(&info_, [&] {
    finished_ = false;
    info_.SetProgressMaximum(maximum);
  });
}

void PlotRunDisplay::StartPlotInfo(const PlotInfo& info) {
  noted_position_.store(0, std::memory_order_relaxed);
  CallOnThreadOf(&info_, [&] {
    opened_by_run_ = opened_by_run_ || !info_.isVisible();
    info_.StartPlotInfo(info);
    progress_timer_.start();
  });
}

void PlotRunDisplay::SetProgressPosition(std::size_t position) {
  noted_position_.store(position, std::memory_order_relaxed);
  if (QThread::currentThread() == info_.thread()) ShowNotedPosition();
}

void PlotRunDisplay::ShowNotedPosition() {
  info_.SetProgressPosition(noted_position_.load(std::memory_order_relaxed));
}

bool PlotRunDisplay::ShowReminder() {
  bool go_on = true;
  CallOnThreadOf(&info_, [&] { go_on = reminder_.ShowReminder(); });
  return go_on;
}

void PlotRunDisplay::FinishPlotInfo(const PlotInfo& info, bool cancelled) {
  CallOnThreadOf(&info_, [&] {
    finished_ = true;
    progress_timer_.stop();
    ShowNotedPosition();
    info_.FinishPlotInfo(info);
    graph_.ShowGraph();
    if (show_answer_)
      show_answer_(QString::fromLatin1(cancelled ? kPlotCanceledText : kPlotCompleteText));
  });
}

void PlotRunDisplay::ResetPlotInfo(const PlotInfo& info) {
  CallOnThreadOf(&info_, [&] {
    finished_ = false;
    opened_by_run_ = false;
    progress_timer_.stop();
    info_.ResetPlotInfo(info);
  });
}

void PlotRunDisplay::EndRun(bool failed) {
  progress_timer_.stop();
  if (failed && !finished_) {
    info_.ShowPlotFailed();
    if (opened_by_run_) info_.hide();
  }
  finished_ = false;
  opened_by_run_ = false;
}

}  // namespace korvex
