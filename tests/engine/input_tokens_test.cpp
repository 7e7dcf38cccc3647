// What the input's colours are made of: the scanner's tokens of the typed
// text, each with what it names, and the brackets paired.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/input_tokens.h"

namespace korvex {
namespace {

using Kind = InputTokenKind;

struct Names {
  Catalogue functions = Catalogue::FromLines({"gcd#I#2#greatest common divisor"});
  Catalogue constants = Catalogue::FromLines({"pi#M#3,14159265358979#the circle's ratio"});
  VariableTable variables = {UserVariable{"rate", "5"}};
  InputNames Get(std::string_view plot_variable = {}) const {
    return {&functions, &constants, &variables, plot_variable};
  }
};

// Each token as "kind:text" of the input.
std::vector<std::string> Shown(std::string_view text, const InputNames& names) {
  static const char* const kNames[] = {"num", "const", "var",     "func",
                                       "op",  "br",    "literal", "unknown"};
  std::vector<std::string> shown;
  for (const InputToken& token : ClassifyInput(text, names))
    shown.push_back(
        std::string(kNames[static_cast<int>(token.kind)]) + ":" +
        std::string(text.substr(token.place.start, token.place.end - token.place.start)));
  return shown;
}

TEST(InputTokensTest, NamesEachTokenAsTheEngineResolvesIt) {
  const Names names;
  struct Case {
    const char* text;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {"2+3,5*4", {"num:2", "op:+", "num:3,5", "op:*", "num:4"}},
      {"-2.5^2", {"num:-2.5", "op:^", "num:2"}},
      {"gcd[12;18]", {"func:gcd", "br:[", "num:12", "op:;", "num:18", "br:]"}},
      {"2+foo[1]", {"num:2", "op:+", "unknown:foo", "br:[", "num:1", "br:]"}},
      {"2pi+ans", {"num:2", "const:pi", "op:+", "const:ans"}},
      {"rate*x", {"var:rate", "op:*", "unknown:x"}},
      {"{1E3}+1", {"literal:{1E3}", "op:+", "num:1"}},
      {"2(1+x)", {"num:2", "br:(", "num:1", "op:+", "unknown:x", "br:)"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Shown(c.text, names.Get()), c.shown) << c.text;
  // While plotting, the plot variable is a variable.
  EXPECT_EQ(Shown("rate*x", names.Get("x")),
            (std::vector<std::string>{"var:rate", "op:*", "var:x"}));
}

TEST(InputTokensTest, PairsBracketsAndLeavesTheUnbalancedAlone) {
  const Names names;
  const std::vector<InputToken> tokens = ClassifyInput("(1+[2)]", names.Get());
  // ( 1 + [ 2 ) ]: each kind pairs on its own, as the bracket check counts.
  ASSERT_EQ(tokens.size(), 7u);
  EXPECT_EQ(tokens[0].partner, 5u);
  EXPECT_EQ(tokens[3].partner, 6u);
  const std::vector<InputToken> open = ClassifyInput("2*(1+(3)", names.Get());
  EXPECT_EQ(open[2].partner, InputToken::kNoPartner);
  EXPECT_EQ(open[5].partner, 7u);
  EXPECT_EQ(ClassifyInput(")", names.Get())[0].partner, InputToken::kNoPartner);
}

TEST(InputTokensTest, FindsTheBracketBesideTheCaret) {
  const Names names;
  const std::vector<InputToken> tokens = ClassifyInput("(1)+(2)", names.Get());
  EXPECT_EQ(BracketAtCaret(tokens, 0), 0u);  // before "("
  EXPECT_EQ(BracketAtCaret(tokens, 3), 2u);  // after ")"
  EXPECT_EQ(BracketAtCaret(tokens, 4), 4u);  // after "+", before "("
  EXPECT_EQ(BracketAtCaret(tokens, 1), 0u);  // after "("
  EXPECT_EQ(BracketAtCaret(ClassifyInput("1+2", names.Get()), 1), InputToken::kNoPartner);
}

TEST(InputTokensTest, CountsPlacesInCharacters) {
  const Names names;
  // "é" is two bytes of UTF-8 but one character of the input.
  const std::vector<InputToken> tokens = ClassifyInput("\xC3\xA9+{2}", names.Get());
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[1].place.start, 1u);
  EXPECT_EQ(tokens[2].kind, Kind::kLiteral);
  EXPECT_EQ(tokens[2].place.start, 2u);
}

}  // namespace
}  // namespace korvex
