#include "engine/user_variables.h"

#include <cstdio>

#include "engine/name_characters.h"

namespace korvex {

// The window shows an empty table as one blank row. Only that counts as
// empty: a blank first row followed by others (a var.ini that starts with an
// empty line) must still save the rows after it.
bool IsEmptyTable(const VariableTable& table) {
  return table.empty() ||
         (table.size() == 1 && table.front().name.empty() && table.front().expression.empty());
}

std::optional<std::string> VariableNameRefusal(std::string_view name) {
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    const bool control = byte < 0x20 || byte == 0x7F;
    if (IsNameCharacter(c) && !control && c != '=' && c != '#') continue;
    std::string shown(1, c);
    if (control) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      shown = escaped;
    }
    return "A variable name cannot contain '" + shown + "'";
  }
  return std::nullopt;
}

}  // namespace korvex
