// The x values a plot run samples and the inputs each sample writes into the
// expression.
#pragma once

namespace korvex {

// x starts at `start` and moves by repeated addition of `increment` while it
// stays below end() (the stop plus one increment): the samples every source
// walks, in the same order and with the same rounding. With the derivative
// each sample writes x + epsilon into the first copy of the expression and
// x - epsilon into the second.
struct SampleRange {
  long double start = 0;
  long double stop = 0;
  long double increment = 1;
  long double epsilon = 0;
  bool derivative = false;

  long double end() const { return stop + increment; }
  long double PlusInput(long double x) const { return derivative ? x + epsilon : x; }
  long double MinusInput(long double x) const { return derivative ? x - epsilon : x; }
};

}  // namespace korvex
