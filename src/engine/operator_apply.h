// The arithmetic of the four operator passes' symbols, shared by the token
// engine and the compiled plot samples so both compute with one definition.
#pragma once

#include "engine/arithmetic.h"
#include "engine/function_helpers.h"

namespace korvex {

// `op` is one of ^ * / + -; arithmetic failures escape as ArithmeticFailure.
inline long double ApplyOperator(char op, long double left, long double right) {
  switch (op) {
    case '^':
      return RealPower(left, right);  // NAN and INF are results, not failures
    case '*':
      return Multiply(left, right);
    case '/':
      return Divide(left, right);
    case '+':
      return Add(left, right);
    default:
      return Subtract(left, right);
  }
}

}  // namespace korvex
