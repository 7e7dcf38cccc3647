// SettingsFiles: what every load and save of a settings file has in common.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/data_directory.h"
#include "settings/folder_lock.h"
#include "settings/line_file.h"
#include "settings/messages.h"

namespace korvex {

// The settings files of one data folder while the folder lock is held, for
// one load or save. A file that is there but cannot be read is never written
// over: the user's data in it would be gone for good. Trouble that lasts is
// told once per `messages`, so a dialog reloading its file at every close
// does not repeat it.
class SettingsFiles {
 public:
  SettingsFiles(const DataDirectory& data, Messages& messages);
  // Releases the lock first, then shows what there was to say: a message box
  // waits for the user, and other writers should not wait with it (nor this
  // thread, should the box's event loop start another load).
  ~SettingsFiles();
  SettingsFiles(const SettingsFiles&) = delete;
  SettingsFiles& operator=(const SettingsFiles&) = delete;

  // A file that is there but cannot be read is told once.
  LineFile Read(const std::string& name);
  // A save the user asked for. Refused while the file is there but cannot be
  // read; either failure is told every time.
  bool Save(const std::string& name, const Lines& lines);
  // A load's write of a file that Read found missing. A failure is told once,
  // until a write of the file succeeds again.
  bool Create(const std::string& name, const Lines& lines);
  // The file's lines; a missing file is first created from `current` and
  // read again. Nothing when the values are to stay as they are.
  std::optional<Lines> ReadOrCreate(const std::string& name, const Lines& current);

 private:
  bool Write(const std::string& name, const Lines& lines, bool tell_every_failure);

  const DataDirectory& data_;
  Messages& messages_;
  FolderLock lock_;
  std::vector<std::string> pending_;
};

}  // namespace korvex
