// The checked operations: which non-finite results are failures and which
// pass on as values, for every operator.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/operator_apply.h"

namespace korvex {
namespace {

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNan = std::numeric_limits<long double>::quiet_NaN();
constexpr long double kMax = std::numeric_limits<long double>::max();

// The failure text, or "" with the result's class for a value.
std::string Outcome(char op, long double left, long double right) {
  try {
    const long double result = ApplyOperator(op, left, right);
    if (std::isnan(result)) return "NAN";
    if (std::isinf(result)) return result > 0 ? "INF" : "-INF";
    return "finite";
  } catch (const ArithmeticFailure& failure) {
    return failure.what();
  }
}

TEST(CheckedArithmetic, InvalidOperationsOverflowAndQuietValues) {
  const struct {
    char op;
    long double left;
    long double right;
    const char* outcome;
  } cases[] = {
      // A NAN made from numbers or infinities is an invalid operation.
      {'-', kInf, kInf, kInvalidOperation},
      {'+', kInf, -kInf, kInvalidOperation},
      {'*', 0, kInf, kInvalidOperation},
      {'*', -kInf, 0, kInvalidOperation},
      {'/', kInf, kInf, kInvalidOperation},
      {'/', -kInf, kInf, kInvalidOperation},
      {'/', 0, 0, kInvalidOperation},
      // An infinite result of finite operands is an overflow ...
      {'*', kMax, 2, kOverflow},
      {'+', kMax, kMax, kOverflow},
      {'-', -kMax, kMax, kOverflow},
      {'/', kMax, 0.5L, kOverflow},
      {'/', 1, 0, kDivisionByZero},
      // ... of an infinite one it is exact, and a NAN operand passes on.
      {'+', kInf, 1, "INF"},
      {'*', -kInf, 2, "-INF"},
      {'/', kInf, 0, "INF"},
      {'-', 1, kInf, "-INF"},
      {'+', kNan, 1, "NAN"},
      {'*', kNan, kInf, "NAN"},
      {'/', kNan, 0, "NAN"},
      {'-', kInf, kNan, "NAN"},
      {'/', 1, kInf, "finite"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Outcome(c.op, c.left, c.right), c.outcome)
        << static_cast<double>(c.left) << ' ' << c.op << ' ' << static_cast<double>(c.right);
}

}  // namespace
}  // namespace korvex
