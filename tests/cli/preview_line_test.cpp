// Where the prompt's preview row goes and the bytes that draw and clear it,
// applied to a test screen.
#include "cli/preview_line.h"

#include <gtest/gtest.h>

#include <string>

#include "cli/terminal_screen.h"

namespace korvex {
namespace {

TEST(PlacePreview, GoesUnderTheLastRowOfTheLine) {
  const struct {
    int columns, cursor_cells, end_cells;
    PreviewPlacement place;
  } cases[] = {
      {80, 7, 7, {1, 7}},    // one row, cursor at the end
      {80, 2, 7, {1, 2}},    // one row, cursor inside
      {10, 25, 25, {1, 5}},  // three rows, cursor on the last
      {10, 3, 25, {3, 3}},   // three rows, cursor on the first
      {10, 12, 25, {2, 2}},  // cursor on the middle row
      {10, 10, 10, {1, 0}},  // a full row puts the cursor on the next
      {10, 4, 10, {2, 4}},   // ... which then belongs to the line
      {10, 9, 5, {1, 9}},    // an end before the cursor counts as the cursor
      {0, 3, 3, {1, 0}},     // no width known: never a crash
  };
  for (const auto& c : cases)
    EXPECT_EQ(PlacePreview(c.columns, c.cursor_cells, c.end_cells), c.place)
        << c.columns << " " << c.cursor_cells << " " << c.end_cells;
}

// A screen whose prompt line wraps over two rows, the cursor on the first.
TerminalScreen WrappedLine(int top_row) {
  TerminalScreen screen(6, 10);
  for (int row = 0; row < top_row; ++row) screen.Feed("earlier\r\n");
  screen.Feed("> 1+2+3+4+5+6\r\x1b[1A\x1b[4C");
  return screen;
}

TEST(PreviewLine, DrawsUnderTheLineAndClearsWithoutMovingTheCursor) {
  // With the line on the screen's last rows the way down scrolls.
  for (const int top_row : {0, 4}) {
    TerminalScreen screen = WrappedLine(top_row);
    const int first_row = screen.cursor_row();
    const PreviewPlacement place = PlacePreview(10, 4, 13);
    screen.Feed(ShowPreviewLine(place, "= 21", 10));
    const int scrolled = top_row == 4 ? 1 : 0;
    EXPECT_EQ(screen.cursor_row(), first_row - scrolled) << screen.Text();
    EXPECT_EQ(screen.cursor_column(), 4);
    EXPECT_EQ(screen.Row(screen.cursor_row()), "> 1+2+3+4+");
    EXPECT_EQ(screen.Row(screen.cursor_row() + 1), "5+6");
    EXPECT_EQ(screen.Row(screen.cursor_row() + 2), "= 21");

    char erase[kMaxEraseBytes];
    screen.Feed(std::string(erase, EraseSequence(place, erase)));
    EXPECT_EQ(screen.Row(screen.cursor_row() + 2), "") << screen.Text();
    EXPECT_EQ(screen.Row(screen.cursor_row() + 1), "5+6");
    EXPECT_EQ(screen.cursor_column(), 4);
    EXPECT_TRUE(screen.unknown().empty());
  }
}

TEST(PreviewLine, ReplacesTheRowAndKeepsTheTextInsideIt) {
  const struct {
    std::string text;
    std::string row;
  } cases[] = {
      {"= 5", "= 5"},
      {"Syntax error: Could not calculate", "Syntax er"},  // one cell short of the row
      {"a\x1b[2Jb\x07\n", "a?[2Jb??"},                     // no sequences of its own
      {"", ""},
  };
  for (const auto& c : cases) {
    TerminalScreen screen(3, 10);
    screen.Feed("> x\r\nold text!\r\x1b[1A\x1b[3C");
    screen.Feed(ShowPreviewLine({1, 3}, c.text, 10));
    EXPECT_EQ(screen.Row(1), c.row) << c.text;
    EXPECT_EQ(screen.Row(0), "> x");
    EXPECT_EQ(screen.cursor_row(), 0);
    EXPECT_EQ(screen.cursor_column(), 3);
    EXPECT_TRUE(screen.unknown().empty());
  }
  // A character of several bytes takes one cell, and is never cut apart.
  const std::string pi = ShowPreviewLine({1, 0}, "\xcf\x80 = 3,14159", 10);
  EXPECT_NE(pi.find("\xcf\x80 = 3,141\r"), std::string::npos);
}

}  // namespace
}  // namespace korvex
