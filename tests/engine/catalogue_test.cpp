// Catalogue building from lines, and the two catalogue files shipped in bin/:
// every built-in function with its parameter count, and usable constants.
#include "engine/catalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/function_table.h"
#include "engine/number_text.h"
#include "test_support.h"

namespace korvex {
namespace {

using Fields = std::vector<std::string>;

Fields EntryAt(const Catalogue& catalogue, size_t i) {
  return {catalogue.names()[i], catalogue.categories()[i], catalogue.thirds()[i],
          catalogue.descriptions()[i]};
}

TEST(CatalogueFromLines, SortsByWholeLineIgnoringCaseAndKeepsFieldsTogether) {
  const Catalogue catalogue = Catalogue::FromLines({"sinh#h#1#x", "Sin#t#1#y", "abs#m#1#z"});
  ASSERT_EQ(catalogue.size(), 3u);
  EXPECT_EQ(EntryAt(catalogue, 0), (Fields{"abs", "m", "1", "z"}));
  EXPECT_EQ(EntryAt(catalogue, 1), (Fields{"Sin", "t", "1", "y"}));
  EXPECT_EQ(EntryAt(catalogue, 2), (Fields{"sinh", "h", "1", "x"}));
}

TEST(CatalogueFromLines, SplitsAtRunsOfHashesAndIgnoresFieldsAfterTheFourth) {
  const struct {
    const char* line;
    Fields fields;
  } cases[] = {
      {"a##b#d#e", {"a", "b", "d", "e"}},
      {"#a#b#c#d#", {"a", "b", "c", "d"}},
      {"a#b#c#d#extra#more", {"a", "b", "c", "d"}},
      {"pi#g#3,14159265358979#Ratio of circumference to diameter",
       {"pi", "g", "3,14159265358979", "Ratio of circumference to diameter"}},
      {" x # y #1#  d ", {" x ", " y ", "1", "  d "}},  // blanks are kept
  };
  for (const auto& c : cases) {
    const Catalogue catalogue = Catalogue::FromLines({c.line});
    ASSERT_EQ(catalogue.size(), 1u) << c.line;
    EXPECT_EQ(EntryAt(catalogue, 0), c.fields) << c.line;
  }
}

TEST(CatalogueFromLines, SkipsLinesWithFewerThanFourFieldsSoTheListsStayAligned) {
  const Catalogue catalogue =
      Catalogue::FromLines({"bee#x#1#first", "abc#m#2", "", "###", "b#c", "cat#y#3#second", "z"});
  ASSERT_EQ(catalogue.size(), 2u);
  EXPECT_EQ(catalogue.categories().size(), 2u);
  EXPECT_EQ(catalogue.thirds().size(), 2u);
  EXPECT_EQ(catalogue.descriptions().size(), 2u);
  EXPECT_EQ(EntryAt(catalogue, 0), (Fields{"bee", "x", "1", "first"}));
  EXPECT_EQ(EntryAt(catalogue, 1), (Fields{"cat", "y", "3", "second"}));
  EXPECT_FALSE(catalogue.Find("abc"));
  EXPECT_TRUE(Catalogue::FromLines({}).empty());
}

TEST(CatalogueFind, TakesTheFirstExactlyEqualNameInCatalogueOrder) {
  // File order puts "later" first; sorting puts "earlier" first, and that wins.
  const Catalogue catalogue =
      Catalogue::FromLines({"pi#g#3#later", "PI#g#4#upper", "pi#g#3#earlier", "pie#g#5#other"});
  const struct {
    const char* name;
    std::optional<std::string> description;
  } cases[] = {
      {"pi", "earlier"},    {"PI", "upper"},     {"pie", "other"},
      {"Pi", std::nullopt}, {"p", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& c : cases) {
    const std::optional<size_t> index = catalogue.Find(c.name);
    ASSERT_EQ(index.has_value(), c.description.has_value()) << c.name;
    if (index) {
      EXPECT_EQ(catalogue.names()[*index], c.name);
      EXPECT_EQ(catalogue.descriptions()[*index], *c.description) << c.name;
    }
  }
}

// Every built-in function and the parameter count its family declares; "0"
// stands for any number of parameters.
struct ExpectedFunction {
  const char* name;
  const char* count;
};

// clang-format off
constexpr ExpectedFunction kExpectedFunctions[] = {
    // Trigonometric
    {"sin", "1"}, {"cos", "1"}, {"tan", "1"}, {"sec", "1"}, {"csc", "1"}, {"cot", "1"},
    {"tanxy", "2"}, {"asin", "1"}, {"acos", "1"}, {"atan", "1"}, {"asec", "1"}, {"acsc", "1"},
    {"acot", "1"}, {"atanxy", "2"},
    // Hyperbolic
    {"sinh", "1"}, {"cosh", "1"}, {"tanh", "1"}, {"sech", "1"}, {"csch", "1"}, {"coth", "1"},
    {"tanhxy", "2"}, {"asinh", "1"}, {"acosh", "1"}, {"atanh", "1"}, {"asech", "1"},
    {"acsch", "1"}, {"acoth", "1"}, {"atanhxy", "2"},
    // Cardinal and Gudermannian
    {"sinc", "1"}, {"tanc", "1"}, {"sinhc", "1"}, {"tanhc", "1"}, {"gd", "1"}, {"agd", "1"},
    // Exponential, logarithms, roots
    {"exp", "1"}, {"ln", "1"}, {"lg", "1"}, {"sqrt", "1"}, {"reciprocal", "1"},
    // Absolute value, sign, rounding
    {"abs", "1"}, {"sign", "1"}, {"floor", "1"}, {"ceiling", "1"}, {"int", "1"},
    {"expand", "1"}, {"round", "1"}, {"fractionalpart", "1"}, {"fractionalvalue", "1"},
    // Angle conversions
    {"deg>rad", "1"}, {"rad>deg", "1"}, {"gra>rad", "1"}, {"rad>gra", "1"}, {"cyc>rad", "1"},
    {"rad>cyc", "1"}, {"deg>gra", "1"}, {"deg>cyc", "1"}, {"gra>deg", "1"}, {"gra>cyc", "1"},
    {"cyc>deg", "1"}, {"cyc>gra", "1"},
    // Temperature and length conversions
    {"cel>fah", "1"}, {"fah>cel", "1"}, {"cel>kel", "1"}, {"kel>cel", "1"}, {"cel>ran", "1"},
    {"ran>cel", "1"}, {"cel>rea", "1"}, {"rea>cel", "1"}, {"fah>kel", "1"}, {"kel>fah", "1"},
    {"fah>ran", "1"}, {"ran>fah", "1"}, {"fah>rea", "1"}, {"rea>fah", "1"}, {"kel>ran", "1"},
    {"ran>kel", "1"}, {"kel>rea", "1"}, {"rea>kel", "1"}, {"rea>ran", "1"}, {"ran>rea", "1"},
    {"feet>meter", "1"}, {"meter>feet", "1"},
    // Factorials and combinatorial counts
    {"factorial", "1"}, {"doublefactorial", "1"}, {"multifactorial", "2"},
    {"subfactorial", "1"}, {"hyperfactorial", "1"}, {"pochhammer", "2"},
    {"fallingfactorial", "2"}, {"factorialreal", "1"}, {"npr", "2"}, {"ncr", "2"},
    {"nprreal", "2"}, {"ncrreal", "2"}, {"triangleco", "3"},
    // Integer sequences
    {"fibonacci", "1"}, {"lucas", "1"}, {"linearrecursion", "3"}, {"fibonaccireal", "1"},
    // Primes, divisibility, digit counts
    {"prime", "1"}, {"primepi", "1"}, {"even", "1"}, {"odd", "1"}, {"quotient", "2"},
    {"mod", "2"}, {"gcd", "2"}, {"lcm", "2"}, {"zerocount", "1"}, {"digitcount", "1"},
    {"bitcount", "1"},
    // Powers, roots, logarithms
    {"power", "2"}, {"integralpower", "2"}, {"powertower", "2"}, {"root", "2"}, {"log", "2"},
    {"colog", "2"}, {"hypot", "2"}, {"roundto", "2"},
    // Bitwise
    {"not", "1"}, {"and", "2"}, {"or", "2"}, {"xor", "2"}, {"nand", "2"}, {"nor", "2"},
    {"xnor", "2"}, {"lsh", "2"}, {"rsh", "2"},
    // Relational
    {"==", "2"}, {"!=", "2"}, {">", "2"}, {">=", "2"}, {"<", "2"}, {"<=", "2"},
    // Random
    {"random", "1"}, {"randomrange", "2"}, {"randomgaussian", "2"},
    // Plane figures and solids
    {"asquare", "1"}, {"acircle", "1"}, {"ccircle", "1"}, {"arectangle", "2"},
    {"atriangle", "2"}, {"aellipse", "2"}, {"cellipse", "2"}, {"apolygon", "2"},
    {"atrapezoid", "3"}, {"vcube", "1"}, {"vsphere", "1"}, {"asphere", "1"},
    {"vcylinder", "2"}, {"vcone", "2"}, {"acone", "2"}, {"vrectangle", "3"}, {"vpyramid", "3"},
    {"vellipse", "3"},
    // Sequence sums
    {"asequence", "3"}, {"gsequence", "3"},
    // Statistics
    {"count", "0"}, {"sum", "0"}, {"mean", "0"}, {"min", "0"}, {"max", "0"}, {"median", "0"},
    {"sumsquares", "0"}, {"norm", "0"}, {"statvar", "0"}, {"popvar", "0"}, {"var", "0"},
    {"popstddev", "0"}, {"stddev", "0"},
    // Financial
    {"sldepreciation", "3"}, {"sydepreciation", "4"}, {"ddbalance", "4"},
    {"efuturevalue", "4"}, {"sfuturevalue", "4"}, {"epresentvalue", "4"},
    {"spresentvalue", "4"}, {"epayment", "4"}, {"spayment", "4"}, {"eperiods", "4"},
    {"speriods", "4"}, {"einterestrate", "4"}, {"sinterestrate", "4"}, {"einterestpay", "5"},
    {"sinterestpay", "5"}, {"eperiodpay", "5"}, {"speriodpay", "5"},
};
// clang-format on
static_assert(std::size(kExpectedFunctions) == 186);

const std::set<std::string> kFunctionCategories = {"b",  "c", "cu", "f", "g", "h",
                                                   "mi", "m", "p",  "r", "s", "t"};
const std::set<std::string> kConstantCategories = {"a", "as", "c",  "g", "gr",
                                                   "m", "p",  "pr", "r", "w"};

// A catalogue file as shipped: its raw text and its lines.
struct ShippedFile {
  std::string text;
  std::vector<std::string> lines;
};

// The tests run with KORVEX_DATA_DIR set to the build directory, whose bin/
// holds a copy of data/bin.
std::optional<ShippedFile> ReadShipped(const std::string& relative, std::string& error) {
  const char* data_dir = std::getenv("KORVEX_DATA_DIR");
  if (data_dir == nullptr || *data_dir == '\0') {
    error =
        "KORVEX_DATA_DIR is not set; run the test through ctest or set it to the build "
        "directory (the one holding bin/)";
    return std::nullopt;
  }
  const std::filesystem::path path = std::filesystem::path(data_dir) / "bin" / relative;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path.string();
    return std::nullopt;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  ShippedFile file{buffer.str(), {}};
  for (size_t start = 0; start < file.text.size();) {
    const size_t end = file.text.find("\r\n", start);
    if (end == std::string::npos) {
      file.lines.push_back(file.text.substr(start));
      break;
    }
    file.lines.push_back(file.text.substr(start, end - start));
    start = end + 2;
  }
  return file;
}

class ShippedCatalogues : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    auto functions = ReadShipped("functions/functions.ini", error);
    ASSERT_TRUE(functions) << error;
    auto constants = ReadShipped("constants/constants.ini", error);
    ASSERT_TRUE(constants) << error;
    function_file_ = std::move(*functions);
    constant_file_ = std::move(*constants);
    functions_ = Catalogue::FromLines(function_file_.lines);
    constants_ = Catalogue::FromLines(constant_file_.lines);
  }

