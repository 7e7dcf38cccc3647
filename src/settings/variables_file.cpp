// var.ini reading and writing.
#include "settings/variables_file.h"

#include "settings/line_file.h"

namespace korvex {
bool SaveVariables(const DataDirectory& data, const VariableTable& table, Messages& messages) {
  if (WriteLines(data.File(kVariablesFile), FormatVariableLines(table))) return true;
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
