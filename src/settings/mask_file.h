// mask.ini: the answer mask as three lines (prefix, mask, suffix), read into
// and written from the "Mask options" values.
#pragma once

#include <string>

#include "settings/answer_settings.h"
#include "settings/data_directory.h"
#include "settings/line_file.h"
#include "settings/messages.h"

namespace korvex {

inline constexpr const char* kMaskSettingsFile = "mask.ini";

Lines MaskSettingsToLines(const MaskSettings& settings);
// Lines 1 to 3 become prefix, mask and suffix as they stand (blanks kept); a
// line the file does not have leaves its field as it was.
void ApplyMaskSettingsLines(const Lines& lines, MaskSettings& settings);

// The status-bar summary: prefix, mask and suffix joined.
std::string MaskStatusText(const MaskSettings& settings);

// Writes mask.ini; on failure shows the two save-failure messages and
// returns false, leaving the old file as it was. A file that is there but
// cannot be read is not written over; that is said instead.
bool SaveMaskSettings(const DataDirectory& data, const MaskSettings& settings, Messages& messages);

// Reads mask.ini over `settings`. A missing file is first written from
// `settings` and read again; when that write fails (said once, not at every
// load), `settings` stay. So they do when the file is there but cannot be
// read, which is said once and never written over.
void LoadMaskSettings(const DataDirectory& data, MaskSettings& settings, Messages& messages);

}  // namespace korvex
