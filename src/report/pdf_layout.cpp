// Wrapping, measuring, paginating and drawing the blocks of a PDF report.
#include "report/pdf_layout.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace korvex {
namespace {

// Inside a framed cell, as the HTML report's cells are padded.
constexpr double kPadX = 5;
constexpr double kPadY = 2.5;
constexpr double kLeadingFactor = 1.2;
// Where a baseline sits below the top of its line, in ems.
constexpr double kAscentFactor = 0.85;
constexpr PdfColour kBorderColour{0xa0, 0xa0, 0xa0};
constexpr PdfColour kShadeColour{0xee, 0xee, 0xee};
constexpr double kBorderWidth = 0.75;
// A text measured to fit a cell exactly must still fit it once the cell's
// padding has been added and taken off again.
constexpr double kWidthSlack = 1e-6;

double Leading(double size) { return size * kLeadingFactor; }

double Width(std::string_view text, PdfFont font, double size) {
  return PdfTextWidth(font, size, WinAnsiText(text));
}

std::size_t CharacterLength(std::string_view text, std::size_t at) {
  std::size_t length = 1;
  while (at + length < text.size() &&
         (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80)
    ++length;
  return length;
}

// Appends `word` to the lines, breaking it between characters where no
// line could hold it; the last piece stays open in `line`.
void AddWord(std::string_view word, PdfFont font, double size, double width,
             std::vector<std::string>& lines, std::string& line) {
  const std::string joined = line.empty() ? std::string(word) : line + ' ' + std::string(word);
  if (Width(joined, font, size) <= width + kWidthSlack) {
    line = joined;
    return;
  }
  if (!line.empty()) lines.push_back(std::move(line));
  line.clear();
  for (std::size_t at = 0; at < word.size();) {
    const std::size_t length = CharacterLength(word, at);
    const std::string_view character = word.substr(at, length);
    if (!line.empty() && Width(line + std::string(character), font, size) > width + kWidthSlack) {
      lines.push_back(std::move(line));
      line.clear();
    }
    line += character;
    at += length;
  }
}

double PadY(const PdfBlock& block) { return block.framed ? kPadY : 0; }

double LargestSize(const PdfBlock& block) {
  double size = 0;
  for (const PdfCell& cell : block.cells) size = std::max(size, cell.size);
  return size;
}

// What must fit below a block for it to be placed there: the block itself,
// or from a block taller than a page (which is split anyway) its first line.
double FirstPartHeight(const PdfBlock& block, double page) {
  const double height = BlockHeight(block);
  if (height <= page || block.chart) return height;
  return 2 * PadY(block) + Leading(LargestSize(block));
}

// The first `count` lines of a block, and the rest.
std::pair<PdfBlock, PdfBlock> SplitAt(const PdfBlock& block, std::size_t count) {
  std::pair<PdfBlock, PdfBlock> parts{block, block};
  parts.second.gap_before = 0;
  for (std::size_t i = 0; i < block.cells.size(); ++i) {
    const std::vector<std::string>& lines = block.cells[i].lines;
    const auto cut = lines.begin() + static_cast<std::ptrdiff_t>(std::min(count, lines.size()));
    parts.first.cells[i].lines.assign(lines.begin(), cut);
    parts.second.cells[i].lines.assign(cut, lines.end());
  }
  return parts;
}

std::size_t LineCount(const PdfBlock& block) {
  std::size_t count = 0;
  for (const PdfCell& cell : block.cells) count = std::max(count, cell.lines.size());
  return count;
}

// The lines of `block` that fit in `room`, or none when not one does.
std::optional<std::pair<PdfBlock, PdfBlock>> Split(const PdfBlock& block, double room) {
  if (block.chart || block.cells.empty()) return std::nullopt;
  const double lines = std::floor((room - 2 * PadY(block)) / Leading(LargestSize(block)));
  if (lines < 1) return std::nullopt;
  const auto count = static_cast<std::size_t>(lines);
  if (count >= LineCount(block)) return std::nullopt;
  return SplitAt(block, count);
}

void DrawChart(PdfPage& page, const PdfChart& chart, PdfPoint at) {
  const double scale = chart.scale;
  const auto point = [&](const OutlinePoint& p) {
    return PdfPoint{at.x + p.x * scale, at.y + p.y * scale};
  };
  const ChartOutline& outline = chart.outline;
  page.SetLineWidth(scale);
  page.SetStrokeColour({0x80, 0x80, 0x80});
  page.StrokeRectangle(point({outline.left, outline.top}), (outline.right - outline.left) * scale,
                       (outline.bottom - outline.top) * scale);
  page.SetStrokeColour({0xc0, 0xc0, 0xc0});
  for (const OutlineLine& line : outline.zero_lines) page.Line(point(line.from), point(line.to));
  page.SetLineWidth(1.5 * scale);
  page.SetStrokeColour({0, 0, 0xff});
  std::vector<PdfPoint> points;
  for (const auto& piece : outline.curve) {
    points.clear();
    for (const OutlinePoint& p : piece) points.push_back(point(p));
    page.Polyline(points);
  }
  const double size = kOutlineLabelSize * scale;
  page.SetFillColour({0, 0, 0});
  for (const OutlineLabel& label : outline.labels) {
    PdfPoint where = point(label.at);
    if (label.anchor == OutlineLabel::Anchor::kEnd)
      where.x -= Width(label.text, PdfFont::kHelvetica, size);
    page.Text(where, PdfFont::kHelvetica, size, label.text);
  }
}

}  // namespace

std::vector<std::string> WrapText(std::string_view text, PdfFont font, double size, double width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t at = 0;
  while (true) {
    const std::size_t end = text.find_first_of(" \n", at);
    AddWord(text.substr(at, end == std::string_view::npos ? end : end - at), font, size, width,
            lines, line);
    if (end == std::string_view::npos) break;
    if (text[end] == '\n') {
      lines.push_back(std::move(line));
      line.clear();
    }
    at = end + 1;
  }
  lines.push_back(std::move(line));
  return lines;
}

double BlockHeight(const PdfBlock& block) {
  if (block.chart) return block.chart->height;
  double height = 0;
  for (const PdfCell& cell : block.cells)
    height = std::max(height, static_cast<double>(cell.lines.size()) * Leading(cell.size));
  return height + 2 * PadY(block);
}

std::vector<PlacedBlock> Paginate(std::vector<PdfBlock> blocks, double top, double bottom) {
  const double page_height = bottom - top;
  std::vector<PlacedBlock> placed;
  std::size_t page = 0;
  double y = top;
  bool empty = true;
  const auto next_page = [&] {
    ++page;
    y = top;
    empty = true;
  };
  const auto gap = [&empty](const PdfBlock& block) { return empty ? 0 : block.gap_before; };

  for (std::size_t i = 0; i < blocks.size(); ++i) {
    if (blocks[i].keep_with_next && !empty) {
      double kept = gap(blocks[i]) + BlockHeight(blocks[i]);
      std::size_t j = i + 1;
      for (; j < blocks.size() && blocks[j].keep_with_next; ++j)
        kept += blocks[j].gap_before + BlockHeight(blocks[j]);
      if (j < blocks.size()) kept += blocks[j].gap_before + FirstPartHeight(blocks[j], page_height);
      if (y + kept > bottom) next_page();
    }
    PdfBlock block = std::move(blocks[i]);
    while (y + gap(block) + BlockHeight(block) > bottom) {
      if (!empty && BlockHeight(block) <= page_height) {
        next_page();
        continue;
      }
      // The last resort: as many lines as fit here, the rest further on.
      auto parts = Split(block, bottom - y - gap(block));
      if (!parts) {
        if (empty) break;  // not one line fits a page: it overflows
        next_page();
        continue;
      }
      y += gap(parts->first);
      placed.push_back({page, y, std::move(parts->first)});
      next_page();
      block = std::move(parts->second);
    }
    y += gap(block);
    const double height = BlockHeight(block);
    placed.push_back({page, y, std::move(block)});
    y += height;
    empty = false;
  }
  return placed;
}

void DrawBlock(PdfPage& page, const PlacedBlock& placed, double left) {
  const PdfBlock& block = placed.block;
  if (block.chart) {
    DrawChart(page, *block.chart, {left, placed.top});
    return;
  }
  const double height = BlockHeight(block);
  const double pad_x = block.framed ? kPadX : 0;
  double x = left;
  for (const PdfCell& cell : block.cells) {
    if (block.framed) {
      if (cell.shaded) {
        page.SetFillColour(kShadeColour);
        page.FillRectangle({x, placed.top}, cell.width, height);
      }
      page.SetLineWidth(kBorderWidth);
      page.SetStrokeColour(kBorderColour);
      page.StrokeRectangle({x, placed.top}, cell.width, height);
    }
    page.SetFillColour(cell.colour);
    const double leading = Leading(cell.size);
    double baseline =
        placed.top + PadY(block) + (leading - cell.size) / 2 + kAscentFactor * cell.size;
    for (const std::string& line : cell.lines) {
      if (!line.empty()) page.Text({x + pad_x, baseline}, cell.font, cell.size, line);
      baseline += leading;
    }
    x += cell.width;
  }
}

}  // namespace korvex
