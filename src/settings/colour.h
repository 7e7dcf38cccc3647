// Colours as plot.ini stores them, and the chart's default colours, so the
// file, the chart and the windows start from the same values.
#pragma once

#include <cstdint>

namespace korvex {

// 24-bit colour as the integer 0x00BBGGRR.
using Colour = std::int32_t;

inline constexpr Colour kDefaultGraphColour = 46180;
// Also the default grid colour.
inline constexpr Colour kDefaultPointColour = 12632256;
inline constexpr Colour kDefaultBackColour = 16777215;

}  // namespace korvex
