// User variables: named expressions substituted during preprocessing, and the
// line format of var.ini.
#pragma once

#include <string>
#include <vector>

namespace korvex {

struct UserVariable {
  std::string name;
  std::string expression;
  bool operator==(const UserVariable&) const = default;
};

// Rows in table order; the first row of a name wins.
using VariableTable = std::vector<UserVariable>;

inline constexpr int kDefaultLoopLimit = 1000;

// A table counts as empty when it has no rows or only one blank row.
bool IsEmptyTable(const VariableTable& table);

// var.ini: one "name#expression" line per row; every line, empty ones too,
// becomes a row with missing fields empty.
VariableTable ParseVariableLines(const std::vector<std::string>& lines);
std::vector<std::string> FormatVariableLines(const VariableTable& table);

}  // namespace korvex
