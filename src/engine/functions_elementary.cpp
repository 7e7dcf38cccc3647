// The elementary family of ComputeFunction: trigonometric and hyperbolic
// functions and their inverses, exp and logarithms, rounding, unit conversions.
#include <cmath>
#include <cstddef>
#include <iterator>
#include <limits>
#include <utility>

#include "engine/arithmetic.h"
#include "engine/function_helpers.h"
#include "engine/function_table.h"

namespace korvex {
namespace {

// Angle factors at full extended precision.
constexpr long double kHalfPi = 1.5707963267948966192313216916397514L;
constexpr long double kTwoPi = 6.283185307179586476925286766559006L;
constexpr long double kPiOver180 = 0.017453292519943295769236907684886127L;
constexpr long double k180OverPi = 57.295779513082320876798154814105170L;
constexpr long double kPiOver200 = 0.015707963267948966192313216916397514L;
constexpr long double k200OverPi = 63.661977236758134307553505349005745L;
constexpr long double kLn2 = 0.69314718055994530941723212145817657L;

// The decimal factors of the temperature and length conversions are the
// nearest doubles carried into extended arithmetic, so meter>feet[1] reads
// 3,2808 and not a longer expansion. Only 4/9 is an extended constant.
constexpr long double kNineFifths = static_cast<long double>(1.8);
constexpr long double kFiveNinths = static_cast<long double>(0.5555555555555556);
constexpr long double kFourNinths = 4.0L / 9.0L;
constexpr long double kFourFifths = static_cast<long double>(0.8);
constexpr long double kCelsiusZero = static_cast<long double>(273.15);
constexpr long double kFahrenheitZero = static_cast<long double>(459.67);
constexpr long double kFeetToMeters = static_cast<long double>(0.3048);
constexpr long double kMetersToFeet = static_cast<long double>(3.2808);

// The inverse hyperbolic routines never fail. Beyond 1E10 the square terms
// could overflow, while the terms that ln(2x) = ln 2 + ln x leaves out are
// already below the last bit of the result.
long double Arsinh(long double x) {
  if (x == 0) return 0;
  const long double a = std::fabs(x);
  const long double r =
      a > 1E10L ? kLn2 + std::log(a) : Ln1p(a + a * a / (std::sqrt(a * a + 1) + 1));
  return x < 0 ? -r : r;
}

long double Arcosh(long double x) {
  if (x <= 1) return 0;
  if (x > 1E10L) return kLn2 + std::log(x);
  return std::log(x + std::sqrt((x - 1) * (x + 1)));
}

// At |x| >= 1 the value saturates at the largest finite number instead of
// becoming infinite, so atanh[1] stays a number the next stage can read.
long double Artanh(long double x) {
  if (x == 0) return 0;
  const long double a = std::fabs(x);
  const long double r =
      a >= 1 ? std::numeric_limits<long double>::max() : 0.5L * Ln1p(Divide(2 * a, 1 - a));
  return x < 0 ? -r : r;
}

// sgn(x) * ceiling(|x|): the integer next to x away from zero.
long double AwayFromZero(long double x) { return Multiply(Sgn(x), std::ceil(std::fabs(x))); }

// Nearest integer; an exact half goes to the even neighbour.
long double Round(long double x) {
  const long double f = Subtract(x, Trunc(x));
  if (std::fabs(f) > 0.5L) return AwayFromZero(x);
  if (std::fabs(f) >= 0.5L) {
    const long double t = Trunc(x);
    return std::fmod(t, 2.0L) == 0 ? t : AwayFromZero(x);
  }
  return Trunc(x);
}

// The binary logarithm traps on a non-positive argument instead of giving
// -INF or NAN like ln.
long double BinaryLog(long double x) {
  if (x == 0) throw ArithmeticFailure(kDivisionByZero);
  if (x < 0) throw ArithmeticFailure(kInvalidOperation);
  return Divide(std::log2(x), std::log2(2.0L));
}

// A cardinal form: f(x) / x, continued by its limit 1 at zero.
template <long double (*F)(long double)>
long double Cardinal(long double x) {
  return x == 0 ? 1 : Divide(F(x), x);
}

long double Sin(long double x) { return std::sin(x); }
long double Tan(long double x) { return std::tan(x); }
long double Sinh(long double x) { return std::sinh(x); }
long double Tanh(long double x) { return std::tanh(x); }

// Angle conversions pass through radians; a conversion from or to radians is
// the single step on the other side.
enum class Angle { kRad, kDeg, kGra, kCyc };

long double ToRadians(Angle unit, long double x) {
  switch (unit) {
    case Angle::kDeg:
      return Multiply(x, kPiOver180);
    case Angle::kGra:
      return Multiply(x, kPiOver200);
    case Angle::kCyc:
      return Multiply(x, kTwoPi);
    case Angle::kRad:
      break;
  }
  return x;
}

long double FromRadians(Angle unit, long double x) {
  switch (unit) {
    case Angle::kDeg:
      return Multiply(x, k180OverPi);
    case Angle::kGra:
      return Multiply(x, k200OverPi);
    case Angle::kCyc:
      return Divide(x, kTwoPi);
    case Angle::kRad:
      break;
  }
  return x;
}

// ---- Row kinds. Each table below is registered row by row; every row gets
// its own body instantiated from its position in the table.

struct Unary {
  const char* name;
  long double (*f)(long double);
  long double operator()(FunctionArgs p) const { return f(p[0]); }
};

struct Binary {
  const char* name;
  long double (*f)(long double, long double);
  long double operator()(FunctionArgs p) const { return f(p[0], p[1]); }
};

struct AngleConversion {
  const char* name;
  Angle from;
  Angle to;
  long double operator()(FunctionArgs p) const { return FromRadians(to, ToRadians(from, p[0])); }
};

// ((x + before[0]) + before[1]) * factor + after[0] + after[1], left to right
// as the formulas are written; zero offsets and the factor 1 are left out.
struct LinearConversion {
  const char* name;
  long double before[2];
  long double factor;
  long double after[2];
  long double operator()(FunctionArgs p) const {
    long double x = p[0];
    for (long double offset : before) {
      if (offset != 0) x = Add(x, offset);
    }
    if (factor != 1) x = Multiply(x, factor);
    for (long double offset : after) {
      if (offset != 0) x = Add(x, offset);
    }
    return x;
  }
};

// Domain failures of the reciprocal forms come from Divide: the reciprocal
// of zero or of a zero base value is a division by zero.
constexpr Unary kUnaryFunctions[] = {
    // Trigonometric.
    {"sin", Sin},
    {"cos", [](long double x) { return std::cos(x); }},
    {"tan", Tan},
    {"sec", [](long double x) { return Divide(1, std::cos(x)); }},
    {"csc", [](long double x) { return Divide(1, std::sin(x)); }},
    {"cot", [](long double x) { return Divide(1, std::tan(x)); }},
    {"asin", [](long double x) { return std::asin(x); }},
    {"acos", [](long double x) { return std::acos(x); }},
    {"atan", [](long double x) { return std::atan(x); }},
    {"asec", [](long double x) { return std::acos(Divide(1, x)); }},
    {"acsc", [](long double x) { return std::asin(Divide(1, x)); }},
    {"acot", [](long double x) { return std::atan(Divide(1, x)); }},
    // Hyperbolic.
    {"sinh", Sinh},
    {"cosh", [](long double x) { return std::cosh(x); }},
    {"tanh", Tanh},
    {"sech", [](long double x) { return Divide(1, std::cosh(x)); }},
    {"csch", [](long double x) { return Divide(1, std::sinh(x)); }},
    {"coth", [](long double x) { return Divide(1, std::tanh(x)); }},
    {"asinh", Arsinh},
    {"acosh", Arcosh},
    {"atanh", Artanh},
    {"asech", [](long double x) { return Arcosh(Divide(1, x)); }},
    {"acsch", [](long double x) { return Arsinh(Divide(1, x)); }},
    {"acoth", [](long double x) { return Artanh(Divide(1, x)); }},
    // Cardinal and Gudermannian.
    {"sinc", Cardinal<Sin>},
    {"tanc", Cardinal<Tan>},
    {"sinhc", Cardinal<Sinh>},
    {"tanhc", Cardinal<Tanh>},
    {"gd",
     [](long double x) {
       return Subtract(Multiply(2, std::atan(RealPower(kDoubleE, x))), kHalfPi);
     }},
    {"agd", [](long double x) { return std::log(Add(Divide(1, std::cos(x)), std::tan(x))); }},
    // Exponential, logarithms, roots.
    {"exp", [](long double x) { return std::exp(x); }},
    {"ln", [](long double x) { return std::log(x); }},
    {"lg", BinaryLog},
    {"sqrt", [](long double x) { return std::sqrt(x); }},
    {"reciprocal", [](long double x) { return Divide(1, x); }},
    // Absolute value, sign and rounding.
    {"abs", [](long double x) { return std::fabs(x); }},
    {"sign", Sgn},
    {"floor", [](long double x) { return std::floor(x); }},
    {"ceiling", [](long double x) { return std::ceil(x); }},
    {"int", Trunc},
    {"expand", AwayFromZero},
    {"round", Round},
    {"fractionalpart", [](long double x) { return Subtract(x, Trunc(x)); }},
    {"fractionalvalue", [](long double x) { return Subtract(x, std::floor(x)); }},
};

constexpr Binary kBinaryFunctions[] = {
    {"tanxy", [](long double x, long double y) { return Divide(std::sin(x), std::cos(y)); }},
    {"atanxy", [](long double x, long double y) { return std::atan2(x, y); }},
    {"tanhxy", [](long double x, long double y) { return Divide(std::sinh(x), std::cosh(y)); }},
    // y <= 1 makes the denominator 0: a division by zero, or 0 / 0 when x = 0.
    {"atanhxy", [](long double x, long double y) { return Divide(Arsinh(x), Arcosh(y)); }},
};

constexpr AngleConversion kAngleConversions[] = {
    {"deg>rad", Angle::kDeg, Angle::kRad}, {"rad>deg", Angle::kRad, Angle::kDeg},
    {"gra>rad", Angle::kGra, Angle::kRad}, {"rad>gra", Angle::kRad, Angle::kGra},
    {"cyc>rad", Angle::kCyc, Angle::kRad}, {"rad>cyc", Angle::kRad, Angle::kCyc},
    {"deg>gra", Angle::kDeg, Angle::kGra}, {"deg>cyc", Angle::kDeg, Angle::kCyc},
    {"gra>deg", Angle::kGra, Angle::kDeg}, {"gra>cyc", Angle::kGra, Angle::kCyc},
    {"cyc>deg", Angle::kCyc, Angle::kDeg}, {"cyc>gra", Angle::kCyc, Angle::kGra},
};

// Each formula keeps its own order of offsets, e.g. cel>ran adds 32 and then
// 459.67 rather than their sum, so results round as the formula reads.
constexpr LinearConversion kLinearConversions[] = {
    {"cel>fah", {0, 0}, kNineFifths, {32, 0}},
    {"fah>cel", {-32, 0}, kFiveNinths, {0, 0}},
    {"cel>kel", {kCelsiusZero, 0}, 1, {0, 0}},
    {"kel>cel", {-kCelsiusZero, 0}, 1, {0, 0}},
    {"cel>ran", {0, 0}, kNineFifths, {32, kFahrenheitZero}},
    {"ran>cel", {-32, -kFahrenheitZero}, kFiveNinths, {0, 0}},
    {"cel>rea", {0, 0}, kFourFifths, {0, 0}},
    {"rea>cel", {0, 0}, 1.25L, {0, 0}},
    {"fah>kel", {kFahrenheitZero, 0}, kFiveNinths, {0, 0}},
    {"kel>fah", {0, 0}, kNineFifths, {-kFahrenheitZero, 0}},
    {"fah>ran", {kFahrenheitZero, 0}, 1, {0, 0}},
    {"ran>fah", {-kFahrenheitZero, 0}, 1, {0, 0}},
    {"fah>rea", {-32, 0}, kFourNinths, {0, 0}},
    {"rea>fah", {0, 0}, 2.25L, {32, 0}},
    {"kel>ran", {0, 0}, kNineFifths, {0, 0}},
    {"ran>kel", {0, 0}, kFiveNinths, {0, 0}},
    {"kel>rea", {-kCelsiusZero, 0}, kFourFifths, {0, 0}},
    {"rea>kel", {0, 0}, 1.25L, {kCelsiusZero, 0}},
    {"rea>ran", {0, 0}, 2.25L, {32, kFahrenheitZero}},
    {"ran>rea", {-kFahrenheitZero, -32}, kFourNinths, {0, 0}},
    // Lengths.
    {"feet>meter", {0, 0}, kFeetToMeters, {0, 0}},
    {"meter>feet", {0, 0}, kMetersToFeet, {0, 0}},
};

template <const auto& kRows, std::size_t kIndex>
long double RowBody(FunctionArgs p, FunctionState&) {
  return kRows[kIndex](p);
}

template <const auto& kRows>
void AddRows(FunctionTable& table) {
  [&table]<std::size_t... kIndex>(std::index_sequence<kIndex...>) {
    (table.Add(kRows[kIndex].name, &RowBody<kRows, kIndex>), ...);
  }
  (std::make_index_sequence<std::size(kRows)>());
}

}  // namespace

void RegisterElementaryFunctions(FunctionTable& table) {
  AddRows<kUnaryFunctions>(table);
  AddRows<kBinaryFunctions>(table);
  AddRows<kAngleConversions>(table);
  AddRows<kLinearConversions>(table);
}

}  // namespace korvex
