// Arithmetic failures and the checked operations that raise them. A failure
// abandons the whole request; its text is shown to the user as it stands.
#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace korvex {

inline constexpr const char* kDivisionByZero = "Floating point division by zero";
inline constexpr const char* kInvalidOperation = "Invalid floating point operation";
inline constexpr const char* kOverflow = "Floating point overflow";

class ArithmeticFailure : public std::runtime_error {
 public:
  explicit ArithmeticFailure(const std::string& text) : std::runtime_error(text) {}
};

// Checked operations follow the 80-bit unit with invalid operation, division
// by zero and overflow trapped: a NAN result fails unless an operand was
// NAN already, an infinite one fails when both operands were finite.
// Inline because every operator of every sample passes through it; only a
// non-finite result takes the call.
long double CheckedNonFiniteResult(long double result, long double a, long double b);
inline long double CheckedResult(long double result, long double a, long double b) {
  if (std::isfinite(result)) [[likely]]
    return result;
  return CheckedNonFiniteResult(result, a, b);
}

inline long double Add(long double a, long double b) { return CheckedResult(a + b, a, b); }
inline long double Subtract(long double a, long double b) { return CheckedResult(a - b, a, b); }
inline long double Multiply(long double a, long double b) { return CheckedResult(a * b, a, b); }
long double Divide(long double a, long double b);

// sgn of the value rounded to double: -1, 0 or 1.
long double Sgn(long double x);
// Toward zero: sgn(x) * floor(|x|).
long double Trunc(long double x);
// Truncated to 64 bits (invalid operation from about 9.2E18), then the low
// 32 bits as a signed value.
std::int32_t Int32(long double x);
// Truncated to a signed 64-bit integer; invalid operation when it does not fit.
std::int64_t Int64(long double x);

}  // namespace korvex
