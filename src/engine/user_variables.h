// User variables: named expressions substituted during preprocessing.
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

}  // namespace korvex
