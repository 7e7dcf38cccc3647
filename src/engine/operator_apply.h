// The arithmetic of the four operator passes' symbols, shared by the token
// engine and the compiled plot samples so both compute with one definition.
#pragma once

#include "engine/arithmetic.h"
#include "engine/function_helpers.h"

namespace korvex {

// Calls `use` with the arithmetic of `op`, one of ^ * / + -, as a callable of
// its own type: a caller that applies one operator to many operands switches
// once and keeps the arithmetic inline. Arithmetic failures escape as
// ArithmeticFailure. kChecked false leaves out the check that finite operands
// of + - * gave a finite result, for a caller that stops at any non-finite
// result anyway and leaves the failure to be raised by the checked way.
template <bool kChecked = true, typename Use>
decltype(auto) WithOperator(char op, Use&& use) {
  switch (op) {
    case '^':  // NAN and INF are results, not failures
      return use([](long double left, long double right) { return RealPower(left, right); });
    case '*':
      return use([](long double left, long double right) {
        return kChecked ? Multiply(left, right) : left * right;
      });
    case '/':
      return use([](long double left, long double right) { return Divide(left, right); });
    case '+':
      return use([](long double left, long double right) {
        return kChecked ? Add(left, right) : left + right;
      });
    default:
      return use([](long double left, long double right) {
        return kChecked ? Subtract(left, right) : left - right;
      });
  }
}

inline long double ApplyOperator(char op, long double left, long double right) {
  return WithOperator(op, [&](auto arithmetic) { return arithmetic(left, right); });
}

}  // namespace korvex
