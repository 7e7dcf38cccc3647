// plot.ini encoding and decoding, and the status-bar summary of the range.
#include "settings/plot_file.h"

#include <algorithm>
#include <charconv>

#include "settings/settings_files.h"

namespace korvex {
namespace {

constexpr int kMinPercent = 5;
constexpr int kMaxPercent = 100;

const char* BoolText(bool on) { return on ? "1" : "0"; }

const char* ModeText(PlotMode mode) {
  switch (mode) {
    case PlotMode::kSingle:
      return "1";
    case PlotMode::kMultiple:
      return "2";
    default:
      return "0";
  }
}

PlotMode ModeFromText(const std::string& text) {
  if (text == "1") return PlotMode::kSingle;
  if (text == "2") return PlotMode::kMultiple;
  return PlotMode::kMultipleAll;
}

// One table row per file line keeps the load and the save in step.
struct Field {
  enum Kind { kText, kBool, kMode, kColour, kPercent } kind;
  std::string PlotSettings::*text = nullptr;
  bool PlotSettings::*flag = nullptr;
  Colour PlotSettings::*colour = nullptr;
  AxisSettings PlotSettings::*axis = nullptr;
  std::string AxisSettings::*axis_text = nullptr;
  bool AxisSettings::*axis_flag = nullptr;
};

constexpr Field Text(std::string PlotSettings::*m) { return {Field::kText, m}; }
constexpr Field Flag(bool PlotSettings::*m) { return {Field::kBool, nullptr, m}; }
constexpr Field Paint(Colour PlotSettings::*m) { return {Field::kColour, nullptr, nullptr, m}; }
constexpr Field AxisText(AxisSettings PlotSettings::*a, std::string AxisSettings::*m) {
  return {Field::kText, nullptr, nullptr, nullptr, a, m};
}
constexpr Field AxisFlag(AxisSettings PlotSettings::*a, bool AxisSettings::*m) {
  return {Field::kBool, nullptr, nullptr, nullptr, a, nullptr, m};
}

const Field kFields[kPlotSettingsLineCount] = {
    Text(&PlotSettings::variable),
    Text(&PlotSettings::start),
    Text(&PlotSettings::stop),
    Text(&PlotSettings::increment),
    {Field::kMode},
    Flag(&PlotSettings::derivative),
    Text(&PlotSettings::epsilon),
    AxisFlag(&PlotSettings::x_axis, &AxisSettings::automatic),
    AxisFlag(&PlotSettings::x_axis, &AxisSettings::inverted),
    AxisFlag(&PlotSettings::x_axis, &AxisSettings::logarithmic),
    AxisText(&PlotSettings::x_axis, &AxisSettings::minimum),
    AxisText(&PlotSettings::x_axis, &AxisSettings::maximum),
    AxisText(&PlotSettings::x_axis, &AxisSettings::log_base),
    AxisFlag(&PlotSettings::y_axis, &AxisSettings::automatic),
    AxisFlag(&PlotSettings::y_axis, &AxisSettings::inverted),
    AxisFlag(&PlotSettings::y_axis, &AxisSettings::logarithmic),
    AxisText(&PlotSettings::y_axis, &AxisSettings::minimum),
    AxisText(&PlotSettings::y_axis, &AxisSettings::maximum),
    AxisText(&PlotSettings::y_axis, &AxisSettings::log_base),
    Flag(&PlotSettings::stairs),
    Flag(&PlotSettings::points),
    Flag(&PlotSettings::horizontal_grid),
    Flag(&PlotSettings::vertical_grid),
    Paint(&PlotSettings::graph_colour),
    Paint(&PlotSettings::point_colour),
    Paint(&PlotSettings::back_colour),
    Paint(&PlotSettings::grid_colour),
    Flag(&PlotSettings::view_3d),
    {Field::kPercent},
};

// Work for reading (const settings) and writing alike.
template <typename Settings>
auto& TextOf(const Field& field, Settings& settings) {
  return field.axis ? settings.*field.axis.*field.axis_text : settings.*field.text;
}

template <typename Settings>
auto& FlagOf(const Field& field, Settings& settings) {
  return field.axis ? settings.*field.axis.*field.axis_flag : settings.*field.flag;
}

}  // namespace

std::optional<std::int32_t> StrToInt(std::string_view text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

Lines PlotSettingsToLines(const PlotSettings& settings) {
  Lines lines;
  lines.reserve(kPlotSettingsLineCount);
  for (const Field& field : kFields) {
    switch (field.kind) {
      case Field::kText:
        lines.push_back(TextOf(field, settings));
        break;
      case Field::kBool:
        lines.push_back(BoolText(FlagOf(field, settings)));
        break;
      case Field::kMode:
        lines.push_back(ModeText(settings.mode));
        break;
      case Field::kColour:
        lines.push_back(std::to_string(settings.*field.colour));
        break;
      case Field::kPercent:
        lines.push_back(std::to_string(settings.percent_3d));
        break;
    }
  }
  return lines;
}

void ApplyPlotSettingsLines(const Lines& lines, PlotSettings& settings) {
  const size_t count = std::min(lines.size(), static_cast<size_t>(kPlotSettingsLineCount));
  for (size_t i = 0; i < count; ++i) {
    const Field& field = kFields[i];
    const std::string& line = lines[i];
    switch (field.kind) {
      case Field::kText:
        TextOf(field, settings) = line;
        break;
      case Field::kBool:
        FlagOf(field, settings) = line == "1";
        break;
      case Field::kMode:
        settings.mode = ModeFromText(line);
        break;
      case Field::kColour:
        if (const auto value = StrToInt(line)) settings.*field.colour = *value;
        break;
      case Field::kPercent:
        // The up-down box keeps its position within its limits.
        if (const auto value = StrToInt(line))
          settings.percent_3d = std::clamp<std::int32_t>(*value, kMinPercent, kMaxPercent);
        break;
    }
  }
}

std::string PlotStatusText(const PlotSettings& settings) {
  return settings.variable + " E[" + settings.start + ";" + settings.stop +
         "] inc: " + settings.increment;
}

bool SavePlotSettings(const DataDirectory& data, const PlotSettings& settings, Messages& messages) {
  SettingsFiles files(data, messages);
  return files.Save(kPlotSettingsFile, PlotSettingsToLines(settings));
}

void LoadPlotSettings(const DataDirectory& data, PlotSettings& settings, Messages& messages) {
  // The reload as the Options dialog closes follows its "OK": on a folder
  // that cannot be written, that save has already said so, and this load's
  // attempt to recreate the file stays quiet.
  SettingsFiles files(data, messages);
  if (const auto lines = files.ReadOrCreate(kPlotSettingsFile, PlotSettingsToLines(settings)))
    ApplyPlotSettingsLines(*lines, settings);
}

}  // namespace korvex
