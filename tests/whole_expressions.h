// Random expressions whose values are whole numbers wherever they are
// defined: the plot variable, whole constants small and large, + - * /, gcd
// and brackets. Large constants and products leave the integer ground by
// overflow, quotients by fractions and division by zero, a zero times a
// negative by -0: the ways a sample can leave it are all reachable.
#pragma once

#include <random>
#include <string>

namespace korvex::testing {

inline std::string RandomWholeExpression(std::mt19937& random, int depth) {
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  if (depth == 0 || pick(3) == 0) {
    switch (pick(4)) {
      case 0:
        return std::to_string(pick(7));
      case 1:
        return std::to_string(pick(100000) * 10007);
      default:
        return "x";
    }
  }
  if (pick(6) == 0)
    return "gcd[" + RandomWholeExpression(random, depth - 1) + ";" +
           RandomWholeExpression(random, depth - 1) + "]";
  // Most quotients are fractions, which the integer path refuses.
  static const char kOperators[] = "+-*+-*+-*/";
  return "(" + RandomWholeExpression(random, depth - 1) + kOperators[pick(10)] +
         RandomWholeExpression(random, depth - 1) + ")";
}

}  // namespace korvex::testing
