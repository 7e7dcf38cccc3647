// The three standard fonts a PDF report uses, which every PDF reader has,
// so nothing is embedded: their names, their advance widths and the
// WinAnsiEncoding of a text in them.
#pragma once

#include <string>
#include <string_view>

namespace korvex {

enum class PdfFont { kHelvetica, kHelveticaBold, kCourier };

inline constexpr PdfFont kPdfFonts[] = {PdfFont::kHelvetica, PdfFont::kHelveticaBold,
                                        PdfFont::kCourier};

// "Helvetica" ...: the BaseFont of the font's dictionary.
const char* PdfFontName(PdfFont font);

// UTF-8 text as WinAnsiEncoding bytes: Latin-1 characters as themselves,
// anything else (and control characters, and bytes that are not UTF-8) as
// '?', so what the reader cannot show is visibly missing.
std::string WinAnsiText(std::string_view utf8);

// The advance width of WinAnsi bytes at `size` points.
double PdfTextWidth(PdfFont font, double size, std::string_view win_ansi);

}  // namespace korvex
