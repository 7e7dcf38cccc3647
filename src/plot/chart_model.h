// The graph as data: up to 100 line series, two axes, back colour, 3D and
// legend. Windows draw it; the axis setters refuse what the chart cannot show.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "plot/change_observers.h"
#include "settings/colour.h"

namespace korvex {

struct ChartPoint {
  double x;
  double y;
};

// The span of some values; only meaningful when the values exist.
struct ValueRange {
  double minimum;
  double maximum;
};

// How a series is drawn; fixed by the plot options when it is created.
struct SeriesAppearance {
  bool stairs = false;
  bool point_markers = false;
  Colour line_colour = 0;
  Colour point_colour = 0;

  bool operator==(const SeriesAppearance&) const = default;
};

class ChartSeries {
 public:
  explicit ChartSeries(std::string title) : title_(std::move(title)) {}

  // The same series without its points: count and ranges stay, and points
  // appended later only move them. A request's worker plots into such
  // outlines while the points themselves travel to the window thread.
  ChartSeries Outline() const;
  bool outline() const { return outline_; }

  const std::string& title() const { return title_; }
  const SeriesAppearance& appearance() const { return appearance_; }
  void set_appearance(const SeriesAppearance& appearance) { appearance_ = appearance; }

  void Append(double x, double y);
  void Append(std::span<const ChartPoint> points);
  void Reserve(std::size_t count) {
    if (!outline_) points_.reserve(count);
  }
  // Empty for an outline.
  const std::vector<ChartPoint>& points() const { return points_; }
  std::size_t count() const { return count_; }
  // Largest and smallest y of the points; nothing while there are none.
  std::optional<double> MaxY() const;
  std::optional<double> MinY() const;
  std::optional<ValueRange> XRange() const;
  std::optional<ValueRange> YRange() const;

 private:
  std::string title_;
  SeriesAppearance appearance_;
  std::vector<ChartPoint> points_;
  std::size_t count_ = 0;
  bool outline_ = false;
  ValueRange x_range_{0, 0};
  ValueRange y_range_{0, 0};
};

enum class AxisId { kBottom = 0, kLeft = 1 };  // x axis, y axis

struct ChartAxis {
  bool automatic = true;
  bool inverted = false;
  bool logarithmic = false;
  double log_base = 10;
  // The limits in force while not automatic; when the axis turns manual they
  // start from the range it showed automatically.
  double minimum = 0;
  double maximum = 0;
  bool grid_visible = false;
  Colour grid_colour = kDefaultPointColour;
};

// Every change goes through a setter, which tells the observers; a setter
// that leaves everything as it was is no change.
//
// A model belongs to one thread. A plot request works on an outline of the
// session's chart (Outline) and sends the points to the thread that owns
// the session's, which adopts the outline's shape (AdoptOutline) and
// appends them.
class ChartModel {
 public:
  using Subscription = ChangeObservers::Id;

  static constexpr std::size_t kMaxSeries = 100;

  ChartModel() = default;
  // A copy starts unwatched.
  ChartModel(const ChartModel&) = default;
  // Takes the other's content; this model's observers stay, and are told.
  ChartModel& operator=(const ChartModel& other);

  // Axes, colours, 3D and legend as they are; every series an outline.
  // Series added to an outline are outlines too.
  ChartModel Outline() const;
  // Takes an outline's axes, colours and 3D (the legend is the viewer's),
  // keeps this model's first series up to the outline's last but one, and
  // adds the outline's last series, empty: the shape a plot request gave the
  // chart when it created its series. Without `points` that series is an
  // outline itself: it counts the points appended and spans their ranges.
  void AdoptOutline(const ChartModel& outline, bool points = true);

  // Series are numbered 1..count in creation order and leave from the end.
  std::size_t series_count() const { return series_.size(); }
  const ChartSeries& series(std::size_t number) const { return series_[number - 1]; }
  // The caller checks the limit; beyond it nothing is added and false returned.
  bool AddSeries(std::string title);
  void RemoveLastSeries();
  void AppendPoint(std::size_t number, double x, double y);
  // Several points in one change: one notification, so a plot can hand over
  // its samples in batches.
  void AppendPoints(std::size_t number, std::span<const ChartPoint> points);
  // Room for points to come; no change that anyone sees.
  void ReservePoints(std::size_t number, std::size_t count);
  void SetSeriesAppearance(std::size_t number, const SeriesAppearance& appearance);

  const ChartAxis& axis(AxisId id) const { return axes_[static_cast<int>(id)]; }
  // The range the axis currently spans: its limits, or for an automatic axis
  // the range of the data on that axis (nothing when there are no points).
  std::optional<ValueRange> CurrentRange(AxisId id) const;

  // Axis settings. The refusing ones return false and change nothing.
  void SetAutomatic(AxisId id, bool automatic);
  [[nodiscard]] bool SetMaximum(AxisId id, double maximum);
  [[nodiscard]] bool SetMinimum(AxisId id, double minimum);
  void SetInverted(AxisId id, bool inverted);
  [[nodiscard]] bool SetLogarithmic(AxisId id, bool logarithmic);
  [[nodiscard]] bool SetLogBase(AxisId id, double base);
  void SetGridVisible(AxisId id, bool visible);
  void SetGridColour(AxisId id, Colour colour);

  Colour back_colour() const { return back_colour_; }
  void SetBackColour(Colour colour);
  bool view_3d() const { return view_3d_; }
  int depth_percent() const { return depth_percent_; }
  void SetView3D(bool on);
  void SetDepthPercent(int percent);
  bool legend_visible() const { return legend_visible_; }
  void SetLegendVisible(bool visible);

  // `observer` runs after every change, inside it: once per appended point,
  // so it should only take note and leave the drawing for later. Watching
  // does not change the chart, so a view holding it read-only subscribes.
  Subscription Subscribe(std::function<void()> observer) const;
  void Unsubscribe(Subscription subscription) const;
  // Grows with every change and only then, so a view knows whether it shows
  // the chart as it is.
  std::uint64_t revision() const { return revision_; }
  // Grows with every change but the appending of points: a view whose
  // drawing has this shape revision only needs the new points added.
  std::uint64_t shape_revision() const { return shape_revision_; }

 private:
  std::optional<ValueRange> DataRange(AxisId id) const;
  ChartAxis& mutable_axis(AxisId id) { return axes_[static_cast<int>(id)]; }
  void Changed() {
    ++shape_revision_;
    PointsChanged();
  }
  void PointsChanged() {
    ++revision_;
    observers_.Notify();
  }
  template <typename T>
  void Update(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Changed();
  }

  std::vector<ChartSeries> series_;
  ChartAxis axes_[2];
  Colour back_colour_ = kDefaultBackColour;
  bool view_3d_ = false;
  int depth_percent_ = 15;
  bool legend_visible_ = true;
  bool outline_ = false;
  std::uint64_t revision_ = 0;
  std::uint64_t shape_revision_ = 0;
  mutable ChangeObservers observers_;
};

}  // namespace korvex
