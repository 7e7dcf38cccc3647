// Areas, circumferences, volumes and sequence sums, checked as the number
// texts the engine writes back, and the failures that abandon a call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/function_table.h"
#include "engine/number_text.h"

#include "test_support.h"

namespace korvex {
namespace {

std::string Compute(const std::string& call) { return testing::ComputeCall(call); }
std::string FailureOf(const std::string& call) { return testing::FailureOfCall(call); }

TEST(GeometryFunctions, ComputeFiguresAndSolids) {
  const struct {
    const char* call;
    const char* result;
  } cases[] = {
      {"asquare[3]", "9"},
      {"asquare[-3]", "9"},  // lengths are not checked
      {"acircle[1]", "3,14159265358979"},
      {"ccircle[1]", "6,28318530717959"},
      // pi and 2pi are the double values: with the extended ones these end
      // in ...755 and ...004.
      {"ccircle[11]", "69,1150383789754"},
      {"acircle[302]", "286525,816378003"},
      {"arectangle[2;3]", "6"},
      {"atriangle[3;4]", "6"},
      {"aellipse[2;4]", "6,28318530717959"},
      {"cellipse[2;2]", "6,28318530717959"},
      {"apolygon[4;1]", "2"},
      {"apolygon[6;1]", "2,59807621135332"},
      {"atrapezoid[2;4;3]", "9"},
      {"vcube[-2]", "-8"},
      {"vsphere[1]", "4,18879020478639"},
      {"asphere[1]", "12,5663706143592"},
      {"vcylinder[2;3]", "37,6991118430775"},
      {"vcone[1;3]", "3,14159265358979"},
      {"acone[3;4]", "75,398223686155"},
      {"vrectangle[2;3;4]", "24"},
      {"vpyramid[2;3;4]", "8"},
      {"vellipse[1;2;3]", "25,1327412287183"},
      // The power routine writes an overflow back instead of failing.
      {"asquare[1E3000]", "INF"},
      {"vcube[1E2000]", "INF"},
  };
  for (const auto& c : cases) EXPECT_EQ(Compute(c.call), c.result) << c.call;
}

TEST(GeometryFunctions, SumSequences) {
  const struct {
    const char* call;
    const char* result;
  } cases[] = {
      {"asequence[1;100;100]", "5050"}, {"asequence[5;-5;7]", "0"}, {"gsequence[1;2;10]", "1023"},
      {"gsequence[1;0.5;2]", "1,5"},    {"gsequence[1;-2;3]", "3"}, {"gsequence[5;0;3]", "5"},
      {"gsequence[5;0;0]", "0"},  // 0^0 counts as 1
      {"gsequence[1;-2;0.5]", "NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(Compute(c.call), c.result) << c.call;
}

TEST(GeometryFunctions, ArithmeticFailuresAbandonTheCall) {
  const struct {
    const char* call;
    const char* failure;
  } cases[] = {
      {"gsequence[5;1;3]", kInvalidOperation},  // (1 - 1) * 5 / 0
      {"gsequence[0;1;3]", kInvalidOperation},  {"apolygon[0;1]", kDivisionByZero},
      {"arectangle[1E3000;1E3000]", kOverflow}, {"vrectangle[1E2000;1E2000;1E2000]", kOverflow},
  };
  for (const auto& c : cases) EXPECT_EQ(FailureOf(c.call), c.failure) << c.call;
}

}  // namespace
}  // namespace korvex
