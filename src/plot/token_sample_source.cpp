// Sampling on the token engine, and the derivative's rewrite of the list.
#include "plot/token_sample_source.h"

namespace korvex {
namespace {

// (T) - (T), over twice epsilon, built in the order the rewrite has always
// used so the token positions of both copies match.
void RewriteAsDerivative(TokenList& tokens, long double epsilon) {
  tokens.insert(tokens.begin(), "(");
  tokens.push_back(")");
  tokens.push_back("-");
  const size_t length = tokens.size();
  tokens.reserve(2 * length + 3);
  for (size_t i = 0; i < length; ++i) tokens.push_back(tokens[i]);
  tokens.insert(tokens.begin(), "(");
  tokens.back().assign(1, ')');
  tokens.push_back("/");
  tokens.push_back(FloatToStr(2 * epsilon));
}

}  // namespace

TokenSampleSource::TokenSampleSource(Engine& engine, std::string_view variable,
                                     const SampleRange& range, CompiledSample* record)
    : engine_(engine), range_(range), template_(engine.tokens()), record_(record) {
  if (range_.derivative) RewriteAsDerivative(template_, range_.epsilon);
  for (size_t i = 0; i < template_.size(); ++i)
    if (template_[i] == variable) slots_.push_back({i, &plus_text_});
  // With the derivative, the first half of the occurrences lie in the first
  // copy of the expression and take x + epsilon.
  if (range_.derivative) {
    for (size_t k = (slots_.size() + 1) / 2; k < slots_.size(); ++k) {
      slots_[k].text = &minus_text_;
      slots_[k].input = 1;
    }
  }
}

SampleStatus TokenSampleSource::NextBlock(long double x, std::size_t /*limit*/,
                                          SampleBlock& block) {
  if (!slots_.empty()) {
    plus_text_ = FloatToStr(range_.PlusInput(x));
    if (range_.derivative) minus_text_ = FloatToStr(range_.MinusInput(x));
  }
  if (!engine_.EvaluateSample(template_, slots_, record_)) return SampleStatus::kFailed;
  record_ = nullptr;
  const std::string& value_text = engine_.tokens()[0];
  outcome_ = {*StrToFloat(value_text), 0};
  block = {SampleBlock::Kind::kEvaluated, 1, &outcome_, &value_text, nullptr};
  return SampleStatus::kTaken;
}

}  // namespace korvex
