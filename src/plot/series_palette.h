// The colours that tell series apart: a series left at the default graph
// colour is drawn in the palette colour of its number.
#pragma once

#include <array>
#include <cstddef>

#include "plot/chart_model.h"
#include "settings/colour.h"

namespace korvex {

// The default graph colour first, so a lone series looks as it always did,
// then hues that stay distinct under the common colour-vision deficiencies
// and show on the white back wall (no yellow).
inline constexpr std::array<Colour, 8> kSeriesPalette = {
    kDefaultGraphColour,  // green    100, 180,   0
    0xB27200,             // blue       0, 114, 178
    0x005ED5,             // vermilion 213,  94,   0
    0xA779CC,             // purple    204, 121, 167
    0x009FE6,             // orange    230, 159,   0
    0xE9B456,             // sky blue   86, 180, 233
    0x000000,             // black
    0x739E00,             // teal       0, 158, 115
};

// The line colour series `number` (1-based) is drawn with. A colour other
// than the default was chosen in the plot options and is kept; only the
// drawing changes, never what the series or plot.ini hold.
Colour SeriesColour(std::size_t number, const SeriesAppearance& appearance);

}  // namespace korvex
