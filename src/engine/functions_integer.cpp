#include "engine/function_table.h"

namespace korvex {

void RegisterIntegerFunctions(FunctionTable& /*table*/) {}

}  // namespace korvex
