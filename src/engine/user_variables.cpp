#include "engine/user_variables.h"

namespace korvex {

// The window shows an empty table as one blank row. Only that counts as
// empty: a blank first row followed by others (a var.ini that starts with an
// empty line) must still save the rows after it.
bool IsEmptyTable(const VariableTable& table) {
  return table.empty() ||
         (table.size() == 1 && table.front().name.empty() && table.front().expression.empty());
}

}  // namespace korvex
