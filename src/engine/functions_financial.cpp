#include "engine/function_table.h"

namespace korvex {

void RegisterFinancialFunctions(FunctionTable& /*table*/) {}

}  // namespace korvex
