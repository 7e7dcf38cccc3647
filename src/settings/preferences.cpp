#include "settings/preferences.h"

#include "settings/key_value_file.h"

namespace korvex {
namespace {

constexpr const char* kLivePreviewKey = "live_preview";

}  // namespace

bool LivePreviewOn(const DataDirectory& data) {
  KeyValueFile file(data, kPreferencesFile);
  file.Load();
  return file.Flag(kLivePreviewKey, true);
}

bool SaveLivePreview(const DataDirectory& data, bool on) {
  KeyValueFile file(data, kPreferencesFile);
  file.SetValue(kLivePreviewKey, on ? "1" : "0");
  return file.Save();
}

}  // namespace korvex
