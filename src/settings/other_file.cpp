// other.ini reading and writing.
#include "settings/other_file.h"

#include "settings/line_file.h"

namespace korvex {

bool SaveOtherSettings(const DataDirectory& data, Messages& messages) {
  if (WriteLines(data.File(kOtherSettingsFile), {"0"})) return true;
  ShowSaveFailureMessages(messages, kOtherSettingsFile);
  return false;
}

bool LoadOtherSettings(const DataDirectory& data, Messages& messages) {
  const auto lines = ReadLines(data.File(kOtherSettingsFile));
  if (!lines) {
    SaveOtherSettings(data, messages);
    return false;
  }
  if (lines->empty() || lines->front() != "1") return false;
  SaveOtherSettings(data, messages);
  return true;
}

}  // namespace korvex
