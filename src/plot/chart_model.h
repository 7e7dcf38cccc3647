// The graph as data: up to 100 line series, two axes, back colour, 3D and
// legend. Windows draw it; the axis setters refuse what the chart cannot show.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
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

  const std::string& title() const { return title_; }
  const SeriesAppearance& appearance() const { return appearance_; }
  void set_appearance(const SeriesAppearance& appearance) { appearance_ = appearance; }

  void Append(double x, double y);
  void Append(std::span<const ChartPoint> points);
  void Reserve(std::size_t count) { points_.reserve(count); }
  const std::vector<ChartPoint>& points() const { return points_; }
  std::size_t count() const { return points_.size(); }
  // Largest and smallest y of the points; nothing while there are none.
  std::optional<double> MaxY() const;
  std::optional<double> MinY() const;
  std::optional<ValueRange> XRange() const;
  std::optional<ValueRange> YRange() const;

 private:
  std::string title_;
  SeriesAppearance appearance_;
  std::vector<ChartPoint> points_;
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
// A plot fills the model on the calculator's worker thread while the window
// thread draws it: every setter holds the model's lock, and a reader on
// another thread than the one changing it holds ReadLock while it reads.
// Observers are told on the changing thread, inside the lock.
class ChartModel {
 public:
  using Subscription = ChangeObservers::Id;

  static constexpr std::size_t kMaxSeries = 100;

  // Series are numbered 1..count in creation order and leave from the end.
  std::size_t series_count() const { return series_.size(); }
  const ChartSeries& series(std::size_t number) const { return series_[number - 1]; }
  // The caller checks the limit; beyond it nothing is added and false returned.
  bool AddSeries(std::string title);
  void RemoveLastSeries();
  void AppendPoint(std::size_t number, double x, double y);
  // Several points in one change: one lock and one notification, so a plot
  // can hand over its samples in batches.
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
  std::uint64_t revision() const { return revision_.load(std::memory_order_acquire); }

  // Held while reading what another thread may be changing. The same thread
  // may take it again (a setter called by a reader).
  [[nodiscard]] std::unique_lock<std::recursive_mutex> ReadLock() const {
    return std::unique_lock(lock_.mutex);
  }

 private:
  std::optional<ValueRange> DataRange(AxisId id) const;
  ChartAxis& mutable_axis(AxisId id) { return axes_[static_cast<int>(id)]; }
  void Changed() {
    revision_.fetch_add(1, std::memory_order_acq_rel);
    observers_.Notify();
  }
  template <typename T>
  void Update(T& field, const T& value) {
    const auto lock = ReadLock();
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
  // A copy of the model has its own lock and revision count.
  struct Lock {
    Lock() = default;
    Lock(const Lock& /*other*/) {}
    Lock& operator=(const Lock&) = delete;
    mutable std::recursive_mutex mutex;
  };
  struct Revision : std::atomic<std::uint64_t> {
    Revision() : std::atomic<std::uint64_t>(0) {}
    Revision(const Revision& other) : std::atomic<std::uint64_t>(other.load()) {}
    Revision& operator=(const Revision&) = delete;
  };
  Revision revision_;
  mutable ChangeObservers observers_;
  Lock lock_;
};

}  // namespace korvex
