// Escaping and base64 for the report formats.
#include "report/markup.h"

#include "output/html_entity.h"

namespace korvex {

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    // Bytes of UTF-8 sequences are never one of the escaped characters.
    if (const char* entity = HtmlEntity(static_cast<unsigned char>(c)))
      out += entity;
    else
      out += c;
  }
  return out;
}

std::string EscapeMarkdownCell(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n' || c == '\r') {
      out += ' ';
      continue;
    }
    if (c == '|' || c == '*' || c == '_' || c == '`' || c == '[' || c == ']' || c == '\\' ||
        c == '<' || c == '#')
      out += '\\';
    out += c;
  }
  return out;
}

std::string Base64(std::string_view bytes) {
  static constexpr char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned n = static_cast<unsigned char>(bytes[i]) << 16 |
                       static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
    out += kDigits[n >> 18 & 63];
    out += kDigits[n >> 12 & 63];
    out += kDigits[n >> 6 & 63];
    out += kDigits[n & 63];
  }
  if (i < bytes.size()) {
    unsigned n = static_cast<unsigned char>(bytes[i]) << 16;
    const bool two = i + 1 < bytes.size();
    if (two) n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kDigits[n >> 18 & 63];
    out += kDigits[n >> 12 & 63];
    out += two ? kDigits[n >> 6 & 63] : '=';
    out += '=';
  }
  return out;
}

}  // namespace korvex