  ShippedFile function_file_, constant_file_;
  Catalogue functions_, constants_;
};

TEST_F(ShippedCatalogues, EveryLineIsAFourFieldEntryEndedByCrLf) {
  for (const ShippedFile* file : {&function_file_, &constant_file_}) {
    ASSERT_FALSE(file->lines.empty());
    EXPECT_TRUE(file->text.ends_with("\r\n"));
    for (const std::string& line : file->lines) {
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line break in " << line;
      EXPECT_EQ(SplitHashFields(line).size(), 4u) << line;
    }
  }
  EXPECT_EQ(functions_.size(), function_file_.lines.size());
  EXPECT_EQ(constants_.size(), constant_file_.lines.size());
}

TEST_F(ShippedCatalogues, FunctionCatalogueListsEveryFunctionOnceWithItsParameterCount) {
  std::set<std::string> expected_names;
  for (const ExpectedFunction& f : kExpectedFunctions) {
    EXPECT_TRUE(expected_names.insert(f.name).second) << "test table repeats " << f.name;
    const std::optional<size_t> index = functions_.Find(f.name);
    ASSERT_TRUE(index) << "missing from functions.ini: " << f.name;
    EXPECT_EQ(functions_.thirds()[*index], f.count) << f.name;
  }
  std::set<std::string> seen;
  for (const std::string& name : functions_.names()) {
    EXPECT_TRUE(seen.insert(name).second) << "listed twice: " << name;
    EXPECT_TRUE(expected_names.contains(name)) << "not a built-in function: " << name;
  }
  EXPECT_EQ(functions_.size(), std::size(kExpectedFunctions));
}

TEST_F(ShippedCatalogues, FunctionEntriesHaveKnownCategoriesAndUsableDescriptions) {
  for (size_t i = 0; i < functions_.size(); ++i) {
    const std::string& name = functions_.names()[i];
    EXPECT_TRUE(kFunctionCategories.contains(functions_.categories()[i]))
        << name << " has category " << functions_.categories()[i];
    EXPECT_GE(functions_.descriptions()[i].size(), 10u) << name;
  }
}

TEST_F(ShippedCatalogues, EveryCataloguedFunctionIsComputed) {
  const FunctionTable& table = BuiltinFunctions();
  for (const std::string& name : functions_.names())
    EXPECT_NE(table.Find(name), nullptr) << "no body for " << name;
  EXPECT_EQ(table.size(), functions_.size()) << "bodies and catalogue entries differ in number";
}

TEST_F(ShippedCatalogues, ConstantValuesAreEngineNumberTextsThatSurviveARoundTrip) {
  for (size_t i = 0; i < constants_.size(); ++i) {
    const std::string& name = constants_.names()[i];
    const std::string& value = constants_.thirds()[i];
    const std::optional<long double> number = StrToFloat(value);
    if (!number) {
      ADD_FAILURE() << "not a number text: " << name << " = " << value;
      continue;
    }
    // FloatToStr writes at most 15 significant digits, so an unchanged round
    // trip also means the text carries no more than the engine keeps.
    EXPECT_EQ(FloatToStr(*number), value) << name;
  }
}

TEST_F(ShippedCatalogues, PiAndEHaveTheEngineValues) {
  const struct {
    const char* name;
    const char* value;
  } cases[] = {{"pi", "3,14159265358979"}, {"e", "2,71828182845905"}};
  for (const auto& c : cases) {
    const std::optional<size_t> index = constants_.Find(c.name);
    ASSERT_TRUE(index) << c.name;
    EXPECT_EQ(constants_.thirds()[*index], c.value);
  }
}

TEST_F(ShippedCatalogues, ConstantNamesScanAsOneNameAndHideNothing) {
  testing::RecordingSink sink;
  Engine engine(sink);
  std::set<std::string> seen;
  for (const std::string& name : constants_.names()) {
    EXPECT_TRUE(seen.insert(name).second) << "listed twice: " << name;
    EXPECT_TRUE(engine.ScanExpression(name)) << name;
    EXPECT_EQ(engine.tokens(), TokenList{name})
        << name << " scans as " << testing::Joined(engine.tokens());
    EXPECT_NE(name, "ans");
    EXPECT_FALSE(functions_.Find(name)) << name << " is also a function";
  }
  EXPECT_TRUE(sink.reports.empty());
}

TEST_F(ShippedCatalogues, EveryConstantCategoryIsKnownAndUsed) {
  std::set<std::string> used;
  for (size_t i = 0; i < constants_.size(); ++i) {
    EXPECT_TRUE(kConstantCategories.contains(constants_.categories()[i]))
        << constants_.names()[i] << " has category " << constants_.categories()[i];
    used.insert(constants_.categories()[i]);
  }
  EXPECT_EQ(used, kConstantCategories);
}

}  // namespace
}  // namespace korvex
