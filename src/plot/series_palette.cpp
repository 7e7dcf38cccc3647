// Picking a series' drawn colour from its number and its own settings.
#include "plot/series_palette.h"

namespace korvex {

Colour SeriesColour(std::size_t number, const SeriesAppearance& appearance) {
  if (appearance.line_colour != kDefaultGraphColour || number == 0) return appearance.line_colour;
  return kSeriesPalette[(number - 1) % kSeriesPalette.size()];
}

}  // namespace korvex
