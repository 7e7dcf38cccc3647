// The drawn colour of a series: the palette by number while the series has
// the default graph colour, its own colour otherwise.
#include "plot/series_palette.h"

#include <gtest/gtest.h>

#include <set>

namespace korvex {
namespace {

SeriesAppearance WithColour(Colour colour) { return SeriesAppearance{false, false, colour, 0}; }

TEST(SeriesPalette, DefaultColourTakesThePaletteByNumber) {
  const SeriesAppearance look = WithColour(kDefaultGraphColour);
  // A lone series keeps the look of the default graph colour.
  EXPECT_EQ(SeriesColour(1, look), kDefaultGraphColour);
  std::set<Colour> first_round;
  for (std::size_t number = 1; number <= kSeriesPalette.size(); ++number)
    first_round.insert(SeriesColour(number, look));
  EXPECT_EQ(first_round.size(), kSeriesPalette.size());
  // Beyond the palette the colours come round again.
  for (std::size_t number = 1; number <= kSeriesPalette.size(); ++number)
    EXPECT_EQ(SeriesColour(number + kSeriesPalette.size(), look), SeriesColour(number, look))
        << number;
}

TEST(SeriesPalette, ChosenColourIsKept) {
  const Colour chosen[] = {0x0000FF, 0, kDefaultPointColour, kSeriesPalette[1]};
  for (const Colour colour : chosen)
    for (const std::size_t number : {1, 2, 9, 100})
      EXPECT_EQ(SeriesColour(number, WithColour(colour)), colour) << colour << " " << number;
}

// Every entry must show on the default white back wall: none is white or a
// pale tint of it.
TEST(SeriesPalette, EveryColourShowsOnTheDefaultBackground) {
  for (const Colour colour : kSeriesPalette) {
    const int red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
    EXPECT_LT(0.299 * red + 0.587 * green + 0.114 * blue, 200) << colour;
  }
}

}  // namespace
}  // namespace korvex
