// var.ini reading and writing.
#include "settings/variables_file.h"

#include <utility>

#include "engine/catalogue.h"
#include "settings/line_file.h"
#include "settings/settings_files.h"

namespace korvex {

VariableTable ParseVariableLines(const std::vector<std::string>& lines) {
  VariableTable table;
  table.reserve(lines.size());
  for (const std::string& line : lines) {
    std::vector<std::string> fields = SplitHashFields(line);
    UserVariable row;
    if (fields.size() > 0) row.name = std::move(fields[0]);
    if (fields.size() > 1) row.expression = std::move(fields[1]);
    table.push_back(std::move(row));
  }
  return table;
}

std::vector<std::string> FormatVariableLines(const VariableTable& table) {
  std::vector<std::string> lines;
  if (IsEmptyTable(table)) return lines;
  for (const UserVariable& row : table) lines.push_back(row.name + "#" + row.expression);
  return lines;
}

bool SaveVariables(const DataDirectory& data, const VariableTable& table, Messages& messages) {
  SettingsFiles files(data, messages);
  return files.Save(kVariablesFile, FormatVariableLines(table));
}

void LoadVariables(const DataDirectory& data, VariableTable& table, Messages& messages) {
  SettingsFiles files(data, messages);
  const LineFile file = files.Read(kVariablesFile);
  if (file.state == LineFile::State::kMissing)
    files.Create(kVariablesFile, FormatVariableLines(table));
  if (file.state == LineFile::State::kRead) table = ParseVariableLines(file.lines);
}

void ClearVariables(VariableTable& table) { table.clear(); }

}  // namespace korvex
