// Where the windows were: bin/windows.ini, plain "key=value" lines, and the
// rule that brings a remembered rectangle back onto the screens there are now.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/data_directory.h"
#include "settings/key_value_file.h"

namespace korvex {

inline constexpr const char* kWindowsFile = "windows.ini";

struct WindowRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// "x,y,width,height"; nothing for any other text or a size below one pixel.
std::string WindowRectText(const WindowRect& rect);
std::optional<WindowRect> ParseWindowRect(const std::string& text);

// A remembered rectangle made usable on `screens` (their available areas):
// too large for the screen it is on, it shrinks; with too little of its top
// edge (the title bar) on any screen, it moves onto the nearest one. An empty
// screen list leaves it alone.
WindowRect ClampToScreens(const WindowRect& rect, const std::vector<WindowRect>& screens);

// The windows file of one data folder. It is a convenience: a file that
// cannot be read counts as empty and is never written over, and a failed
// write is not told.
class WindowGeometryStore : public KeyValueFile {
 public:
  explicit WindowGeometryStore(DataDirectory data) : KeyValueFile(std::move(data), kWindowsFile) {}

  std::optional<WindowRect> Rect(const std::string& key) const;
  void SetRect(const std::string& key, const WindowRect& rect);
};

}  // namespace korvex
