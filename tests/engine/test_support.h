// Helpers shared by the engine tests: a recording error sink and an engine
// wired to small in-memory catalogues.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/engine.h"
#include "engine/function_table.h"
#include "engine/number_text.h"

namespace korvex::testing {

struct Report {
  std::string message;
  std::string title;
  bool operator==(const Report&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const Report& report) {
    return out << report.title << ": " << report.message;
  }
};

class RecordingSink : public ErrorSink {
 public:
  void ReportError(const std::string& message, const std::string& title) override {
    reports.push_back({message, title});
  }
  std::vector<Report> reports;
};

inline std::string Joined(const TokenList& tokens, const std::string& separator = " | ") {
  std::string text;
  for (size_t i = 0; i < tokens.size(); ++i) text += (i ? separator : "") + tokens[i];
  return text;
}

// An engine with `pi`, `e` and a few function entries, as the tests of the
// evaluation rules need them.
struct TestCalculator {
  TestCalculator() : engine(sink) {
    functions = Catalogue::FromLines(
        {"sin#t#1#sine", "cos#t#1#cosine", "gcd#mi#2#gcd", "sum#s#0#sum", "mean#s#0#mean",
         "nothing#m#1#computes nothing", "anything#m#0#computes nothing from any count"});
    constants = Catalogue::FromLines({"pi#g#3,14159265358979#pi", "e#w#2,71828182845905#e"});
    engine.environment().functions = &functions;
    engine.environment().constants = &constants;
    engine.environment().variables = &variables;
  }
  RecordingSink sink;
  Catalogue functions;
  Catalogue constants;
  VariableTable variables;
  Engine engine;
};

// Computes a call written as in an expression, "name[p1;p2;...]" (a point
// may stand for the comma), and gives the value as the engine writes it back.
inline std::string ComputeCall(std::string call) {
  for (char& c : call)
    if (c == '.') c = ',';
  const size_t open = call.find('[');
  std::vector<long double> values;
  for (size_t start = open + 1; start < call.size();) {
    const size_t end = call.find_first_of(";]", start);
    values.push_back(StrToFloat(call.substr(start, end - start)).value());
    start = end + 1;
  }
  FunctionState state;
  return FloatToStr(ComputeFunction(call.substr(0, open), values, state));
}

// The failure text of a call, or what it gave when it did not fail.
inline std::string FailureOfCall(const std::string& call) {
  try {
    return "no failure, gave " + ComputeCall(call);
  } catch (const ArithmeticFailure& failure) {
    return failure.what();
  }
}

}  // namespace korvex::testing
