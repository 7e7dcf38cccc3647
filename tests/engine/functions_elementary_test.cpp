// Trigonometric, hyperbolic, exponential, rounding and conversion functions,
// checked as the number texts the engine writes back, and their failures.
#include <gtest/gtest.h>

#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "engine/arithmetic.h"
#include "engine/function_table.h"
#include "engine/number_text.h"
#include "engine/test_support.h"

namespace korvex {
namespace {

std::string Compute(const std::string& call) { return testing::ComputeCall(call); }
std::string FailureOf(const std::string& call) { return testing::FailureOfCall(call); }

struct Case {
  const char* call;
  const char* result;
};

void ExpectResults(std::initializer_list<Case> cases) {
  for (const Case& c : cases) EXPECT_EQ(Compute(c.call), c.result) << c.call;
}

TEST(ElementaryFunctions, Trigonometric) {
  ExpectResults({
      {"sin[0]", "0"},
      {"sin[0.5]", "0,479425538604203"},
      {"cos[0]", "1"},
      {"tan[0]", "0"},
      {"tan[1]", "1,5574077246549"},
      {"sec[0]", "1"},
      {"sec[1]", "1,85081571768093"},
      {"csc[0.5]", "2,08582964293349"},
      {"cot[1]", "0,642092615934331"},
      {"tanxy[1;1]", "1,5574077246549"},
      {"tanxy[0.5;0]", "0,479425538604203"},
      {"asin[1]", "1,5707963267949"},
      {"asin[0.5]", "0,523598775598299"},
      {"acos[-1]", "3,14159265358979"},
      {"atan[1]", "0,785398163397448"},
      {"asec[2]", "1,0471975511966"},
      {"acsc[2]", "0,523598775598299"},
      {"acot[1]", "0,785398163397448"},
      {"acot[-1]", "-0,785398163397448"},
      // Quadrant of the point (y, x).
      {"atanxy[1;-1]", "2,35619449019234"},
      {"atanxy[-1;-1]", "-2,35619449019234"},
      {"atanxy[0;-1]", "3,14159265358979"},
      {"atanxy[0;0]", "0"},
  });
}

TEST(ElementaryFunctions, Hyperbolic) {
  ExpectResults({
      {"sinh[1]", "1,1752011936438"},
      {"sinh[1E-10]", "1E-10"},
      {"cosh[1]", "1,54308063481524"},
      {"tanh[1]", "0,761594155955765"},
      {"sech[1]", "0,648054273663885"},
      {"sech[12000]", "0"},  // 1 / INF, no failure
      {"csch[1]", "0,850918128239322"},
      {"coth[6000]", "1"},
      {"tanhxy[1;1]", "0,761594155955765"},
      {"asinh[0]", "0"},
      {"asinh[1]", "0,881373587019543"},
      {"asinh[-1]", "-0,881373587019543"},
      // Small and large arguments catch ln(x + sqrt(x^2 + 1)) written plainly.
      {"asinh[1E-10]", "1E-10"},
      {"asinh[-1E-10]", "-1E-10"},
      {"asinh[1E20]", "46,7448490404409"},
      {"asinh[1E4000]", "9211,03351915674"},
      {"acosh[1]", "0"},
      {"acosh[0.5]", "0"},
      {"acosh[-7]", "0"},
      {"acosh[2]", "1,31695789692482"},
      {"acosh[1.0000001]", "0,000447213591773062"},  // of the extended value nearest 1.0000001
      {"acosh[1E20]", "46,7448490404409"},
      {"atanh[0]", "0"},
      {"atanh[0.5]", "0,549306144334055"},
      {"atanh[-0.5]", "-0,549306144334055"},
      {"atanh[1E-10]", "1E-10"},
      {"atanh[0.9999999]", "8,40562139075912"},  // of the extended value nearest 0.9999999
      // Saturates at the largest finite value instead of becoming infinite.
      {"atanh[1]", "1,18973149535723E4932"},
      {"atanh[2]", "1,18973149535723E4932"},
      {"atanh[-1]", "-1,18973149535723E4932"},
      {"acoth[2]", "0,549306144334055"},
      {"acoth[0.5]", "1,18973149535723E4932"},
      {"asech[0.5]", "1,31695789692482"},
      {"asech[2]", "0"},
      {"acsch[2]", "0,481211825059603"},
      {"atanhxy[1;2]", "0,669249631349346"},
  });
}

TEST(ElementaryFunctions, CardinalAndGudermannian) {
  ExpectResults({
      {"sinc[0]", "1"},
      {"tanc[0]", "1"},
      {"sinhc[0]", "1"},
      {"tanhc[0]", "1"},
      {"sinc[0.5]", "0,958851077208406"},
      {"tanc[1]", "1,5574077246549"},
      {"sinhc[1]", "1,1752011936438"},
      {"tanhc[2]", "0,482013790037908"},
      {"gd[0]", "0"},
      {"gd[1]", "0,865769483239659"},
      {"gd[-2]", "-1,30176033604602"},
      // e^x becomes INF or 0 and the arc tangent settles at +-pi/2.
      {"gd[20000]", "1,5707963267949"},
      {"gd[-20000]", "-1,5707963267949"},
      {"agd[0]", "0"},
      {"agd[0.5]", "0,52223810327844"},
      {"agd[0.865769483239659]", "1"},  // agd[gd[1]]
  });
}

TEST(ElementaryFunctions, ExponentialLogarithmsAndRoots) {
  ExpectResults({
      {"exp[0]", "1"},
      {"exp[1]", "2,71828182845905"},
      {"exp[-1]", "0,367879441171442"},
      {"exp[-12000]", "0"},  // underflow passes silently
      {"ln[1]", "0"},
      {"ln[10]", "2,30258509299405"},
      {"lg[8]", "3"},
      {"lg[0.125]", "-3"},
      {"lg[10]", "3,32192809488736"},
      {"sqrt[2]", "1,4142135623731"},
      {"sqrt[0]", "0"},
      {"reciprocal[4]", "0,25"},
      {"reciprocal[3]", "0,333333333333333"},
      {"reciprocal[-0.5]", "-2"},
  });
}

TEST(ElementaryFunctions, AbsoluteValueSignAndRounding) {
  ExpectResults({
      {"abs[-2.5]", "2,5"},
      {"abs[3]", "3"},
      {"sign[-0.2]", "-1"},
      {"sign[0]", "0"},
      {"sign[7]", "1"},
      // Rounded to double first: too small for a double has no sign.
      {"sign[1E-4000]", "0"},
      {"sign[-1E-320]", "-1"},
      {"floor[-2.5]", "-3"},
      {"floor[2.5]", "2"},
      {"floor[1E30]", "1E30"},
      {"ceiling[-2.5]", "-2"},
      {"ceiling[2.1]", "3"},
      {"int[-2.7]", "-2"},
      {"int[-1.9]", "-1"},
      {"int[2.7]", "2"},
      {"expand[-2.1]", "-3"},
      {"expand[2.1]", "3"},
      {"expand[0]", "0"},
      {"expand[4]", "4"},
      {"round[2.5]", "2"},
      {"round[3.5]", "4"},
      {"round[-2.5]", "-2"},
      {"round[-3.5]", "-4"},
      {"round[0.5]", "0"},
      {"round[1.5]", "2"},
      {"round[-1.5]", "-2"},
      {"round[2.4999]", "2"},
      {"round[2.51]", "3"},
      {"round[-2.51]", "-3"},
      {"round[-0.4]", "0"},
      {"round[7]", "7"},
      {"round[1234567.5]", "1234568"},
      {"round[-1234568.5]", "-1234568"},
      {"fractionalpart[-2.25]", "-0,25"},
      {"fractionalpart[2.25]", "0,25"},
      {"fractionalpart[3]", "0"},
      {"fractionalvalue[-2.25]", "0,75"},
      {"fractionalvalue[-0.5]", "0,5"},
      {"fractionalvalue[2.25]", "0,25"},
  });
}

TEST(ElementaryFunctions, AngleConversions) {
  ExpectResults({
      {"deg>rad[180]", "3,14159265358979"},
      {"deg>rad[1]", "0,0174532925199433"},
      {"rad>deg[1]", "57,2957795130823"},
      {"gra>rad[100]", "1,5707963267949"},
      {"rad>gra[1]", "63,6619772367581"},
      {"cyc>rad[1]", "6,28318530717959"},
      {"rad>cyc[1]", "0,159154943091895"},
      {"deg>gra[90]", "100"},
      {"deg>cyc[90]", "0,25"},
      {"gra>deg[100]", "90"},
      {"gra>cyc[400]", "1"},
      {"cyc>deg[1]", "360"},
      {"cyc>gra[0.25]", "100"},
      // Just above a rounding tie: the double value of pi/180 (smaller by
      // 1.7E-17 relative) would give 1.
      {"deg>rad[57.29577951308260764250]", "1,00000000000001"},
  });
}

TEST(ElementaryFunctions, TemperatureAndLengthConversions) {
  ExpectResults({
      {"cel>fah[100]", "212"},
      {"fah>cel[212]", "100"},
      {"fah>cel[0]", "-17,7777777777778"},
      {"cel>kel[0]", "273,15"},
      {"kel>cel[0]", "-273,15"},
      {"cel>ran[0]", "491,67"},
      {"ran>cel[0]", "-273,15"},
      {"cel>rea[100]", "80"},
      {"rea>cel[80]", "100"},
      {"fah>kel[0]", "255,372222222222"},
      {"kel>fah[0]", "-459,67"},
      {"fah>ran[0]", "459,67"},
      {"ran>fah[0]", "-459,67"},
      {"fah>rea[0]", "-14,2222222222222"},
      {"rea>fah[80]", "212"},
      {"kel>ran[100]", "180"},
      {"ran>kel[100]", "55,5555555555556"},
      {"kel>rea[0]", "-218,52"},
      {"rea>kel[0]", "273,15"},
      {"rea>ran[0]", "491,67"},
      {"ran>rea[0]", "-218,52"},
      {"feet>meter[1]", "0,3048"},
      {"meter>feet[1]", "3,2808"},
      // Just below a rounding tie, so the kind of each factor shows: the
      // double 5/9, 1.8, 0.3048 and 3.2808 lie above their decimal values and
      // push these over it; the extended 4/9 keeps fah>rea above it.
      {"ran>kel[1.8000000000000089640]", "1,00000000000001"},
      {"kel>ran[0.55555555555555832224]", "1,00000000000001"},
      {"feet>meter[3.2808398950131396982]", "1,00000000000001"},
      {"meter>feet[0.30480370641307150086]", "1,00000000000001"},
      {"fah>rea[34.25000000000001129500]", "1,00000000000001"},
  });
}

// Outcomes the functions' routines return as values; the next stage that
// reads them fails.
TEST(ElementaryFunctions, NonFiniteResults) {
  ExpectResults({
      {"asin[2]", "NAN"},
      {"acos[-1.5]", "NAN"},
      {"asec[0.5]", "NAN"},
      {"acsc[-0.5]", "NAN"},
      {"sinh[12000]", "INF"},
      {"sinh[-12000]", "-INF"},
      {"cosh[-12000]", "INF"},
      {"sinhc[12000]", "INF"},
      {"tanhxy[12000;1]", "INF"},
      {"exp[12000]", "INF"},
      {"ln[0]", "-INF"},
      {"ln[-1]", "NAN"},
      {"sqrt[-4]", "NAN"},
      {"agd[3.14159265358979]", "NAN"},  // ln(-1 + tan pi)
  });
}

TEST(ElementaryFunctions, ArithmeticFailures) {
  const struct {
    const char* call;
    const char* failure;
  } cases[] = {
      {"csc[0]", kDivisionByZero},
      {"cot[0]", kDivisionByZero},
      {"asec[0]", kDivisionByZero},
      {"acsc[0]", kDivisionByZero},
      {"acot[0]", kDivisionByZero},
      {"csch[0]", kDivisionByZero},
      {"coth[0]", kDivisionByZero},
      {"asech[0]", kDivisionByZero},
      {"acsch[0]", kDivisionByZero},
      {"acoth[0]", kDivisionByZero},
      {"atanhxy[1;1]", kDivisionByZero},
      {"atanhxy[-2;0.5]", kDivisionByZero},
      {"atanhxy[0;1]", kInvalidOperation},          // 0 / 0
      {"tanhxy[20000;20000]", kInvalidOperation},   // INF / INF
      {"tanhxy[-12000;12000]", kInvalidOperation},  // -INF / INF
      {"reciprocal[0]", kDivisionByZero},
      {"lg[0]", kDivisionByZero},
      {"lg[-8]", kInvalidOperation},
      {"rad>deg[1E4932]", kOverflow},
      {"cyc>deg[1E4931]", kOverflow},
      {"cel>fah[1E4932]", kOverflow},
      {"meter>feet[-1E4932]", kOverflow},
  };
  for (const auto& c : cases) EXPECT_EQ(FailureOf(c.call), c.failure) << c.call;
}

TEST(ElementaryFunctions, EveryNameIsComputed) {
  // A name that no function computes gives 0 without a failure, so a missing
  // or misspelt row would hide behind a plausible result.
  const char* names[] = {"sin",
                         "cos",
                         "tan",
                         "sec",
                         "csc",
                         "cot",
                         "tanxy",
                         "asin",
                         "acos",
                         "atan",
                         "asec",
                         "acsc",
                         "acot",
                         "atanxy",
                         "sinh",
                         "cosh",
                         "tanh",
                         "sech",
                         "csch",
                         "coth",
                         "tanhxy",
                         "asinh",
                         "acosh",
                         "atanh",
                         "asech",
                         "acsch",
                         "acoth",
                         "atanhxy",
                         "sinc",
                         "tanc",
                         "sinhc",
                         "tanhc",
                         "gd",
                         "agd",
                         "exp",
                         "ln",
                         "lg",
                         "sqrt",
                         "reciprocal",
                         "abs",
                         "sign",
                         "floor",
                         "ceiling",
                         "int",
                         "expand",
                         "round",
                         "fractionalpart",
                         "fractionalvalue",
                         "deg>rad",
                         "rad>deg",
                         "gra>rad",
                         "rad>gra",
                         "cyc>rad",
                         "rad>cyc",
                         "deg>gra",
                         "deg>cyc",
                         "gra>deg",
                         "gra>cyc",
                         "cyc>deg",
                         "cyc>gra",
                         "cel>fah",
                         "fah>cel",
                         "cel>kel",
                         "kel>cel",
                         "cel>ran",
                         "ran>cel",
                         "cel>rea",
                         "rea>cel",
                         "fah>kel",
                         "kel>fah",
                         "fah>ran",
                         "ran>fah",
                         "fah>rea",
                         "rea>fah",
                         "kel>ran",
                         "ran>kel",
                         "kel>rea",
                         "rea>kel",
                         "rea>ran",
                         "ran>rea",
                         "feet>meter",
                         "meter>feet"};
  EXPECT_EQ(std::size(names), 82u);
  for (const char* name : names) EXPECT_NE(BuiltinFunctions().Find(name), nullptr) << name;
}

TEST(ElementaryFunctions, WholeRequests) {
  testing::TestCalculator calc;
  calc.functions = Catalogue::FromLines({"sin#t#1#sine", "sqrt#m#1#root", "csc#t#1#cosecant"});

  ASSERT_TRUE(calc.engine.Solve("2*sin[0.5]"));
  EXPECT_EQ(calc.engine.steps().Texts(),
            (std::vector<std::string>{"Step 1 (calculate 'sin'): 2*0,479425538604203",
                                      "Step 2 (multiply): 0,958851077208406"}));

  // NAN is written back and rejected by the enclosing call.
  EXPECT_FALSE(calc.engine.Solve("sin[sqrt[-4]]"));
  ASSERT_EQ(calc.sink.reports.size(), 1u);
  EXPECT_EQ(calc.sink.reports[0],
            (testing::Report{"Invalid input in parameter 1 for function 'sin'", "Function error"}));

  // An arithmetic failure abandons the request with no step for the call.
  calc.sink.reports.clear();
  try {
    calc.engine.Solve("1+csc[0]");
    ADD_FAILURE() << "csc[0] did not fail";
  } catch (const ArithmeticFailure& failure) {
    EXPECT_STREQ(failure.what(), kDivisionByZero);
  }
  EXPECT_TRUE(calc.engine.steps().empty());
  EXPECT_TRUE(calc.sink.reports.empty());
}

}  // namespace
}  // namespace korvex
