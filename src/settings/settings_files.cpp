// Settings files under the folder lock, with their failures told.
#include "settings/settings_files.h"

#include <utility>

namespace korvex {
namespace {

std::string ReadTopic(const std::filesystem::path& path) { return "read " + path.native(); }
std::string WriteTopic(const std::filesystem::path& path) { return "write " + path.native(); }

}  // namespace

SettingsFiles::SettingsFiles(const DataDirectory& data, Messages& messages)
    : data_(data), messages_(messages), lock_(data) {}

SettingsFiles::~SettingsFiles() {
  lock_.Release();
  for (const std::string& text : pending_) messages_.Show(text);
}

LineFile SettingsFiles::Read(const std::string& name) {
  const std::filesystem::path path = data_.File(name);
  LineFile file = ReadLineFile(path);
  if (file.state != LineFile::State::kUnreadable) {
    messages_.Forget(ReadTopic(path));
  } else if (messages_.MarkTold(ReadTopic(path))) {
    pending_.push_back(UnreadableFileText(name));
  }
  return file;
}

bool SettingsFiles::Save(const std::string& name, const Lines& lines) {
  const std::filesystem::path path = data_.File(name);
  if (ReadLineFile(path).state == LineFile::State::kUnreadable) {
    // The refusal says all a later load would.
    messages_.MarkTold(ReadTopic(path));
    pending_.push_back(SaveFailureText(name));
    pending_.push_back(kUnreadableKeptMessage);
    return false;
  }
  messages_.Forget(ReadTopic(path));
  return Write(name, lines, true);
}

bool SettingsFiles::Create(const std::string& name, const Lines& lines) {
  return Write(name, lines, false);
}

std::optional<Lines> SettingsFiles::ReadOrCreate(const std::string& name, const Lines& current) {
  LineFile file = Read(name);
  if (file.state == LineFile::State::kMissing) {
    if (!Create(name, current)) return std::nullopt;
    file = Read(name);
  }
  if (file.state != LineFile::State::kRead) return std::nullopt;
  return std::move(file.lines);
}

bool SettingsFiles::Write(const std::string& name, const Lines& lines, bool tell_every_failure) {
  const std::filesystem::path path = data_.File(name);
  if (WriteLines(path, lines)) {
    messages_.Forget(WriteTopic(path));
    return true;
  }
  if (messages_.MarkTold(WriteTopic(path)) || tell_every_failure) {
    pending_.push_back(SaveFailureText(name));
    pending_.push_back(kReadOnlyDeviceMessage);
  }
  return false;
}

}  // namespace korvex
