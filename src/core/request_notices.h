// What a running plot tells the front end that started it, from the thread
// the request runs on. Each call returns at once: a front end with windows
// posts them to its own thread, a command-line run prints or ignores them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "plot/chart_model.h"
#include "plot/plot_timing.h"

namespace korvex {

class RequestNotices {
 public:
  virtual ~RequestNotices() = default;
  virtual void ProgressMaximum(std::int32_t /*maximum*/) {}
  // The new series exists: title, series number and total are filled in.
  virtual void PlotStarted(const PlotInfo& /*info*/) {}
  // The run's chart without points, the new series last (see
  // ChartModel::AdoptOutline).
  virtual void SeriesCreated(const ChartModel& /*outline*/) {}
  virtual void PointsAdded(std::size_t /*number*/, std::span<const ChartPoint> /*points*/) {}
  // The table lines a run that does not keep its table hands on, in order.
  virtual void TableLinesAdded(std::size_t /*number*/, std::span<const std::string> /*lines*/) {}
  // Per sample; the request's RequestControl keeps the position as well.
  virtual void ProgressPosition(std::size_t /*position*/) {}
  // Whether this front end shows the Reminder. When it does, the run pauses
  // after ReminderDue until RequestControl::AnswerReminder or a stop; when
  // it does not, the run goes on.
  virtual bool shows_reminder() const { return false; }
  virtual void ReminderDue() {}
};

}  // namespace korvex
