// Where a failed solve points: each failure's place in the text as typed,
// through scanning, substitution and the rewrites of the evaluation.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "test_support.h"

namespace korvex {
namespace {

struct PlacedReport {
  std::string message;
  std::optional<SourceRange> place;
};

class PlaceRecordingSink : public ErrorSink {
 public:
  void ReportError(const std::string& message, const std::string&) override {
    reports.push_back({message, std::nullopt});
  }
  void ReportErrorAt(const std::string& message, const std::string&,
                     const std::optional<SourceRange>& place) override {
    reports.push_back({message, place});
  }
  std::vector<PlacedReport> reports;
};

// The catalogues and variables of the evaluation tests, with a sink that
// keeps places.
struct PlacingCalculator {
  PlacingCalculator() : engine(places) { engine.environment() = base.engine.environment(); }
  testing::TestCalculator base;
  PlaceRecordingSink places;
  Engine engine;
};

std::string Shown(const std::optional<SourceRange>& place) {
  return place ? std::to_string(place->start) + ".." + std::to_string(place->end) : "none";
}

TEST(ErrorPlace, PointsAtTheOffendingPartOfTheTypedText) {
  const struct {
    const char* text;
    VariableTable variables;
    const char* message;
    SourceRange place;  // characters [start, end)
  } cases[] = {
      // Brackets: the opener left open, or the closer without one.
      {"2*(3+4", {}, "One or more ( ) are unbalanced", {2, 3}},
      {"((1)+2", {}, "One or more ( ) are unbalanced", {0, 1}},
      {"2+3)*4", {}, "One or more ( ) are unbalanced", {3, 4}},
      {"sin[1+2", {}, "One or more [ ] are unbalanced", {3, 4}},
      // The check stops at the stray "]"; the "(" before it is still open.
      {"(]1)", {}, "One or more ( ) are unbalanced", {0, 1}},
      {"2+()", {}, "Need something to evaluate inside ( )", {2, 4}},
      {"1+{}", {}, "Need something to evaluate inside { }", {2, 4}},
      // Names and calls.
      {"2+foo[1]",
       {},
       "'foo' is not a function. See (View/Functions) for a list of all available functions",
       {2, 5}},
      {"1+gcd[1]", {}, "Function 'gcd' need 2 parameter(s), got 1", {2, 8}},
      {"5+gcd[4;x]", {}, "Invalid input in parameter 2 for function 'gcd'", {8, 9}},
      // Operators: a result stands for everything it was computed from,
      // brackets included; an inserted "*" adds nothing of its own.
      {"1+2/0", {}, "Could not calculate '2/0'", {2, 5}},
      {"2*(1+1)/0", {}, "Could not calculate '4/0'", {0, 9}},
      {"7+ 2x", {}, "Could not calculate '2*x'", {3, 5}},
      {"sin[0]/0", {}, "Could not calculate '0/0'", {0, 8}},
      {"3+", {}, "Invalid argument '3+'", {0, 2}},
      // Number texts: the braces and the spaces around them count.
      {"1,2,3", {}, "'1,2,3' is not a number", {0, 5}},
      {"  {abc}", {}, "'abc' is not a number", {2, 7}},
      // Characters, not bytes.
      {"\xc3\xa9+1/0", {}, "Could not calculate '1/0'", {2, 5}},
      // A user variable's expression stands where its name was typed, however
      // deeply the names nest and whichever step fails.
      {"3+v*1", {{"v", "1/0"}}, "Could not calculate '1/0'", {2, 3}},
      {"3+ww", {{"ww", "v*2"}, {"v", "foo"}}, "Could not calculate 'foo*2'", {2, 4}},
      {"2*v", {{"v", "{}"}}, "Need something to evaluate inside { }", {2, 3}},
      {"2*v", {{"v", "(1"}}, "One or more ( ) are unbalanced", {2, 3}},
      {"2*v", {{"v", ""}}, "Need something to evaluate", {2, 3}},
      {"1+v",
       {{"v", "v+1"}},
       "Loop control limit has exceeded. See (Tools/User variables/Assignments)",
       {2, 3}},
  };
  for (const auto& c : cases) {
    PlacingCalculator calc;
    calc.base.variables = c.variables;
    EXPECT_FALSE(calc.engine.Solve(c.text)) << c.text;
    ASSERT_EQ(calc.places.reports.size(), 1u) << c.text;
    const PlacedReport& report = calc.places.reports[0];
    EXPECT_EQ(report.message, c.message) << c.text;
    EXPECT_EQ(Shown(report.place), Shown(c.place)) << c.text;
    EXPECT_EQ(Shown(calc.engine.last_error_place()), Shown(c.place)) << c.text;
  }
}

TEST(ErrorPlace, IsClearedByTheNextRequestAndAbsentWhereNothingIsToBlame) {
  PlacingCalculator calc;
  ASSERT_FALSE(calc.engine.Solve("1+2/0"));
  ASSERT_TRUE(calc.engine.last_error_place());
  EXPECT_TRUE(calc.engine.Solve("1+2"));
  EXPECT_FALSE(calc.engine.last_error_place());
  // An empty text has no part to point at.
  EXPECT_FALSE(calc.engine.Solve("  "));
  EXPECT_EQ(calc.places.reports.back().message, "Need something to evaluate");
  EXPECT_FALSE(calc.places.reports.back().place);
}

TEST(ErrorPlace, SinksWithoutPlacesGetTheSameMessages) {
  testing::TestCalculator calc;
  EXPECT_FALSE(calc.engine.Solve("2+foo[1]"));
  ASSERT_EQ(calc.sink.reports.size(), 1u);
  EXPECT_EQ(
      calc.sink.reports[0],
      (testing::Report{
          "'foo' is not a function. See (View/Functions) for a list of all available functions",
          kFunctionError}));
  EXPECT_EQ(Shown(calc.engine.last_error_place()), "2..5");
}

TEST(ErrorPlace, SuffixCountsFromOneInclusive) {
  EXPECT_EQ(PlaceSuffix({2, 5}), " at 3-5");
  EXPECT_EQ(PlaceSuffix({0, 1}), " at 1-1");
  EXPECT_EQ(PlaceSuffix({4, 4}), " at 5-5");
}

}  // namespace
}  // namespace korvex
