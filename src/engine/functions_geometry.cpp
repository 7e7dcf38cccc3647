#include "engine/function_table.h"

namespace korvex {

void RegisterGeometryFunctions(FunctionTable& /*table*/) {}

}  // namespace korvex
