// A small PDF 1.4 writer: pages of text in the standard fonts, lines,
// rectangles and polylines, written as one file with its cross-reference
// table. Enough for a report, without Qt.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "report/pdf_fonts.h"

namespace korvex {

// A page size in points (1/72 inch).
struct PdfPaper {
  double width;
  double height;
};
inline constexpr PdfPaper kPaperA4{595.276, 841.89};
inline constexpr PdfPaper kPaperLetter{612, 792};

// A colour of 0-255 parts.
struct PdfColour {
  int red;
  int green;
  int blue;
};

// A point on a page, from its top left corner with y downwards, as the
// page is read; the writer turns it into PDF's upward coordinates.
struct PdfPoint {
  double x;
  double y;
};

// The drawing of one page. Colours and the line width stay in force until
// changed, as in PDF.
class PdfPage {
 public:
  explicit PdfPage(double height) : height_(height) {}

  void SetStrokeColour(PdfColour colour);
  void SetFillColour(PdfColour colour);  // also the colour of text
  void SetLineWidth(double width);
  // UTF-8 `text` with its baseline's left end at `at`.
  void Text(PdfPoint at, PdfFont font, double size, std::string_view text);
  void Line(PdfPoint from, PdfPoint to);
  void Polyline(std::span<const PdfPoint> points);
  // `at` is the rectangle's top left corner.
  void StrokeRectangle(PdfPoint at, double width, double height);
  void FillRectangle(PdfPoint at, double width, double height);

  const std::string& content() const { return content_; }

 private:
  void Point(PdfPoint point, const char* op);
  void Rectangle(PdfPoint at, double width, double height, const char* op);

  double height_;
  std::string content_;
};

class PdfDocument {
 public:
  explicit PdfDocument(PdfPaper paper) : paper_(paper) {}

  PdfPage& AddPage();
  PdfPage& page(std::size_t index) { return pages_[index]; }
  std::size_t page_count() const { return pages_.size(); }
  const PdfPaper& paper() const { return paper_; }

  // The whole file. `title` and `creator` go to its document information.
  std::string Bytes(std::string_view title, std::string_view creator) const;

 private:
  PdfPaper paper_;
  std::vector<PdfPage> pages_;
};

// `text` as a PDF string literal, with its delimiters.
std::string PdfString(std::string_view win_ansi);

}  // namespace korvex
