// Page layout for a PDF report: the document as a column of blocks (lines
// of text, table rows, graphs), wrapped to their widths and placed on pages
// so that a row stays whole and a heading stays with what follows it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/chart_outline.h"
#include "report/pdf_writer.h"

namespace korvex {

// Lines of `text` no wider than `width`: broken at spaces, and a word
// wider than a line broken between its characters. Never empty.
std::vector<std::string> WrapText(std::string_view text, PdfFont font, double size, double width);

struct PdfCell {
  double width = 0;
  PdfFont font = PdfFont::kHelvetica;
  double size = 10;
  PdfColour colour{0, 0, 0};
  bool shaded = false;
  std::vector<std::string> lines;  // already wrapped to the cell
};

// A graph drawn from its outline at `scale` points per picture unit.
struct PdfChart {
  ChartOutline outline;
  double width;
  double height;
  double scale;
};

struct PdfBlock {
  // Side by side from the left edge of the text; a heading or a paragraph
  // is one unframed cell, a table row framed cells.
  std::vector<PdfCell> cells;
  bool framed = false;
  std::optional<PdfChart> chart;  // drawn instead of cells, and never split
  // Space above the block, left out at the top of a page.
  double gap_before = 0;
  // Never the last block of a page while the next one can follow it there.
  bool keep_with_next = false;
};

double BlockHeight(const PdfBlock& block);

struct PlacedBlock {
  std::size_t page;
  double top;
  PdfBlock block;
};

// Places the blocks, in order, between `top` and `bottom` of as many pages
// as they need. A block that does not fit below the last one goes to the
// next page; only a block taller than a whole page is split, between its
// lines.
std::vector<PlacedBlock> Paginate(std::vector<PdfBlock> blocks, double top, double bottom);

void DrawBlock(PdfPage& page, const PlacedBlock& placed, double left);

}  // namespace korvex
