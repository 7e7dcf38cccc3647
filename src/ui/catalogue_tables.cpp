// The Functions and Constants windows' texts and category tables.
#include "ui/catalogue_tables.h"

#include <array>
#include <charconv>

namespace korvex {
namespace {

constexpr std::array<CategoryEntry, 12> kFunctionCategories = {{
    {"b", "Bitwise Operators"},
    {"c", "Conversion (Trig)"},
    {"cu", "Conversion (Unit)"},
    {"f", "Financial"},
    {"g", "Geometric"},
    {"h", "Hyperbolic"},
    {"mi", "Math (Integer)"},
    {"m", "Math (Real)"},
    {"p", "Probability"},
    {"r", "Relational Operators"},
    {"s", "Statistic"},
    {"t", "Trigonometric"},
}};

constexpr std::array<CategoryEntry, 10> kConstantCategories = {{
    {"a", "Algebraic"},
    {"as", "Astronomical"},
    {"c", "Continued fraction"},
    {"g", "Geometric"},
    {"gr", "Golden ratio"},
    {"m", "Miscellaneous"},
    {"p", "Physical"},
    {"pr", "Prime related"},
    {"r", "Recurrence relation"},
    {"w", "Well-known"},
}};

const CatalogueBrowserTexts kFunctionsTexts = {
    CatalogueKind::kFunctions,
    "Form8",
    "Functions",
    "function",
    "formula",
    "Choose a category",
    "Search for a function",
    "Choose a function",
    "Info about selected function",
    "Type in a function you want to find",
    "# of functions:",
    "Insert selected function to input expression",
    "Could not find function '",
    "Please select a function first!",
    kFunctionCategories,
};

const CatalogueBrowserTexts kConstantsTexts = {
    CatalogueKind::kConstants,
    "Form9",
    "Constants",
    "constant",
    "value",
    "Choose a category",
    "Search for a constant",
    "Choose a constant",
    "Info about selected constant",
    "Type in a constant you want to find",
    "# of constants:",
    "Insert selected constant to input expression",
    "Could not find constant '",
    "Please select a constant first!",
    kConstantCategories,
};

// No function of the library takes more parameters than this; a hand-edited
// catalogue cannot make the windows build texts of any length.
constexpr int kMaxParameterCount = 1000;

// The parameter count of a catalogue line. The catalogue is our own data;
// a count that is not a whole number in range is read as 0 rather than failing.
int ParameterCount(const std::string& third) {
  int count = 0;
  const auto [end, error] = std::from_chars(third.data(), third.data() + third.size(), count);
  if (error != std::errc() || end != third.data() + third.size() || count < 0 ||
      count > kMaxParameterCount)
    return 0;
  return count;
}

}  // namespace

const CatalogueBrowserTexts& FunctionsBrowserTexts() { return kFunctionsTexts; }
const CatalogueBrowserTexts& ConstantsBrowserTexts() { return kConstantsTexts; }

std::string InfoLabelText(CatalogueKind kind, const std::string& name, const std::string& third) {
  if (kind == CatalogueKind::kConstants) return name + " = " + third;
  if (third == "0") return name + "[n1;n2;...]";
  std::string pattern;
  const int count = ParameterCount(third);
  for (int n = 1; n <= count; ++n) {
    if (n > 1) pattern += ';';
    pattern += 'n' + std::to_string(n);
  }
  return name + "[" + pattern + "]";
}

std::string InsertionText(CatalogueKind kind, const std::string& name, const std::string& third) {
  if (kind == CatalogueKind::kConstants) return name;
  const int count = ParameterCount(third);
  std::string text = name + "[";
  if (count > 0) text += std::string(static_cast<size_t>(count - 1), ';') + "]";
  return text;
}

}  // namespace korvex
