// The windows file and the screen rule for remembered window rectangles.
#include "settings/window_geometry.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <utility>

#include "settings/folder_lock.h"
#include "settings/line_file.h"

namespace korvex {
namespace {

// How much of a window's top edge must lie on a screen for it to be grabbed
// and moved by the user.
constexpr int kGrabbableWidth = 64;
constexpr int kGrabbableHeight = 24;

int Overlap(int a_start, int a_length, int b_start, int b_length) {
  return std::max(0, std::min(a_start + a_length, b_start + b_length) - std::max(a_start, b_start));
}

// The part of the title bar strip that lies on `screen`, as an area.
long long GrabbableArea(const WindowRect& rect, const WindowRect& screen) {
  const int strip = std::min(rect.height, kGrabbableHeight);
  return static_cast<long long>(Overlap(rect.x, rect.width, screen.x, screen.width)) *
         Overlap(rect.y, strip, screen.y, screen.height);
}

long long DistanceSquared(const WindowRect& rect, const WindowRect& screen) {
  auto gap = [](int start, int length, int other_start, int other_length) -> long long {
    if (start + length <= other_start) return other_start - (start + length);
    if (other_start + other_length <= start) return start - (other_start + other_length);
    return 0;
  };
  const long long dx = gap(rect.x, rect.width, screen.x, screen.width);
  const long long dy = gap(rect.y, rect.height, screen.y, screen.height);
  return dx * dx + dy * dy;
}

int ClampedStart(int start, int length, int screen_start, int screen_length) {
  return std::clamp(start, screen_start, screen_start + screen_length - length);
}

}  // namespace

std::string WindowRectText(const WindowRect& rect) {
  return std::to_string(rect.x) + ',' + std::to_string(rect.y) + ',' + std::to_string(rect.width) +
         ',' + std::to_string(rect.height);
}

std::optional<WindowRect> ParseWindowRect(const std::string& text) {
  int numbers[4];
  const char* at = text.data();
  const char* end = text.data() + text.size();
  for (int index = 0; index < 4; ++index) {
    if (index > 0) {
      if (at == end || *at != ',') return std::nullopt;
      ++at;
    }
    const auto [next, error] = std::from_chars(at, end, numbers[index]);
    if (error != std::errc()) return std::nullopt;
    at = next;
  }
  if (at != end || numbers[2] < 1 || numbers[3] < 1) return std::nullopt;
  return WindowRect{numbers[0], numbers[1], numbers[2], numbers[3]};
}

WindowRect ClampToScreens(const WindowRect& rect, const std::vector<WindowRect>& screens) {
  if (screens.empty()) return rect;
  // The screen that shows most of the title bar, or else the nearest one.
  const WindowRect* home = &screens.front();
  long long best_area = -1;
  long long best_distance = LLONG_MAX;
  for (const WindowRect& screen : screens) {
    const long long area = GrabbableArea(rect, screen);
    const long long distance = DistanceSquared(rect, screen);
    if (area > best_area || (area == best_area && distance < best_distance)) {
      home = &screen;
      best_area = area;
      best_distance = distance;
    }
  }
  WindowRect result = rect;
  result.width = std::min(rect.width, home->width);
  result.height = std::min(rect.height, home->height);
  const int strip = std::min(result.height, kGrabbableHeight);
  const bool grabbable = Overlap(result.x, result.width, home->x, home->width) >=
                             std::min(result.width, kGrabbableWidth) &&
                         Overlap(result.y, strip, home->y, home->height) == strip;
  const bool shrunk = result.width != rect.width || result.height != rect.height;
  if (!grabbable || shrunk) {
    result.x = ClampedStart(result.x, result.width, home->x, home->width);
    result.y = ClampedStart(result.y, result.height, home->y, home->height);
  }
  return result;
}

std::optional<WindowRect> WindowGeometryStore::Rect(const std::string& key) const {
  const std::optional<std::string> text = Value(key);
  return text ? ParseWindowRect(*text) : std::nullopt;
}

void WindowGeometryStore::SetRect(const std::string& key, const WindowRect& rect) {
  SetValue(key, WindowRectText(rect));
}

}  // namespace korvex
