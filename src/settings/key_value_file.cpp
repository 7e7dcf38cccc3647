#include "settings/key_value_file.h"

#include <utility>

#include "settings/folder_lock.h"
#include "settings/line_file.h"

namespace korvex {

KeyValueFile::KeyValueFile(DataDirectory data, std::string file_name)
    : data_(std::move(data)), file_name_(std::move(file_name)) {}

std::map<std::string, std::string> KeyValueFile::ReadValues(bool* readable) const {
  LineFile file = ReadLineFile(data_.File(file_name_));
  if (readable) *readable = file.state != LineFile::State::kUnreadable;
  std::map<std::string, std::string> values;
  for (const std::string& line : file.lines) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0) continue;
    values[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return values;
}

void KeyValueFile::Load() {
  values_ = ReadValues(nullptr);
  for (const auto& [key, value] : changed_) values_[key] = value;
}

std::optional<std::string> KeyValueFile::Value(const std::string& key) const {
  const auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

bool KeyValueFile::Flag(const std::string& key, bool fallback) const {
  const std::optional<std::string> value = Value(key);
  if (value == "1") return true;
  if (value == "0") return false;
  return fallback;
}

void KeyValueFile::SetValue(const std::string& key, const std::string& value) {
  // A key is one line's start; what would break the line or the key stays out.
  if (key.empty() || key.find_first_of("=\r\n") != std::string::npos ||
      value.find_first_of("\r\n") != std::string::npos)
    return;
  values_[key] = value;
  changed_[key] = value;
}

bool KeyValueFile::Save() {
  if (changed_.empty()) return true;
  const FolderLock lock(data_);
  bool readable = true;
  std::map<std::string, std::string> merged = ReadValues(&readable);
  if (!readable) return false;
  for (const auto& [key, value] : changed_) merged[key] = value;
  Lines lines;
  lines.reserve(merged.size());
  for (const auto& [key, value] : merged) lines.push_back(key + '=' + value);
  if (!WriteLines(data_.File(file_name_), lines)) return false;
  values_ = std::move(merged);
  changed_.clear();
  return true;
}

}  // namespace korvex
