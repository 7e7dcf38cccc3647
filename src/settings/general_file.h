// general.ini: the nine General options lines, read into and written from the
// dialog's values, with the ranges of its up-down controls.
#pragma once

#include <array>
#include <string_view>

#include "settings/answer_settings.h"
#include "settings/data_directory.h"
#include "settings/line_file.h"
#include "settings/messages.h"

namespace korvex {

inline constexpr const char* kGeneralSettingsFile = "general.ini";

// Ranges of the up-down controls (and the number-system list) of the dialog.
struct IntRange {
  int min;
  int max;
  int step;
};
inline constexpr IntRange kLoopLimitRange{1000, 10000, 500};
inline constexpr IntRange kReminderRange{1000, 10000, 500};
inline constexpr IntRange kNumberSystemRange{0, 4, 1};
inline constexpr IntRange kPrecisionRange{8, 64, 1};

// Short names of the number systems in list order, for command lines.
inline constexpr std::array<std::string_view, 5> kNumberSystemShortNames = {"hex", "dec", "oct",
                                                                            "quat", "bin"};
static_assert(kNumberSystemShortNames.size() ==
              kNumberSystemRange.max - kNumberSystemRange.min + 1);

Lines GeneralSettingsToLines(const GeneralSettings& settings);
// Check boxes (lines 1-3, 8, 9) are on only for exactly "1". Lines 4-7 are
// taken only when they hold a whole decimal number, and then clamped into the
// control's range. A line the file does not have leaves its setting as it was.
void ApplyGeneralSettingsLines(const Lines& lines, GeneralSettings& settings);

// Writes general.ini; on failure shows the two save-failure messages and
// returns false, leaving the old file as it was. A file that is there but
// cannot be read is not written over; that is said instead.
bool SaveGeneralSettings(const DataDirectory& data, const GeneralSettings& settings,
                         Messages& messages);

// Reads general.ini over `settings`. A missing file is first written from
// `settings` and read again; when that write fails (said once, not at every
// load), `settings` stay. So they do when the file is there but cannot be
// read, which is said once and never written over.
void LoadGeneralSettings(const DataDirectory& data, GeneralSettings& settings, Messages& messages);

}  // namespace korvex
