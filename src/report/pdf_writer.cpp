// The PDF file: a catalog, one page tree, the fonts, the document
// information, and per page its dictionary and its content stream. Content
// streams stay uncompressed; a report's text is small.
#include "report/pdf_writer.h"

#include <cstdio>

namespace korvex {
namespace {

// Numbers as PDF reads them: no exponent, at most three decimals.
std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.3f", value);
  std::string number = text;
  number.erase(number.find_last_not_of('0') + 1);
  if (number.back() == '.') number.pop_back();
  return number == "-0" ? "0" : number;
}

std::string ColourParts(PdfColour colour) {
  return Number(colour.red / 255.0) + ' ' + Number(colour.green / 255.0) + ' ' +
         Number(colour.blue / 255.0);
}

// Objects 1 to 3 + fonts come first; each page then takes two.
constexpr int kCatalog = 1;
constexpr int kPageTree = 2;
constexpr int kInfo = 3;
constexpr int kFirstFont = 4;
constexpr int kFontCount = static_cast<int>(std::size(kPdfFonts));
constexpr int kFirstPage = kFirstFont + kFontCount;

std::string Ref(int object) { return std::to_string(object) + " 0 R"; }

// Fonts are named F1, F2 ... in the order of kPdfFonts.
std::string FontResource(PdfFont font) {
  for (int i = 0; i < kFontCount; ++i)
    if (kPdfFonts[i] == font) return "/F" + std::to_string(i + 1);
  return "/F1";
}

}  // namespace

std::string PdfString(std::string_view win_ansi) {
  std::string literal = "(";
  for (const char c : win_ansi) {
    if (c == '(' || c == ')' || c == '\\') literal += '\\';
    literal += c;
  }
  return literal + ')';
}

void PdfPage::SetStrokeColour(PdfColour colour) { content_ += ColourParts(colour) + " RG\n"; }

void PdfPage::SetFillColour(PdfColour colour) { content_ += ColourParts(colour) + " rg\n"; }

void PdfPage::SetLineWidth(double width) { content_ += Number(width) + " w\n"; }

void PdfPage::Text(PdfPoint at, PdfFont font, double size, std::string_view text) {
  content_ += "BT " + FontResource(font) + ' ' + Number(size) + " Tf " + Number(at.x) + ' ' +
              Number(height_ - at.y) + " Td " + PdfString(WinAnsiText(text)) + " Tj ET\n";
}

void PdfPage::Point(PdfPoint point, const char* op) {
  content_ += Number(point.x) + ' ' + Number(height_ - point.y) + ' ' + op + '\n';
}

void PdfPage::Line(PdfPoint from, PdfPoint to) {
  Point(from, "m");
  Point(to, "l");
  content_ += "S\n";
}

void PdfPage::Polyline(std::span<const PdfPoint> points) {
  if (points.size() < 2) return;
  Point(points.front(), "m");
  for (const PdfPoint& point : points.subspan(1)) Point(point, "l");
  content_ += "S\n";
}

void PdfPage::Rectangle(PdfPoint at, double width, double height, const char* op) {
  content_ += Number(at.x) + ' ' + Number(height_ - at.y - height) + ' ' + Number(width) + ' ' +
              Number(height) + " re " + op + '\n';
}

void PdfPage::StrokeRectangle(PdfPoint at, double width, double height) {
  Rectangle(at, width, height, "S");
}

void PdfPage::FillRectangle(PdfPoint at, double width, double height) {
  Rectangle(at, width, height, "f");
}

PdfPage& PdfDocument::AddPage() { return pages_.emplace_back(paper_.height); }

std::string PdfDocument::Bytes(std::string_view title, std::string_view creator) const {
  // The binary comment line tells transfer programs the file is not text.
  std::string file = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  std::vector<std::size_t> offsets;
  const auto object = [&file, &offsets](const std::string& body) {
    offsets.push_back(file.size());
    file += std::to_string(offsets.size()) + " 0 obj\n" + body + "\nendobj\n";
  };

  const int pages = static_cast<int>(pages_.size());
  object("<< /Type /Catalog /Pages " + Ref(kPageTree) + " >>");
  std::string kids;
  for (int i = 0; i < pages; ++i) kids += (i ? " " : "") + Ref(kFirstPage + 2 * i);
  object("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) +
         " /MediaBox [0 0 " + Number(paper_.width) + ' ' + Number(paper_.height) + "] >>");
  object("<< /Title " + PdfString(WinAnsiText(title)) + " /Creator " +
         PdfString(WinAnsiText(creator)) + " /Producer " + PdfString(WinAnsiText(creator)) + " >>");
  std::string fonts;
  for (int i = 0; i < kFontCount; ++i) {
    object(std::string("<< /Type /Font /Subtype /Type1 /BaseFont /") + PdfFontName(kPdfFonts[i]) +
           " /Encoding /WinAnsiEncoding >>");
    fonts += FontResource(kPdfFonts[i]) + ' ' + Ref(kFirstFont + i) + ' ';
  }
  for (int i = 0; i < pages; ++i) {
    object("<< /Type /Page /Parent " + Ref(kPageTree) + " /Resources << /Font << " + fonts +
           ">> >> /Contents " + Ref(kFirstPage + 2 * i + 1) + " >>");
    const std::string& content = pages_[static_cast<std::size_t>(i)].content();
    object("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content +
           "endstream");
  }

  const std::size_t xref = file.size();
  file += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
  for (const std::size_t offset : offsets) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    file += entry;
  }
  file += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) + " /Root " + Ref(kCatalog) +
          " /Info " + Ref(kInfo) + " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return file;
}

}  // namespace korvex
