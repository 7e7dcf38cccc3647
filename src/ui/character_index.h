// The engine counts places in characters; Qt's strings count UTF-16 units,
// two for a character beyond the first plane.
#pragma once

#include <cstddef>
#include <vector>

#include <QString>

namespace korvex {

// The index in `text` of character number `characters` (clamped to its end).
inline int Utf16Index(const QString& text, std::size_t characters) {
  int index = 0;
  for (std::size_t k = 0; k < characters && index < text.size(); ++k)
    index += text[index].isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
  return index;
}

// Utf16Index for every character at once: entry k is where character k
// starts, the last entry the text's end. Many places converted one by one
// from the start would cost the text's length each.
inline std::vector<int> Utf16Offsets(const QString& text) {
  std::vector<int> offsets;
  offsets.reserve(static_cast<std::size_t>(text.size()) + 1);
  int index = 0;
  while (index < text.size()) {
    offsets.push_back(index);
    index += text[index].isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
  }
  offsets.push_back(index);
  return offsets;
}

// The number of characters before UTF-16 index `index`.
inline std::size_t CharacterIndex(const QString& text, int index) {
  std::size_t characters = 0;
  for (int i = 0; i < index && i < text.size(); ++i)
    if (!text[i].isLowSurrogate() || i == 0 || !text[i - 1].isHighSurrogate()) ++characters;
  return characters;
}

}  // namespace korvex
