// The scanner's classes of characters, which also decide what can be a name:
// a run of characters outside the number and operator classes, blanks and
// braces is one name token.
#pragma once

namespace korvex {

inline bool IsDigitClass(char c) { return (c >= '0' && c <= '9') || c == ',' || c == '.'; }

inline bool IsOperatorClass(char c) {
  switch (c) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '^':
    case '(':
    case ')':
    case '[':
    case ']':
    case ';':
      return true;
    default:
      return false;
  }
}

// Whether the scanner keeps `c` inside a name token; `{` opens a literal.
inline bool IsNameCharacter(char c) {
  return !IsDigitClass(c) && !IsOperatorClass(c) && c != ' ' && c != '{';
}

}  // namespace korvex
