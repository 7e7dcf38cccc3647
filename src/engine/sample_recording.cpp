// The recording side of compiled plot samples: what a reduction read and
// wrote, in terms of the sample's inputs, constants and earlier results.
#include "engine/engine.h"

namespace korvex {

CompiledSample::Ref Engine::RecordedOperand(size_t position, long double value) {
  CompiledSample::Ref& origin = origins_[position];
  // Read for the first time, a template token is a constant of the
  // expression: the same text, so the same value, in every sample.
  if (origin == kUnrecorded) origin = recorder_->AddConstant(value);
  return origin;
}

void Engine::RecordFunctionCall(size_t name_index, const long double* values, size_t count,
                                long double result) {
  // The name decides which function runs; unless it is the template's own
  // text it could name another function in another sample.
  const std::string& name = tokens_[name_index];
  if (origins_[name_index] != kUnrecorded || BuiltinFunctions().KeepsState(name))
    recorder_->Reject();
  std::vector<CompiledSample::Ref> parameters(count);
  for (size_t k = 0; k < count; ++k)
    parameters[k] = RecordedOperand(name_index + 2 * (k + 1), values[k]);
  origins_[name_index] = recorder_->AddFunction(BuiltinFunctions().Find(name), parameters, result);
}

}  // namespace korvex
