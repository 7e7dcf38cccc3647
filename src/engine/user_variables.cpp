#include "engine/user_variables.h"

#include "engine/catalogue.h"

namespace korvex {

// The window shows an empty table as one blank row. Only that counts as
// empty: a blank first row followed by others (a var.ini that starts with an
// empty line) must still save the rows after it.
bool IsEmptyTable(const VariableTable& table) {
  return table.empty() ||
         (table.size() == 1 && table.front().name.empty() && table.front().expression.empty());
}

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

}  // namespace korvex
