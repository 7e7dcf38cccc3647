// The insertion log operations over log.ini.
#include "settings/insertion_log.h"

#include <algorithm>

namespace korvex {
namespace {

bool WriteLog(const DataDirectory& data, const Lines& lines, Messages& messages) {
  if (WriteLines(data.File(kInsertionLogFile), lines)) return true;
  ShowSaveFailureMessages(messages, kInsertionLogFile);
  return false;
}

}  // namespace

void AppendToInsertionLog(const DataDirectory& data, const std::string& text, Messages& messages) {
  Lines log = ReadLines(data.File(kInsertionLogFile)).value_or(Lines{});
  if (std::find(log.begin(), log.end(), text) != log.end()) return;
  log.push_back(text);
  WriteLog(data, log, messages);
}

std::optional<Lines> InsertLog(const DataDirectory& data, const Lines& expression_list,
                               Messages& messages) {
  if (!expression_list.empty()) return std::nullopt;
  auto log = ReadLines(data.File(kInsertionLogFile));
  if (!log) {
    WriteLog(data, expression_list, messages);
    return std::nullopt;
  }
  return log;
}

Lines ShowInsertionLog(const DataDirectory& data, const Lines& log_box, Messages& messages) {
  auto log = ReadLines(data.File(kInsertionLogFile));
  if (log) return std::move(*log);
  WriteLog(data, log_box, messages);
  return log_box;
}

Lines ClearInsertionLog(const DataDirectory& data, const Lines& log_box, Messages& messages) {
  Lines shown = ShowInsertionLog(data, log_box, messages);
  if (shown.empty()) return shown;
  if (!WriteLog(data, Lines{}, messages)) return shown;
  return Lines{};
}

}  // namespace korvex
