// Failing expressions and the part of the typed text each failure points
// at, shared by the engine's, the main window's and korvex-cli's tests.
#pragma once

#include <vector>

#include "engine/error_sink.h"
#include "engine/user_variables.h"

namespace korvex::testing {

struct ErrorPlaceCase {
  const char* text;
  VariableTable variables;
  const char* message;
  SourceRange place;  // characters [start, end)
};

inline const std::vector<ErrorPlaceCase>& ErrorPlaceCases() {
  static const std::vector<ErrorPlaceCase> cases = {
      // Brackets: the opener left open, or the closer without one.
      {"2*(3+4", {}, "One or more ( ) are unbalanced", {2, 3}},
      {"((1)+2", {}, "One or more ( ) are unbalanced", {0, 1}},
      {"2+3)*4", {}, "One or more ( ) are unbalanced", {3, 4}},
      {"sin[1+2", {}, "One or more [ ] are unbalanced", {3, 4}},
      // The check stops at the stray "]"; the "(" before it is still open.
      {"(]1)", {}, "One or more ( ) are unbalanced", {0, 1}},
      {"2+()", {}, "Need something to evaluate inside ( )", {2, 4}},
      {"1+{}", {}, "Need something to evaluate inside { }", {2, 4}},
      // Names and calls.
      {"2+foo[1]",
       {},
       "'foo' is not a function. See (View/Functions) for a list of all available functions",
       {2, 5}},
      {"1+gcd[1]", {}, "Function 'gcd' need 2 parameter(s), got 1", {2, 8}},
      {"5+gcd[4;x]", {}, "Invalid input in parameter 2 for function 'gcd'", {8, 9}},
      // Operators: a result stands for everything it was computed from,
      // brackets included; an inserted "*" adds nothing of its own.
      {"1+2/0", {}, "Could not calculate '2/0'", {2, 5}},
      {"2*(1+1)/0", {}, "Could not calculate '4/0'", {0, 9}},
      {"7+ 2x", {}, "Could not calculate '2*x'", {3, 5}},
      {"sin[0]/0", {}, "Could not calculate '0/0'", {0, 8}},
      {"3+", {}, "Invalid argument '3+'", {0, 2}},
      // Number texts: the braces and the spaces around them count.
      {"1,2,3", {}, "'1,2,3' is not a number", {0, 5}},
      {"  {abc}", {}, "'abc' is not a number", {2, 7}},
      // Characters, not bytes.
      {"\xc3\xa9+1/0", {}, "Could not calculate '1/0'", {2, 5}},
      // A user variable's expression stands where its name was typed, however
      // deeply the names nest and whichever step fails.
      {"3+v*1", {{"v", "1/0"}}, "Could not calculate '1/0'", {2, 3}},
      {"3+ww", {{"ww", "v*2"}, {"v", "foo"}}, "Could not calculate 'foo*2'", {2, 4}},
      {"2*v", {{"v", "{}"}}, "Need something to evaluate inside { }", {2, 3}},
      {"2*v", {{"v", "(1"}}, "One or more ( ) are unbalanced", {2, 3}},
      {"2*v", {{"v", ""}}, "Need something to evaluate", {2, 3}},
      {"1+v",
       {{"v", "v+1"}},
       "Loop control limit has exceeded. See (Tools/User variables/Assignments)",
       {2, 3}},
  };
  return cases;
}

}  // namespace korvex::testing
