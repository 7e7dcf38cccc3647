// The expression engine: the one TokenList and the request state around it.
// One Engine exists per calculator (main window or CLI); nothing is global.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/catalogue.h"
#include "engine/compiled_sample.h"
#include "engine/error_sink.h"
#include "engine/function_table.h"
#include "engine/gap_buffer.h"
#include "engine/number_text.h"
#include "engine/step_log.h"
#include "engine/user_variables.h"

namespace korvex {

using TokenList = std::vector<std::string>;

// What the engine reads from its surroundings; the owner keeps these alive.
// Null catalogues and tables behave as empty ones.
struct EngineEnvironment {
  const Catalogue* functions = nullptr;
  const Catalogue* constants = nullptr;
  const VariableTable* variables = nullptr;
  int loop_limit = kDefaultLoopLimit;
  // Polled while a request runs; a request that sees it set throws Cancelled.
  const StopFlag* stop = nullptr;
};

class Engine {
 public:
  explicit Engine(ErrorSink& errors);

  EngineEnvironment& environment() { return environment_; }
  const EngineEnvironment& environment() const { return environment_; }

  // The engine half of a solve request: flags on, the steps cleared, the
  // text prepared and the list evaluated. True when token 0 holds the
  // answer's number text. Arithmetic failures inside a function escape as
  // ArithmeticFailure.
  bool Solve(std::string_view text);

  // The engine half of a plot request: flags set for a plot (no steps, the
  // first sample checked) and the text prepared; the prepared list, with the
  // plot variable still a name, is what samples start from.
  bool PreparePlot(std::string_view text);
  // One plot sample: `sample_template` with each slot's text written at its
  // position, evaluated. Only a run's first sample runs the checks. With
  // `record`, the reductions are recorded into it as well (ready only when
  // the sample succeeded and every reduction can be replayed).
  struct SampleSlot {
    size_t position;
    const std::string* text;
    // Which of the sample's inputs the text is (CompiledSample's numbering:
    // 0 for x or x + epsilon, 1 for x - epsilon).
    CompiledSample::Ref input = 0;
  };
  bool EvaluateSample(const TokenList& sample_template, const std::vector<SampleSlot>& slots,
                      CompiledSample* record = nullptr);

  // The preprocessing pipeline on its own: scan, user variables, bracket
  // check, constants, brackets.
  bool PrepareExpression(std::string_view text);
  bool ScanExpression(std::string_view text);

  // Between requests; during one the list is not flat.
  const TokenList& tokens() const { return tokens_.flat(); }
  // Where each token of the list came from in the scanned text, right after
  // ScanExpression (inserted tokens have an empty place).
  const std::vector<SourceRange>& scanned_places() const { return places_.flat(); }
  const StepLog& steps() const { return steps_; }
  // The steps of the last solve, handed over; the engine's log is left empty.
  StepLog TakeSteps() { return std::exchange(steps_, StepLog()); }
  bool steps_enabled() const { return steps_enabled_; }
  bool checks_enabled() const { return checks_enabled_; }

  // The value `ans` stands for.
  long double stored_answer() const { return stored_answer_; }
  void set_stored_answer(long double value) { stored_answer_ = value; }

  // The evaluation loop finds the deepest group incrementally where it can;
  // with this on it rescans the whole list every time (for checking that
  // both ways pick the same groups).
  void set_always_rescan(bool on) { always_rescan_ = on; }
  // With this on, each step's text is also joined from the list when it is
  // recorded, as steps were once kept (for checking the log's replay).
  void set_reference_steps(bool on) { reference_steps_on_ = on; }
  const std::vector<std::string>& reference_steps() const { return reference_steps_; }

  ErrorSink& errors() { return errors_; }
  FunctionState& function_state() { return function_state_; }

  // Where in the request's text the last failure reported by this engine
  // lies; nothing when it had no place (or after a plot sample, whose list
  // keeps no places). Cleared at the start of each request.
  const std::optional<SourceRange>& last_error_place() const { return last_error_place_; }

 private:
  // Start of every request: StepsEnabled and ChecksEnabled on.
  void BeginRequest();
  // Every failure of a request goes through here, with its place when known.
  void Fail(const std::string& message, const char* title,
            std::optional<SourceRange> place = std::nullopt);
  // The place of tokens first..last (inclusive), while places are kept.
  std::optional<SourceRange> PlaceOf(size_t first, size_t last) const;
  // ScanExpression; with `whole`, every token and failure gets that place
  // (a user variable's expression stands where its name was typed).
  bool Scan(std::string_view text, const SourceRange* whole);
  bool CheckBrackets();
  std::optional<SourceRange> UnbalancedPlace(const char* open, const char* close,
                                             size_t count) const;
  bool SubstituteUserVariables();
  void SubstituteConstants();
  void RemoveRedundantBrackets();

