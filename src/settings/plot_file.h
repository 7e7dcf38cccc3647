// PlotSettings: the 29 plot options as the dialog holds them, and plot.ini,
// one value per line in the same order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/colour.h"
#include "settings/data_directory.h"
#include "settings/line_file.h"
#include "settings/messages.h"

namespace korvex {

inline constexpr const char* kPlotSettingsFile = "plot.ini";
inline constexpr int kPlotSettingsLineCount = 29;

enum class PlotMode { kSingle, kMultiple, kMultipleAll };

struct AxisSettings {
  bool automatic = true;
  bool inverted = false;
  bool logarithmic = false;
  // Number fields stay texts; the operation that uses one converts it.
  std::string minimum = "-10";
  std::string maximum = "10";
  std::string log_base = "10";
  bool operator==(const AxisSettings&) const = default;
};

struct PlotSettings {
  std::string variable = "x";
  std::string start = "-10";
  std::string stop = "10";
  std::string increment = "0,1";
  PlotMode mode = PlotMode::kSingle;
  bool derivative = false;
  std::string epsilon = "0,001";
  AxisSettings x_axis;
  AxisSettings y_axis;
  bool stairs = false;           // "View stairs"
  bool points = false;           // "View points"
  bool horizontal_grid = false;  // grid of the y axis
  bool vertical_grid = false;    // grid of the x axis
  Colour graph_colour = kDefaultGraphColour;
  Colour point_colour = kDefaultPointColour;
  Colour back_colour = kDefaultBackColour;
  Colour grid_colour = kDefaultPointColour;
  bool view_3d = false;
  int percent_3d = 15;  // 5 to 100
  bool operator==(const PlotSettings&) const = default;
};

// The whole-number conversion used for axis limits, colours and the 3D
// percent: an optional sign and decimal digits that fit 32 bits.
std::optional<std::int32_t> StrToInt(std::string_view text);

Lines PlotSettingsToLines(const PlotSettings& settings);
// Applies the lines over `settings`. Lines that are missing leave their
// fields as they were; so do colour lines and a 3D percent line that are not
// whole numbers.
void ApplyPlotSettingsLines(const Lines& lines, PlotSettings& settings);

// variable + " E[" + start + ";" + stop + "] inc: " + increment
std::string PlotStatusText(const PlotSettings& settings);

// Writes plot.ini; on failure shows the two save-failure messages and
// returns false. A file that is there but cannot be read is not written
// over; that is said instead.
bool SavePlotSettings(const DataDirectory& data, const PlotSettings& settings, Messages& messages);
// Reads plot.ini over `settings`. A missing file is first written from
// `settings` and read again; when that write fails (said once, not at every
// load), `settings` stay as they are. So they do when the file is there but
// cannot be read, which is said once and never written over.
void LoadPlotSettings(const DataDirectory& data, PlotSettings& settings, Messages& messages);

}  // namespace korvex
