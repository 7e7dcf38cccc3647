// The insertion log operations over log.ini.
#include "settings/insertion_log.h"

#include <algorithm>

#include "settings/settings_files.h"

namespace korvex {
namespace {

using State = LineFile::State;

Lines ShowLog(SettingsFiles& files, const Lines& log_box) {
  LineFile log = files.Read(kInsertionLogFile);
  if (log.state == State::kRead) return std::move(log.lines);
  if (log.state == State::kMissing) files.Create(kInsertionLogFile, log_box);
  return log_box;
}

}  // namespace

void AppendToInsertionLog(const DataDirectory& data, const std::string& text, Messages& messages) {
  // Read and written under one lock: another process appending meanwhile
  // would otherwise lose its line to this write.
  SettingsFiles files(data, messages);
  LineFile log = files.Read(kInsertionLogFile);
  if (log.state == State::kUnreadable) return;
  if (std::find(log.lines.begin(), log.lines.end(), text) != log.lines.end()) return;
  log.lines.push_back(text);
  files.Save(kInsertionLogFile, log.lines);
}

std::optional<Lines> InsertLog(const DataDirectory& data, const Lines& expression_list,
                               Messages& messages) {
  if (!expression_list.empty()) return std::nullopt;
  SettingsFiles files(data, messages);
  LineFile log = files.Read(kInsertionLogFile);
  if (log.state == State::kMissing) files.Create(kInsertionLogFile, expression_list);
  if (log.state != State::kRead) return std::nullopt;
  return std::move(log.lines);
}

Lines ShowInsertionLog(const DataDirectory& data, const Lines& log_box, Messages& messages) {
  SettingsFiles files(data, messages);
  return ShowLog(files, log_box);
}

Lines ClearInsertionLog(const DataDirectory& data, const Lines& log_box, Messages& messages) {
  SettingsFiles files(data, messages);
  Lines shown = ShowLog(files, log_box);
  if (shown.empty()) return shown;
  if (!files.Save(kInsertionLogFile, Lines{})) return shown;
  return Lines{};
}

}  // namespace korvex
