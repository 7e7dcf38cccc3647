#include "engine/bits.h"

#include <cmath>

#include "engine/arithmetic.h"

namespace korvex {

long double CountBits(long double x, char mode) {
  long double a = std::floor(x);
  long double zeros = 0;
  long double ones = 0;
  if (a == 0) zeros = 1;
  while (a > 0) {
    if (Int64(a) % 2 != 0) {
      ones += 1;
      a = std::floor(a / 2);
    } else {
      zeros += 1;
      a = a / 2;
    }
  }
  if (mode == '0') return zeros;
  if (mode == '1') return ones;
  return zeros + ones;
}

}  // namespace korvex
