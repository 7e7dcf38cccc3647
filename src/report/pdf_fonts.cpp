// Font names and widths. The widths are the fonts' published metrics in
// thousandths of an em, for the printable ASCII characters.
#include "report/pdf_fonts.h"

#include <array>
#include <cstdint>

namespace korvex {
namespace {

constexpr char kFirstPrintable = ' ';
constexpr char kLastPrintable = '~';
using AsciiWidths = std::array<std::uint16_t, kLastPrintable - kFirstPrintable + 1>;

// From the space (32) to the tilde (126); 39 is quotesingle and 96 grave,
// as WinAnsiEncoding maps them.
constexpr AsciiWidths kHelveticaWidths = {
    278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // 32-47
    556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // 48-63
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // 64-79
    667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // 80-95
    333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // 96-111
    556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584,       // 112-126
};

constexpr AsciiWidths kHelveticaBoldWidths = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,  // 32-47
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,  // 48-63
    975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,  // 64-79
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,  // 80-95
    333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,  // 96-111
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584,       // 112-126
};

constexpr int kCourierWidth = 600;
// Outside ASCII a letter of the proportional fonts is taken as wide as the
// widest capitals, so measured text is never too short for its cell.
constexpr int kOtherWidth = 722;

int GlyphWidth(PdfFont font, unsigned char byte) {
  if (font == PdfFont::kCourier) return kCourierWidth;
  if (byte < kFirstPrintable || byte > kLastPrintable) return kOtherWidth;
  const AsciiWidths& widths = font == PdfFont::kHelvetica ? kHelveticaWidths : kHelveticaBoldWidths;
  return widths[byte - kFirstPrintable];
}

// The length of the UTF-8 sequence led by `lead`, 0 when it cannot lead one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

}  // namespace

const char* PdfFontName(PdfFont font) {
  switch (font) {
    case PdfFont::kHelvetica:
      return "Helvetica";
    case PdfFont::kHelveticaBold:
      return "Helvetica-Bold";
    case PdfFont::kCourier:
      return "Courier";
  }
  return "Helvetica";
}

std::string WinAnsiText(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  std::size_t at = 0;
  while (at < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    std::size_t length = SequenceLength(lead);
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
      const auto next = at + i < utf8.size() ? static_cast<unsigned char>(utf8[at + i]) : 0;
      if ((next & 0xC0) != 0x80) {
        length = i;  // cut short: '?' for what was read, then go on from here
        code = 0xFFFD;
        break;
      }
      code = (code << 6) | (next & 0x3F);
    }
    if (length == 0) {
      length = 1;
      code = 0xFFFD;
    }
    // 0x80-0x9F are control characters in Latin-1 but other glyphs in
    // WinAnsiEncoding.
    const bool shown = (code >= 0x20 && code < 0x7F) || (code >= 0xA0 && code <= 0xFF);
    bytes += shown ? static_cast<char>(code) : '?';
    at += length;
  }
  return bytes;
}

double PdfTextWidth(PdfFont font, double size, std::string_view win_ansi) {
  long units = 0;
  for (const char c : win_ansi) units += GlyphWidth(font, static_cast<unsigned char>(c));
  return static_cast<double>(units) * size / 1000.0;
}

}  // namespace korvex
