// The reference way of sampling: the token engine evaluates the expression
// with the sample's inputs written into the prepared list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"
#include "plot/sample_range.h"
#include "plot/sample_source.h"

namespace korvex {

// Blocks of one sample, evaluated when asked for: its checks are then done,
// and a failure or a stop lands on it.
class TokenSampleSource : public SampleSource {
 public:
  // Starts from the engine's prepared list, with `variable` standing for x.
  // The first sample's reductions are recorded into `record` unless it is
  // null.
  TokenSampleSource(Engine& engine, std::string_view variable, const SampleRange& range,
                    CompiledSample* record);
  // The slots point at this object's texts.
  TokenSampleSource(const TokenSampleSource&) = delete;
  TokenSampleSource& operator=(const TokenSampleSource&) = delete;

  SampleStatus NextBlock(long double x, std::size_t limit, SampleBlock& block) override;

 private:
  Engine& engine_;
  const SampleRange range_;
  TokenList template_;
  std::string plus_text_;
  std::string minus_text_;
  std::vector<Engine::SampleSlot> slots_;
  CompiledSample* record_;
  CompiledSample::Outcome outcome_{0, 0};
};

}  // namespace korvex
