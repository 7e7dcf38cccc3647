// The insertion log (log.ini): every distinct expression put into the
// expression list, kept across runs. The list and the log box are passed in
// and out as plain lines; the file is read afresh by every operation.
#pragma once

#include <optional>
#include <string>

#include "settings/data_directory.h"
#include "settings/line_file.h"
#include "settings/messages.h"

namespace korvex {

inline constexpr const char* kInsertionLogFile = "log.ini";

// Appends `text` unless a line equal to it (exactly, case included) is
// already logged. A missing log starts a new one; a failed write shows the
// two save-failure messages. A log that is there but cannot be read is never
// written over: that is said once, and nothing is appended.
void AppendToInsertionLog(const DataDirectory& data, const std::string& text, Messages& messages);

// "Insert log": the items to pour into the expression list, in file order,
// or nothing when the list is to stay as it is: it already holds items, or
// the log cannot be read. A missing log is then created empty (with the
// save-failure messages, once, when that fails).
std::optional<Lines> InsertLog(const DataDirectory& data, const Lines& expression_list,
                               Messages& messages);

// The lines the log box is to show: the file's lines, or, when the file
// cannot be read, the box's current lines, which are written back to it when
// it is missing.
Lines ShowInsertionLog(const DataDirectory& data, const Lines& log_box, Messages& messages);

// "Clear": shows the log afresh and, when it has lines, empties the file at
// once. Returns what the log box shows afterwards: nothing, or the log as it
// still stands when emptying the file failed or was refused.
Lines ClearInsertionLog(const DataDirectory& data, const Lines& log_box, Messages& messages);

}  // namespace korvex
