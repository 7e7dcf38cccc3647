// other.ini: the one-line request for the start screen at the next start.
#pragma once

#include "settings/data_directory.h"
#include "settings/messages.h"

namespace korvex {

inline constexpr const char* kOtherSettingsFile = "other.ini";

// Writes "0", the only value the program itself ever writes; on failure
// shows the two save-failure messages and returns false. A file that is there
// but cannot be read is not written over; that is said instead.
bool SaveOtherSettings(const DataDirectory& data, Messages& messages);

// Whether the start screen is to be shown now. Only a first line of exactly
// "1" asks for it; the request is consumed (the file rewritten to "0") before
// true is returned, and a failed rewrite still shows the screen after its
// messages. A missing file is written with "0" and asks for nothing; one that
// is there but cannot be read is left alone, said so once, and asks for
// nothing; any other content leaves the file untouched.
bool LoadOtherSettings(const DataDirectory& data, Messages& messages);

}  // namespace korvex
