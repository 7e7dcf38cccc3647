// var.ini: the user-variable table loaded from and saved to its file.
#pragma once

#include <string>
#include <vector>

#include "engine/user_variables.h"
#include "settings/data_directory.h"
#include "settings/messages.h"

namespace korvex {

inline constexpr const char* kVariablesFile = "var.ini";

// One "name#expression" line per row; every line, empty ones too, becomes a
// row with missing fields empty.
VariableTable ParseVariableLines(const std::vector<std::string>& lines);
std::vector<std::string> FormatVariableLines(const VariableTable& table);

// Writes one "name#expression" line per row; no rows or a single blank row
// give an empty file;
// on failure shows the two save-failure messages and returns false, leaving
// the old file and the table as they were. A file that is there but cannot
// be read is not written over; that is said instead.
bool SaveVariables(const DataDirectory& data, const VariableTable& table, Messages& messages);

// Replaces the table by the file's rows, one per line, empty lines included.
// A missing file is written from the table, which keeps its rows; it is not
// read again. A file that is there but cannot be read is left alone and said
// so once; the table keeps its rows.
void LoadVariables(const DataDirectory& data, VariableTable& table, Messages& messages);

// Deletes every row; the window then shows its one empty row.
void ClearVariables(VariableTable& table);

}  // namespace korvex
