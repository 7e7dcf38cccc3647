// A file of ours in the data folder: plain "key=value" lines, for what the
// described settings files have no line for (window rectangles, our own
// preferences), so those files keep their exact layout.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "settings/data_directory.h"

namespace korvex {

// A file that cannot be read counts as empty and is never written over.
class KeyValueFile {
 public:
  KeyValueFile(DataDirectory data, std::string file_name);

  // Reads the file again; the values set here and not yet saved are kept.
  void Load();
  std::optional<std::string> Value(const std::string& key) const;
  // "1" true, "0" false, anything else (or no line) `fallback`.
  bool Flag(const std::string& key, bool fallback) const;
  void SetValue(const std::string& key, const std::string& value);
  // Writes the values set since the last save, under the folder lock and
  // over what the file holds then, so another program sharing the folder
  // keeps what it saved meanwhile. False when nothing could be written.
  bool Save();

 private:
  std::map<std::string, std::string> ReadValues(bool* readable) const;

  DataDirectory data_;
  std::string file_name_;
  std::map<std::string, std::string> values_;
  std::map<std::string, std::string> changed_;
};

}  // namespace korvex
