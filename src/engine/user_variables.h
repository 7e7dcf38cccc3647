// User variables: named expressions substituted during preprocessing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
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

// Why `name` can never be a usable variable name, or nothing when it can
// (an empty name is the caller's to judge). Only a name that the scanner
// reads as one name token ever matches: `1` or `v1` never would, and would
// only hide or split numbers. `=` ends the name of a NAME=EXPR and `#` a
// field of var.ini; control characters cannot be typed into an expression.
std::optional<std::string> VariableNameRefusal(std::string_view name);

}  // namespace korvex
