// other.ini reading and writing.
#include "settings/other_file.h"

#include "settings/line_file.h"
#include "settings/settings_files.h"

namespace korvex {

bool SaveOtherSettings(const DataDirectory& data, Messages& messages) {
  SettingsFiles files(data, messages);
  return files.Save(kOtherSettingsFile, {"0"});
}

bool LoadOtherSettings(const DataDirectory& data, Messages& messages) {
  SettingsFiles files(data, messages);
  const LineFile file = files.Read(kOtherSettingsFile);
  if (file.state == LineFile::State::kMissing) {
    files.Create(kOtherSettingsFile, {"0"});
    return false;
  }
  if (file.state != LineFile::State::kRead) return false;
  if (file.lines.empty() || file.lines.front() != "1") return false;
  // Consumed under the same lock, so two starts cannot both honour it.
  files.Save(kOtherSettingsFile, {"0"});
  return true;
}

}  // namespace korvex
