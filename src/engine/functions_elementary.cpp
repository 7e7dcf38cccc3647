#include "engine/function_table.h"

namespace korvex {

void RegisterElementaryFunctions(FunctionTable& /*table*/) {}

}  // namespace korvex
