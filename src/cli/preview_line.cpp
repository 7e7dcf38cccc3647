#include "cli/preview_line.h"

#include <algorithm>

namespace korvex {
namespace {

// Appends to a fixed buffer; what does not fit is dropped, which the sizes
// below never let happen.
class SequenceWriter {
 public:
  explicit SequenceWriter(std::span<char> buffer) : buffer_(buffer) {}

  void Put(char c) {
    if (length_ < buffer_.size()) buffer_[length_++] = c;
  }
  void Put(std::string_view text) {
    for (const char c : text) Put(c);
  }
  // ESC [ count final: a cursor movement; nothing for a count of 0.
  void Move(int count, char final) {
    if (count <= 0) return;
    Put("\x1b[");
    char digits[12];
    int used = 0;
    for (unsigned value = static_cast<unsigned>(count); value != 0; value /= 10)
      digits[used++] = static_cast<char>('0' + value % 10);
    while (used > 0) Put(digits[--used]);
    Put(final);
  }
  std::size_t length() const { return length_; }

 private:
  std::span<char> buffer_;
  std::size_t length_ = 0;
};

constexpr std::string_view kClearToEnd = "\x1b[K";

// From the preview's row (any column) back to the cursor.
void BackToCursor(SequenceWriter& out, PreviewPlacement place) {
  out.Put('\r');
  out.Move(place.rows_down, 'A');
  out.Move(place.column, 'C');
}

bool StartsCharacter(unsigned char byte) { return (byte & 0xC0) != 0x80; }

}  // namespace

PreviewPlacement PlacePreview(int columns, int cursor_cells, int end_cells) {
  columns = std::max(columns, 1);
  cursor_cells = std::max(cursor_cells, 0);
  end_cells = std::max(end_cells, cursor_cells);
  const int cursor_row = cursor_cells / columns;
  const int last_row = end_cells / columns;
  return {last_row - cursor_row + 1, cursor_cells % columns};
}

std::string ShowPreviewLine(PreviewPlacement place, std::string_view text, int columns) {
  std::string sequence;
  // One cell short of the row: some terminals wrap as soon as the last
  // cell is written.
  const int room = columns - 1;
  int cells = 0;
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    // Counting every character as one cell is right for the texts a
    // preview holds: digits, names and the expression itself.
    if (StartsCharacter(byte) && ++cells > room) break;
    shown += byte < 0x20 || byte == 0x7F ? '?' : c;
  }
  char moves[kMaxEraseBytes];
  SequenceWriter down(moves);
  down.Put('\r');
  down.Move(place.rows_down - 1, 'B');
  down.Put('\n');
  down.Put(kClearToEnd);
  sequence.append(moves, down.length());
  sequence += shown;
  SequenceWriter back(moves);
  BackToCursor(back, place);
  sequence.append(moves, back.length());
  return sequence;
}

std::size_t EraseSequence(PreviewPlacement place, std::span<char, kMaxEraseBytes> buffer) {
  SequenceWriter out(buffer);
  // The row exists already, so plain cursor movement reaches it.
  out.Put('\r');
  out.Move(place.rows_down, 'B');
  out.Put(kClearToEnd);
  BackToCursor(out, place);
  return out.length();
}

}  // namespace korvex
