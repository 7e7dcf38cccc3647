// CountBits: binary digits of floor(x), shared by the function library
// (zerocount, digitcount, bitcount) and the answer's status-bar bit count.
#pragma once

namespace korvex {

// Mode '0' counts the zero digits, '1' the one digits, anything else all
// digits. 0 has one zero digit; a negative x gives 0 in every mode. The
// parity of each step comes from the 64-bit integer value, so a value from
// about 9.2E18 on is an invalid operation (ArithmeticFailure).
long double CountBits(long double x, char mode);

}  // namespace korvex
