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
// already logged. An unreadable log silently starts a new one; a failed write
// shows the two save-failure messages.
void AppendToInsertionLog(const DataDirectory& data, const std::string& text, Messages& messages);

// "Insert log": the items to pour into the expression list, in file order,
// or nothing when the list is to stay as it is: it already holds items, or
// the log cannot be read (an empty log is then created, with the save-failure
// messages when that fails).
std::optional<Lines> InsertLog(const DataDirectory& data, const Lines& expression_list,
                               Messages& messages);

// The lines the log box is to show: the file's lines, or, when the file
// cannot be read, the box's current lines, which are written back to it.
Lines ShowInsertionLog(const DataDirectory& data, const Lines& log_box, Messages& messages);

// "Clear": shows the log afresh and, when it has lines, empties the file at
// once. Returns what the log box shows afterwards: nothing, or the log as it
// still stands when emptying the file failed.
Lines ClearInsertionLog(const DataDirectory& data, const Lines& log_box, Messages& messages);

}  // namespace korvex
