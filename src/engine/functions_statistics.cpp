#include "engine/function_table.h"

namespace korvex {

void RegisterStatisticsFunctions(FunctionTable& /*table*/) {}

}  // namespace korvex
