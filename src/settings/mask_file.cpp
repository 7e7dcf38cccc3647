// mask.ini reading and writing.
#include "settings/mask_file.h"

#include <iterator>

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
  if (WriteLines(data.File(kMaskSettingsFile), MaskSettingsToLines(settings))) return true;
  ShowSaveFailureMessages(messages, kMaskSettingsFile);
  return false;
}

void LoadMaskSettings(const DataDirectory& data, MaskSettings& settings, Messages& messages) {
  auto lines = ReadLines(data.File(kMaskSettingsFile));
  if (!lines) {
    // Recreate the file from what the dialog holds, once; a second failure
    // would only repeat the same messages.
    if (!SaveMaskSettings(data, settings, messages)) return;
    lines = ReadLines(data.File(kMaskSettingsFile));
    if (!lines) return;
  }
  ApplyMaskSettingsLines(*lines, settings);
}

}  // namespace korvex
