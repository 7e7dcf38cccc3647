// Areas, circumferences and volumes of plane figures and solids, and the sums
// of arithmetic and geometric sequences.
#include <cmath>
#include <initializer_list>

#include "engine/arithmetic.h"
#include "engine/function_table.h"

namespace korvex {
namespace {

// The circle constants are the double-precision values, carried into
// extended arithmetic; only one third is at full extended precision.
constexpr long double kPi = 3.141592653589793;
constexpr long double kTwoPi = 6.283185307179586;
constexpr long double kFourPi = 12.566370614359172;
constexpr long double kThird = 1.0L / 3.0L;

// Squares and cubes go through the real power routine, which writes an
// overflow back as INF instead of failing.
long double Square(long double x) { return std::pow(x, 2.0L); }
long double Cube(long double x) { return std::pow(x, 3.0L); }

// Left to right, as the formulas are written: ((a * b) * c) ...
long double Product(std::initializer_list<long double> factors) {
  const long double* it = factors.begin();
  long double product = *it;
  for (++it; it != factors.end(); ++it) product = Multiply(product, *it);
  return product;
}

long double EllipseCircumference(long double x, long double y) {
  const long double mean_square = Multiply(Add(Square(x), Square(y)), 0.5L);
  return Product({std::sqrt(mean_square), kTwoPi, 0.5L});
}

long double PolygonArea(long double sides, long double radius) {
  return Product({Square(radius), sides, std::sin(Divide(kTwoPi, sides)), 0.5L});
}

// The whole surface: base plus mantle.
long double ConeSurface(long double radius, long double height) {
  const long double slant = std::sqrt(Add(Square(radius), Square(height)));
  return Product({kPi, radius, Add(radius, slant)});
}

// (1 - r^n) * a / (1 - r); a ratio of 1 makes it 0 / 0.
long double GeometricSum(long double a, long double r, long double n) {
  const long double p = (r == 0 && n == 0) ? 1.0L : std::pow(r, n);
  return Divide(Multiply(Subtract(1, p), a), Subtract(1, r));
}

struct Entry {
  const char* name;
  FunctionBody body;
};

// The parameters x, y, z are a[0], a[1], a[2].
const Entry kGeometryFunctions[] = {
    // Plane figures.
    {"asquare", [](FunctionArgs a, FunctionState&) { return Square(a[0]); }},
    {"acircle", [](FunctionArgs a, FunctionState&) { return Multiply(kPi, Square(a[0])); }},
    {"ccircle", [](FunctionArgs a, FunctionState&) { return Multiply(kTwoPi, a[0]); }},
    {"arectangle", [](FunctionArgs a, FunctionState&) { return Multiply(a[0], a[1]); }},
    {"atriangle",
     [](FunctionArgs a, FunctionState&) {
       return Product({a[0], a[1], 0.5L});
     }},
    {"aellipse",
     [](FunctionArgs a, FunctionState&) {
       return Product({kPi, a[0], a[1], 0.25L});
     }},
    {"cellipse", [](FunctionArgs a, FunctionState&) { return EllipseCircumference(a[0], a[1]); }},
    {"apolygon", [](FunctionArgs a, FunctionState&) { return PolygonArea(a[0], a[1]); }},
    {"atrapezoid",
     [](FunctionArgs a, FunctionState&) {
       return Product({a[2], 0.5L, Add(a[0], a[1])});
     }},
    // Solids.
    {"vcube", [](FunctionArgs a, FunctionState&) { return Cube(a[0]); }},
    {"vsphere",
     [](FunctionArgs a, FunctionState&) {
       return Product({Cube(a[0]), kPi, 4, kThird});
     }},
    {"asphere", [](FunctionArgs a, FunctionState&) { return Multiply(kFourPi, Square(a[0])); }},
    {"vcylinder",
     [](FunctionArgs a, FunctionState&) {
       return Product({Square(a[0]), kPi, a[1]});
     }},
    {"vcone",
     [](FunctionArgs a, FunctionState&) {
       return Product({Square(a[0]), kPi, a[1], kThird});
     }},
    {"acone", [](FunctionArgs a, FunctionState&) { return ConeSurface(a[0], a[1]); }},
    {"vrectangle",
     [](FunctionArgs a, FunctionState&) {
       return Product({a[0], a[1], a[2]});
     }},
    {"vpyramid",
     [](FunctionArgs a, FunctionState&) {
       return Product({a[0], a[1], a[2], kThird});
     }},
    {"vellipse",
     [](FunctionArgs a, FunctionState&) {
       return Product({kPi, a[0], a[1], a[2], 4, kThird});
     }},
    // Sequence sums.
    {"asequence",
     [](FunctionArgs a, FunctionState&) {
       return Product({Add(a[0], a[1]), a[2], 0.5L});
     }},
    {"gsequence", [](FunctionArgs a, FunctionState&) { return GeometricSum(a[0], a[1], a[2]); }},
};

}  // namespace

void RegisterGeometryFunctions(FunctionTable& table) {
  for (const Entry& entry : kGeometryFunctions) table.Add(entry.name, entry.body);
}

}  // namespace korvex
