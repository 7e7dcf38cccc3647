#include "engine/function_table.h"

namespace korvex {

void RegisterPowerFunctions(FunctionTable& /*table*/) {}

}  // namespace korvex
