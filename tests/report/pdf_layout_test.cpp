// Wrapping text into cells and placing blocks on pages.
#include "report/pdf_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvex {
namespace {

// Courier at 10 points is 6 points a character: 5 characters in 30 points.
TEST(PdfLayoutTest, WrapBreaksAtSpacesElseInsideWords) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"ab cd ef", {"ab cd", "ef"}},
      {"abcdefghijk", {"abcde", "fghij", "k"}},
      {"ab abcdefg", {"ab", "abcde", "fg"}},
      {"two\nlines", {"two", "lines"}},
      {"", {""}},
      {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
       {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", "\xC3\xA9"}},
  };
  for (const auto& [text, lines] : cases)
    EXPECT_EQ(WrapText(text, PdfFont::kCourier, 10, 30), lines) << text;
}

// Rows of Courier 10 points: 12 points a line and 5 of padding.
PdfBlock Row(std::size_t lines, const std::string& text = "x") {
  PdfBlock row;
  row.framed = true;
  row.cells = {
      PdfCell{100, PdfFont::kCourier, 10, {0, 0, 0}, false, std::vector<std::string>(lines, text)}};
  return row;
}

PdfBlock Heading() {
  PdfBlock heading;
  heading.cells = {PdfCell{100, PdfFont::kHelveticaBold, 10, {0, 0, 0}, false, {"Heading"}}};
  heading.gap_before = 10;
  heading.keep_with_next = true;
  return heading;
}

struct Spot {
  std::size_t page;
  double top;
  std::size_t lines;
  bool operator==(const Spot&) const = default;
};

std::vector<Spot> Spots(const std::vector<PlacedBlock>& placed) {
  std::vector<Spot> spots;
  for (const PlacedBlock& block : placed)
    spots.push_back({block.page, block.top, block.block.cells.front().lines.size()});
  return spots;
}

// Pages from 0 to 100 points.
TEST(PdfLayoutTest, RowsAndHeadingsMoveWholeToTheNextPage) {
  struct Case {
    const char* what;
    std::vector<PdfBlock> blocks;
    std::vector<Spot> spots;
  };
  const Case cases[] = {
      {"a row that does not fit goes whole to the next page",
       {Row(3), Row(3), Row(3)},
       {{0, 0, 3}, {0, 41, 3}, {1, 0, 3}}},
      {"a heading goes with the row after it, its gap left at the top",
       {Row(2), Row(2), Heading(), Row(3)},
       {{0, 0, 2}, {0, 29, 2}, {1, 0, 1}, {1, 12, 3}}},
      {"two headings go together",
       {Row(3), Heading(), Heading(), Row(1)},
       {{0, 0, 3}, {1, 0, 1}, {1, 22, 1}, {1, 34, 1}}},
      {"a heading that fits with its row stays",
       {Row(2), Heading(), Row(1)},
       {{0, 0, 2}, {0, 39, 1}, {0, 51, 1}}},
      {"only a row taller than a page is split, between lines",
       {Row(2), Row(10)},
       {{0, 0, 2}, {0, 29, 5}, {1, 0, 5}}},
      {"a heading keeps the start of a row that is split anyway",
       {Row(3), Heading(), Row(20)},
       {{0, 0, 3}, {0, 51, 1}, {0, 63, 2}, {1, 0, 7}, {2, 0, 7}, {3, 0, 4}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Spots(Paginate(c.blocks, 0, 100)), c.spots) << c.what;
}

TEST(PdfLayoutTest, SplitRowKeepsItsLinesInOrder) {
  std::vector<PdfBlock> blocks = {Row(10)};
  for (std::size_t i = 0; i < 10; ++i) blocks[0].cells[0].lines[i] = std::to_string(i);
  const std::vector<PlacedBlock> placed = Paginate(blocks, 0, 70);
  ASSERT_EQ(placed.size(), 2u);
  EXPECT_EQ(placed[0].block.cells[0].lines, (std::vector<std::string>{"0", "1", "2", "3", "4"}));
  EXPECT_EQ(placed[1].block.cells[0].lines, (std::vector<std::string>{"5", "6", "7", "8", "9"}));
}

}  // namespace
}  // namespace korvex
