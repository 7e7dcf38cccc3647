// mask.ini reading and writing.
#include "settings/mask_file.h"

#include <iterator>

#include "settings/settings_files.h"

namespace korvex {

Lines MaskSettingsToLines(const MaskSettings& settings) {
  return {settings.prefix, settings.mask, settings.suffix};
}

void ApplyMaskSettingsLines(const Lines& lines, MaskSettings& settings) {
  std::string* const fields[] = {&settings.prefix, &settings.mask, &settings.suffix};
  for (size_t i = 0; i < std::size(fields) && i < lines.size(); ++i) *fields[i] = lines[i];
}

std::string MaskStatusText(const MaskSettings& settings) {
  return settings.prefix + settings.mask + settings.suffix;
}

bool SaveMaskSettings(const DataDirectory& data, const MaskSettings& settings, Messages& messages) {
  SettingsFiles files(data, messages);
  return files.Save(kMaskSettingsFile, MaskSettingsToLines(settings));
}

void LoadMaskSettings(const DataDirectory& data, MaskSettings& settings, Messages& messages) {
  // A missing file is recreated from what the dialog holds.
  SettingsFiles files(data, messages);
  if (const auto lines = files.ReadOrCreate(kMaskSettingsFile, MaskSettingsToLines(settings)))
    ApplyMaskSettingsLines(*lines, settings);
}

}  // namespace korvex
