#include "engine/function_table.h"

#include <chrono>

namespace korvex {

FunctionState::FunctionState()
    : fixed_generator(),
      clock_generator(
          static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {
}

void FunctionTable::Add(std::string name, FunctionBody body, bool keeps_state) {
  bodies_.insert_or_assign(std::move(name), Entry{body, keeps_state});
}

FunctionBody FunctionTable::Find(std::string_view name) const {
  const auto found = bodies_.find(name);
  return found == bodies_.end() ? nullptr : found->second.body;
}

bool FunctionTable::KeepsState(std::string_view name) const {
  const auto found = bodies_.find(name);
  return found != bodies_.end() && found->second.keeps_state;
}

const FunctionTable& BuiltinFunctions() {
  static const FunctionTable table = [] {
    FunctionTable t;
    RegisterElementaryFunctions(t);
    RegisterIntegerFunctions(t);
    RegisterPowerFunctions(t);
    RegisterGeometryFunctions(t);
    RegisterStatisticsFunctions(t);
    RegisterFinancialFunctions(t);
    return t;
  }();
  return table;
}

long double ComputeFunction(std::string_view name, std::span<const long double> values,
                            FunctionState& state) {
  const FunctionBody body = BuiltinFunctions().Find(name);
  if (body == nullptr) return 0;
  return body(FunctionArgs(values), state);
}

}  // namespace korvex
