// Our own preferences, kept in preferences.ini beside the described settings
// files, which keep their exact layout.
#pragma once

#include "settings/data_directory.h"

namespace korvex {

inline constexpr const char* kPreferencesFile = "preferences.ini";

// Whether the inputs show what Enter would give while the user types; on
// unless turned off ("live_preview=0").
bool LivePreviewOn(const DataDirectory& data);
// False when the file could not be written.
bool SaveLivePreview(const DataDirectory& data, bool on);

}  // namespace korvex