  bool EvaluateTokens();
  bool CheckProgress();
  bool EvaluateOperators(size_t start);
  void RecordStep(std::string_view operation);
  // Rewrites during evaluation: the list, the origins of a recording and
  // the step log move together.
  void EraseTokens(size_t position, size_t count);
  bool CheckFunctionCall(long a);
  std::optional<SourceRange> CallPlace(long a) const;
  bool EvaluateFunctionCall(long a);

  // While a sample is recorded, origins_ runs parallel to tokens_: what each
  // token's value is in the recording, or kUnrecorded for a token of the
  // template that no reduction has read yet. Every rewrite of the list
  // during evaluation moves the origins along.
  static constexpr CompiledSample::Ref kUnrecorded = UINT32_MAX;
  CompiledSample::Ref RecordedOperand(size_t position, long double value);
  void RecordFunctionCall(size_t name_index, const long double* values, size_t count,
                          long double result);

  // After a parenthesised group has been reduced: the same result as
  // RemoveRedundantBrackets, looking only where a pair can have appeared.
  void RemoveBracketsAroundGroup(size_t group_start, long depth);

  // The deepest group of the loop: the leftmost opening bracket that reaches
  // the greatest depth. A full scan records, per depth, how many openers
  // reach it and where the leftmost one stands; rewrites note which openers
  // they removed and from which position on the list changed. While the
  // leftmost opener of the greatest remaining depth lies before every
  // change, it is still the answer and no scan is needed; nested groups
  // therefore cost no longer than the list's changed tail.
  struct GroupSearch {
    bool valid = false;
    long max_depth = 0;
    std::vector<size_t> openers_at_depth;
    std::vector<size_t> first_opener;
    size_t unchanged_prefix = 0;
  };
  void FindDeepestGroup(long& deepest, size_t& group_start);
  void NoteChangedFrom(size_t position) {
    if (position < group_search_.unchanged_prefix) group_search_.unchanged_prefix = position;
  }
  void NoteOpenerRemoved(long depth) {
    if (depth > 0 && static_cast<size_t>(depth) < group_search_.openers_at_depth.size() &&
        group_search_.openers_at_depth[static_cast<size_t>(depth)] > 0)
      --group_search_.openers_at_depth[static_cast<size_t>(depth)];
    else
      group_search_.valid = false;
  }

  ErrorSink& errors_;
  EngineEnvironment environment_;
  // A gap buffer: an evaluation rewrites the list where the last rewrite
  // was, mostly, so no rewrite has to move the list's tail.
  GapBuffer<std::string> tokens_;
  // The no-progress check only needs to know whether an iteration changed the
  // list; every rewrite shortens it, so the count stands for the snapshot.
  // Empty tokens or tokens holding a line break could make two different
  // lists join to the same text; with those the literal comparison is used.
  TokenList previous_tokens_;
  long previous_count_ = -1;
  bool has_odd_token_ = false;
  // RemoveRedundantBrackets leaves no "( x )" anywhere; afterwards a pair can
  // only appear where a group was reduced, or around a function's result,
  // or where a plot sample was written into the list.
  bool stray_pairs_possible_ = true;
  GroupSearch group_search_;
  bool always_rescan_ = false;
  StepLog steps_;
  // Set while an evaluation with steps runs: the rewrites go to steps_.
  bool logging_ = false;
  bool reference_steps_on_ = false;
  std::vector<std::string> reference_steps_;
  bool steps_enabled_ = true;
  bool checks_enabled_ = true;
  long double stored_answer_ = 0;
  FunctionState function_state_;
  CompiledSample* recorder_ = nullptr;
  GapBuffer<CompiledSample::Ref> origins_;
  // Parallel to tokens_ while places_on_: where each token came from in the
  // request's text. Kept through preprocessing and a solve's evaluation;
  // plot samples start from a template and do without, so they pay nothing.
  GapBuffer<SourceRange> places_;
  bool places_on_ = false;
  std::optional<SourceRange> last_error_place_;
};

}  // namespace korvex
