// The characters HTML gives a meaning to in text and attribute values, and
// their entities: one table for every writer of HTML.
#pragma once

namespace korvex {

// The entity that stands for `code`; null for any character written as is.
constexpr const char* HtmlEntity(char32_t code) {
  switch (code) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    default:
      return nullptr;
  }
}

}  // namespace korvex
