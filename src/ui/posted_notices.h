// A running plot's notices, handed from the worker to the window thread:
// each call copies what it was given and returns at once; the window
// thread passes it on in the order sent.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <vector>

#include "core/request_notices.h"

namespace korvex {

class PostedNotices : public RequestNotices {
 public:
  // `target` is told on `context`'s thread; both must outlive every request
  // given this object (the runner waits for the worker before they go).
  PostedNotices(QObject* context, RequestNotices& target)
      : context_(context), target_(target), shows_reminder_(target.shows_reminder()) {}

  void ProgressMaximum(std::int32_t maximum) override {
    Post([this, maximum] { target_.ProgressMaximum(maximum); });
  }
  void PlotStarted(const PlotInfo& info) override {
    Post([this, info] { target_.PlotStarted(info); });
  }
  void SeriesCreated(const ChartModel& outline) override {
    Post([this, outline] { target_.SeriesCreated(outline); });
  }
  void PointsAdded(std::size_t number, std::span<const ChartPoint> points) override {
    Post([this, number, batch = std::vector<ChartPoint>(points.begin(), points.end())] {
      target_.PointsAdded(number, batch);
    });
  }
  // The window thread reads the position from the request's control.
  void ProgressPosition(std::size_t /*position*/) override {}
  bool shows_reminder() const override { return shows_reminder_; }
  void ReminderDue() override {
    Post([this] { target_.ReminderDue(); });
  }

 private:
  template <typename Work>
  void Post(Work work) {
    QMetaObject::invokeMethod(context_, std::move(work), Qt::QueuedConnection);
  }

  QObject* context_;
  RequestNotices& target_;
  bool shows_reminder_;
};

}  // namespace korvex
