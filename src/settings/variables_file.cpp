// var.ini reading and writing.
#include "settings/variables_file.h"

#include "settings/line_file.h"

namespace korvex {
namespace {

// Only what the window shows as empty (no rows, or its one blank row) gives
// an empty file. A blank first row followed by others (a var.ini with an
// empty first line, say) must not count as empty: saving it would drop the
// rows after it.
Lines VariableFileLines(const VariableTable& table) {
  if (table.size() > 1) {
    Lines lines;
    lines.reserve(table.size());
    for (const UserVariable& row : table) lines.push_back(row.name + "#" + row.expression);
    return lines;
  }
  return FormatVariableLines(table);
}

}  // namespace

bool SaveVariables(const DataDirectory& data, const VariableTable& table, Messages& messages) {
  if (WriteLines(data.File(kVariablesFile), VariableFileLines(table))) return true;
  ShowSaveFailureMessages(messages, kVariablesFile);
  return false;
}

void LoadVariables(const DataDirectory& data, VariableTable& table, Messages& messages) {
  const auto lines = ReadLines(data.File(kVariablesFile));
  if (!lines) {
    SaveVariables(data, table, messages);
    return;
  }
  table = ParseVariableLines(*lines);
}

void ClearVariables(VariableTable& table) { table.clear(); }

}  // namespace korvex
