// The chart model's series bookkeeping and the axis refusals.
#include "plot/chart_model.h"

#include <algorithm>
#include <cmath>

namespace korvex {
namespace {

void Widen(ValueRange& range, double value, bool first) {
  if (first) {
    range = {value, value};
    return;
  }
  range.minimum = std::min(range.minimum, value);
  range.maximum = std::max(range.maximum, value);
}

}  // namespace

ChartSeries ChartSeries::Outline() const {
  ChartSeries outline(title_);
  outline.appearance_ = appearance_;
  outline.count_ = count_;
  outline.outline_ = true;
  outline.x_range_ = x_range_;
  outline.y_range_ = y_range_;
  return outline;
}

void ChartSeries::Append(double x, double y) {
  const bool first = count_ == 0;
  if (!outline_) points_.push_back({x, y});
  ++count_;
  Widen(x_range_, x, first);
  Widen(y_range_, y, first);
}

void ChartSeries::Append(std::span<const ChartPoint> points) {
  if (points.empty()) return;
  const bool first = count_ == 0;
  if (!outline_) points_.insert(points_.end(), points.begin(), points.end());
  count_ += points.size();
  // Widened in locals: the loop then runs in registers.
  ValueRange x_range = x_range_;
  ValueRange y_range = y_range_;
  Widen(x_range, points[0].x, first);
  Widen(y_range, points[0].y, first);
  for (const ChartPoint& point : points.subspan(1)) {
    Widen(x_range, point.x, false);
    Widen(y_range, point.y, false);
  }
  x_range_ = x_range;
  y_range_ = y_range;
}

std::optional<double> ChartSeries::MaxY() const {
  if (count_ == 0) return std::nullopt;
  return y_range_.maximum;
}

std::optional<double> ChartSeries::MinY() const {
  if (count_ == 0) return std::nullopt;
  return y_range_.minimum;
}

std::optional<ValueRange> ChartSeries::XRange() const {
  if (count_ == 0) return std::nullopt;
  return x_range_;
}

std::optional<ValueRange> ChartSeries::YRange() const {
  if (count_ == 0) return std::nullopt;
  return y_range_;
}

ChartModel& ChartModel::operator=(const ChartModel& other) {
  if (this == &other) return *this;
  series_ = other.series_;
  axes_[0] = other.axes_[0];
  axes_[1] = other.axes_[1];
  back_colour_ = other.back_colour_;
  view_3d_ = other.view_3d_;
  depth_percent_ = other.depth_percent_;
  legend_visible_ = other.legend_visible_;
  outline_ = other.outline_;
  Changed();
  return *this;
}

ChartModel ChartModel::Outline() const {
  ChartModel outline(*this);
  for (ChartSeries& one : outline.series_) one = one.Outline();
  outline.outline_ = true;
  return outline;
}

void ChartModel::AdoptOutline(const ChartModel& outline, bool points) {
  const std::size_t kept = outline.series_count() > 0 ? outline.series_count() - 1 : 0;
  while (series_.size() > kept) series_.pop_back();
  if (outline.series_count() > 0) {
    const ChartSeries& last = outline.series(outline.series_count());
    series_.emplace_back(last.title());
    series_.back().set_appearance(last.appearance());
    if (!points) series_.back() = series_.back().Outline();
  }
  axes_[0] = outline.axes_[0];
  axes_[1] = outline.axes_[1];
  back_colour_ = outline.back_colour_;
  view_3d_ = outline.view_3d_;
  depth_percent_ = outline.depth_percent_;
  Changed();
}

bool ChartModel::AddSeries(std::string title) {
  if (series_.size() >= kMaxSeries) return false;
  series_.emplace_back(std::move(title));
  if (outline_) series_.back() = series_.back().Outline();
  Changed();
  return true;
}

void ChartModel::RemoveLastSeries() {
  if (series_.empty()) return;
  series_.pop_back();
  Changed();
}

void ChartModel::AppendPoint(std::size_t number, double x, double y) {
  series_[number - 1].Append(x, y);
  PointsChanged();
}

void ChartModel::AppendPoints(std::size_t number, std::span<const ChartPoint> points) {
  if (points.empty()) return;
  series_[number - 1].Append(points);
  PointsChanged();
}

void ChartModel::ReservePoints(std::size_t number, std::size_t count) {
  series_[number - 1].Reserve(count);
}

void ChartModel::SetSeriesAppearance(std::size_t number, const SeriesAppearance& appearance) {
  ChartSeries& series = series_[number - 1];
  if (series.appearance() == appearance) return;
  series.set_appearance(appearance);
  Changed();
}

ChartModel::Subscription ChartModel::Subscribe(std::function<void()> observer) const {
  return observers_.Add(std::move(observer));
}

void ChartModel::Unsubscribe(Subscription subscription) const { observers_.Remove(subscription); }

std::optional<ValueRange> ChartModel::DataRange(AxisId id) const {
  std::optional<ValueRange> result;
  for (const ChartSeries& one : series_) {
    const auto range = id == AxisId::kBottom ? one.XRange() : one.YRange();
    if (!range) continue;
    if (!result) {
      result = range;
    } else {
      result->minimum = std::min(result->minimum, range->minimum);
      result->maximum = std::max(result->maximum, range->maximum);
    }
  }
  return result;
}

std::optional<ValueRange> ChartModel::CurrentRange(AxisId id) const {
  const ChartAxis& a = axis(id);
  if (a.automatic) return DataRange(id);
  return ValueRange{a.minimum, a.maximum};
}

void ChartModel::SetAutomatic(AxisId id, bool automatic) {
  ChartAxis& a = mutable_axis(id);
  if (a.automatic == automatic) return;
  if (!automatic) {
    // The manual limits start where the automatic range left the axis.
    if (const auto range = DataRange(id)) {
      a.minimum = range->minimum;
      a.maximum = range->maximum;
    }
  }
  a.automatic = automatic;
  Changed();
}

bool ChartModel::SetMaximum(AxisId id, double maximum) {
  const auto range = CurrentRange(id);
  ChartAxis& a = mutable_axis(id);
  if (!a.automatic && range && maximum < range->minimum) return false;
  Update(a.maximum, maximum);
  return true;
}

bool ChartModel::SetMinimum(AxisId id, double minimum) {
  const auto range = CurrentRange(id);
  ChartAxis& a = mutable_axis(id);
  if (!a.automatic && range && minimum > range->maximum) return false;
  Update(a.minimum, minimum);
  return true;
}

void ChartModel::SetInverted(AxisId id, bool inverted) {
  Update(mutable_axis(id).inverted, inverted);
}

bool ChartModel::SetLogarithmic(AxisId id, bool logarithmic) {
  if (logarithmic) {
    const auto range = CurrentRange(id);
    if (range && (range->minimum < 0 || range->maximum < 0)) return false;
  }
  Update(mutable_axis(id).logarithmic, logarithmic);
  return true;
}

bool ChartModel::SetLogBase(AxisId id, double base) {
  if (!(base > 0) || base == 1 || std::isinf(base)) return false;
  Update(mutable_axis(id).log_base, base);
  return true;
}

void ChartModel::SetGridVisible(AxisId id, bool visible) {
  Update(mutable_axis(id).grid_visible, visible);
}

void ChartModel::SetGridColour(AxisId id, Colour colour) {
  Update(mutable_axis(id).grid_colour, colour);
}

void ChartModel::SetBackColour(Colour colour) { Update(back_colour_, colour); }

void ChartModel::SetView3D(bool on) { Update(view_3d_, on); }

void ChartModel::SetDepthPercent(int percent) { Update(depth_percent_, percent); }

void ChartModel::SetLegendVisible(bool visible) { Update(legend_visible_, visible); }

}  // namespace korvex
