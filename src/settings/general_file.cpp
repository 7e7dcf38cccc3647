// general.ini reading and writing.
#include "settings/general_file.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_files.h"

namespace korvex {
namespace {

struct CheckLine {
  size_t index;
  bool GeneralSettings::*field;
};
constexpr CheckLine kCheckLines[] = {
    {0, &GeneralSettings::log_input},   {1, &GeneralSettings::auto_complete},
    {2, &GeneralSettings::store_input}, {7, &GeneralSettings::scientific},
    {8, &GeneralSettings::point},
};

struct NumberLine {
  size_t index;
  int GeneralSettings::*field;
  IntRange range;
};
constexpr NumberLine kNumberLines[] = {
    {3, &GeneralSettings::loop_limit, kLoopLimitRange},
    {4, &GeneralSettings::reminder_interval, kReminderRange},
    {5, &GeneralSettings::number_system, kNumberSystemRange},
    {6, &GeneralSettings::precision, kPrecisionRange},
};

// A whole decimal number with an optional sign and nothing else around it.
// Texts beyond the int range count as not a number.
std::optional<int> ParseInteger(const std::string& text) {
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') {
    digits.remove_prefix(1);
    if (!digits.empty() && digits.front() == '-') return std::nullopt;
  }
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

}  // namespace

Lines GeneralSettingsToLines(const GeneralSettings& settings) {
  auto check = [](bool on) { return std::string(on ? "1" : "0"); };
  return {check(settings.log_input),
          check(settings.auto_complete),
          check(settings.store_input),
          std::to_string(settings.loop_limit),
          std::to_string(settings.reminder_interval),
          std::to_string(settings.number_system),
          std::to_string(settings.precision),
          check(settings.scientific),
          check(settings.point)};
}

void ApplyGeneralSettingsLines(const Lines& lines, GeneralSettings& settings) {
  for (const CheckLine& line : kCheckLines) {
    if (line.index < lines.size()) settings.*line.field = lines[line.index] == "1";
  }
  for (const NumberLine& line : kNumberLines) {
    if (line.index >= lines.size()) continue;
    const std::optional<int> value = ParseInteger(lines[line.index]);
    if (!value) continue;
    // An up-down control pins a position set from outside its range to the
    // nearest end and leaves a position between its steps where it is; the
    // number-system list is kept within its five entries the same way.
    settings.*line.field = std::clamp(*value, line.range.min, line.range.max);
  }
}

bool SaveGeneralSettings(const DataDirectory& data, const GeneralSettings& settings,
                         Messages& messages) {
  SettingsFiles files(data, messages);
  return files.Save(kGeneralSettingsFile, GeneralSettingsToLines(settings));
}

void LoadGeneralSettings(const DataDirectory& data, GeneralSettings& settings, Messages& messages) {
  // A missing file is recreated from what the dialog holds.
  SettingsFiles files(data, messages);
  if (const auto lines = files.ReadOrCreate(kGeneralSettingsFile, GeneralSettingsToLines(settings)))
    ApplyGeneralSettingsLines(*lines, settings);
}

}  // namespace korvex
