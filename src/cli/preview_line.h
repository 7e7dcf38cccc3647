// The row under the edited line where the prompt writes its preview, and
// the terminal sequences that go there and come back to the cursor.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace korvex {

struct PreviewPlacement {
  // From the cursor's row down to the preview's row: at least 1.
  int rows_down = 1;
  // The cursor's column, counted from 0, where the way back ends.
  int column = 0;
  bool operator==(const PreviewPlacement&) const = default;
};

// The preview goes under the last row of the line. `cursor_cells` and
// `end_cells` count the cells from the start of the prompt to the cursor
// and to the end of the line, which the editor wraps at `columns`; a line
// that fills its last row exactly has the cursor's next row as its own.
PreviewPlacement PlacePreview(int columns, int cursor_cells, int end_cells);

// Writes `text` on the preview's row in place of what was there and puts
// the cursor back. The text is cut to stay inside one row (it must never
// wrap and scroll the line away), and control characters become '?' so an
// expression can never send the terminal a sequence of its own. The way
// down ends with a line feed, which scrolls the screen when the line is on
// its last row.
std::string ShowPreviewLine(PreviewPlacement place, std::string_view text, int columns);

// The longest sequence EraseSequence writes.
inline constexpr std::size_t kMaxEraseBytes = 64;

// Clears the preview's row and puts the cursor back; returns the length.
// It allocates nothing, so a signal handler may call it.
std::size_t EraseSequence(PreviewPlacement place, std::span<char, kMaxEraseBytes> buffer);

}  // namespace korvex
