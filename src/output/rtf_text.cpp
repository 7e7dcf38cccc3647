// The RTF reader behind the version history window.
#include "output/rtf_text.h"

#include <cstdint>
#include <string>
#include <vector>

#include "output/html_entity.h"

namespace korvex {
namespace {

struct CharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int half_points = 0;  // 0: the box's own size
  friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

struct GroupState {
  CharFormat format;
  bool skipped = false;  // inside a destination that is not text
  int unicode_skip = 1;  // \ucN: fallback characters after each \uN
};

struct Run {
  CharFormat format;
  std::string text;  // HTML-escaped already
};

// Destinations whose contents are not part of the text.
constexpr std::string_view kSkippedDestinations[] = {
    "fonttbl",   "colortbl", "stylesheet",        "info",      "pict",      "header", "footer",
    "headerl",   "headerr",  "footerl",           "footerr",   "listtable", "object", "themedata",
    "datastore", "xmlnstbl", "listoverridetable", "generator",
};

// Control words that stand for one character.
struct SymbolWord {
  std::string_view word;
  std::string_view text;  // UTF-8
};
constexpr SymbolWord kSymbolWords[] = {
    {"tab", "\t"},         {"bullet", "\u2022"},  {"emdash", "\u2014"},    {"endash", "\u2013"},
    {"lquote", "\u2018"},  {"rquote", "\u2019"},  {"ldblquote", "\u201C"}, {"rdblquote", "\u201D"},
    {"emspace", "\u2003"}, {"enspace", "\u2002"}, {"line", "\n"},
};

// Windows-1252 bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

char32_t FromCp1252(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void AppendEscaped(std::string& out, char32_t code) {
  if (code == '\n')
    out += "<br>";
  else if (const char* entity = HtmlEntity(code))
    out += entity;
  else
    AppendUtf8(out, code);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string SpanStyle(const CharFormat& format) {
  std::string style;
  if (format.bold) style += "font-weight:bold;";
  if (format.italic) style += "font-style:italic;";
  if (format.underline) style += "text-decoration:underline;";
  if (format.half_points > 0) {
    style += "font-size:" + std::to_string(format.half_points / 2);
    if (format.half_points % 2) style += ".5";
    style += "pt;";
  }
  return style;
}

class RtfReader {
 public:
  explicit RtfReader(std::string_view rtf) : rtf_(rtf) {}

  std::string Html() {
    while (at_ < rtf_.size()) Step();
    if (!runs_.empty()) EndParagraph();
    return "<html><body>" + html_ + "</body></html>";
  }

 private:
  void Step() {
    const char c = rtf_[at_++];
    switch (c) {
      case '{':
        groups_.push_back(state_);
        break;
      case '}':
        if (!groups_.empty()) {
          state_ = groups_.back();
          groups_.pop_back();
        }
        break;
      case '\\':
        ControlSequence();
        break;
      case '\r':
      case '\n':
        break;  // line ends in the file are not part of the text
      default:
        Character(FromCp1252(static_cast<unsigned char>(c)));
    }
  }

  void ControlSequence() {
    if (at_ >= rtf_.size()) return;
    const char c = rtf_[at_];
    if (!IsLetter(c)) {
      ++at_;
      ControlSymbol(c);
      return;
    }
    const size_t start = at_;
    while (at_ < rtf_.size() && IsLetter(rtf_[at_])) ++at_;
    const std::string_view word = rtf_.substr(start, at_ - start);
    bool has_parameter = false;
    long parameter = 0;
    bool negative = false;
    if (at_ < rtf_.size() && rtf_[at_] == '-' && at_ + 1 < rtf_.size() && IsDigit(rtf_[at_ + 1])) {
      negative = true;
      ++at_;
    }
    while (at_ < rtf_.size() && IsDigit(rtf_[at_])) {
      has_parameter = true;
      if (parameter < 1'000'000) parameter = parameter * 10 + (rtf_[at_] - '0');
      ++at_;
    }
    if (negative) parameter = -parameter;
    // One space ends a control word and belongs to it.
    if (at_ < rtf_.size() && rtf_[at_] == ' ') ++at_;
    ControlWord(word, has_parameter, parameter);
  }

  void ControlSymbol(char c) {
    switch (c) {
      case '\\':
      case '{':
      case '}':
        Character(static_cast<unsigned char>(c));
        break;
      case '~':
        Character(0x00A0);
        break;
      case '_':
        Character(0x2011);
        break;
      case '*':
        state_.skipped = true;
        break;
      case '\'':
        HexCharacter();
        break;
      case '\r':
      case '\n':
        Paragraph();
        break;
      default:
        break;  // "\-" (optional hyphen) and the unknown ones add nothing
    }
  }

  void HexCharacter() {
    if (at_ + 2 > rtf_.size()) {
      at_ = rtf_.size();
      return;
    }
    const int high = HexValue(rtf_[at_]);
    const int low = HexValue(rtf_[at_ + 1]);
    at_ += 2;
    if (high >= 0 && low >= 0) Character(FromCp1252(static_cast<unsigned char>(high * 16 + low)));
  }

  void ControlWord(std::string_view word, bool has_parameter, long parameter) {
    for (std::string_view skipped : kSkippedDestinations) {
      if (word == skipped) {
        state_.skipped = true;
        return;
      }
    }
    if (state_.skipped) return;
    // A toggle without a parameter, or with one other than 0, is on.
    const bool on = !has_parameter || parameter != 0;
    if (word == "par") {
      Paragraph();
    } else if (word == "pard") {
      centred_ = false;
    } else if (word == "plain") {
      state_.format = CharFormat{};
    } else if (word == "b") {
      state_.format.bold = on;
    } else if (word == "i") {
      state_.format.italic = on;
    } else if (word == "ul") {
      state_.format.underline = on;
    } else if (word == "ulnone") {
      state_.format.underline = false;
    } else if (word == "fs") {
      state_.format.half_points = has_parameter && parameter > 0 ? static_cast<int>(parameter) : 24;
    } else if (word == "qc") {
      centred_ = true;
    } else if (word == "ql" || word == "qj" || word == "qr") {
      centred_ = false;
    } else if (word == "uc") {
      state_.unicode_skip = parameter > 0 ? static_cast<int>(parameter) : 0;
    } else if (word == "u" && has_parameter) {
      // Signed 16-bit in the file; the fallback characters after it go.
      Character(static_cast<char32_t>(parameter < 0 ? parameter + 65536 : parameter));
      SkipFallback(state_.unicode_skip);
    } else {
      for (const SymbolWord& symbol : kSymbolWords) {
        if (word == symbol.word) {
          Text(symbol.text);
          return;
        }
      }
    }
  }

  // The characters that stand in for a \uN character where Unicode is not
  // read: plain characters and "\'hh" escapes count one each.
  void SkipFallback(int count) {
    while (count > 0 && at_ < rtf_.size()) {
      const char c = rtf_[at_];
      if (c == '{' || c == '}') return;
      if (c == '\\') {
        if (at_ + 1 < rtf_.size() && rtf_[at_ + 1] == '\'') {
          at_ += 4;
        } else {
          return;  // a control word ends the fallback early
        }
      } else {
        ++at_;
      }
      --count;
    }
    if (at_ > rtf_.size()) at_ = rtf_.size();
  }

  void Character(char32_t code) {
    if (state_.skipped) return;
    if (runs_.empty() || !(runs_.back().format == state_.format))
      runs_.push_back({state_.format, {}});
    AppendEscaped(runs_.back().text, code);
  }

  void Text(std::string_view utf8) {
    if (state_.skipped) return;
    if (runs_.empty() || !(runs_.back().format == state_.format))
      runs_.push_back({state_.format, {}});
    for (char c : utf8) {
      if (c == '\n') {
        runs_.back().text += "<br>";
      } else {
        runs_.back().text += c;
      }
    }
  }

  void Paragraph() {
    if (state_.skipped) return;
    EndParagraph();
  }

  void EndParagraph() {
    // Spaces and tabs as written; lines still wrap at the box's edge.
    html_ += "<p style=\"margin:0;white-space:pre-wrap;";
    if (centred_) html_ += "text-align:center;";
    html_ += "\">";
    bool any_text = false;
    for (const Run& run : runs_) {
      if (run.text.empty()) continue;
      any_text = true;
      const std::string style = SpanStyle(run.format);
      if (style.empty()) {
        html_ += run.text;
      } else {
        html_ += "<span style=\"" + style + "\">" + run.text + "</span>";
      }
    }
    // An empty paragraph is a blank line, which an empty <p> would not give.
    if (!any_text) {
      const std::string style = SpanStyle(state_.format);
      html_ += style.empty() ? "&nbsp;" : "<span style=\"" + style + "\">&nbsp;</span>";
    }
    html_ += "</p>";
    runs_.clear();
  }

  std::string_view rtf_;
  size_t at_ = 0;
  GroupState state_;
  std::vector<GroupState> groups_;
  bool centred_ = false;
  std::vector<Run> runs_;
  std::string html_;
};

}  // namespace

bool LooksLikeRtf(std::string_view text) { return text.substr(0, 5) == "{\\rtf"; }

std::string RtfToHtml(std::string_view rtf) { return RtfReader(rtf).Html(); }

}  // namespace korvex
