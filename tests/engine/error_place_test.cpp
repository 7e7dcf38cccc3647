// Where a failed solve points: each failure's place in the text as typed,
// through scanning, substitution and the rewrites of the evaluation.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "error_place_cases.h"
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
  for (const auto& c : testing::ErrorPlaceCases()) {
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
