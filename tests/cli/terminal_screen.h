// A small terminal for tests: it applies the bytes a program writes to a
// grid of cells, so a test reads the screen a user would see instead of the
// escape sequences that drew it. It knows the sequences the editing prompt
// and its preview use; any other is listed in unknown().
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

class TerminalScreen {
 public:
  TerminalScreen(int rows, int columns)
      : columns_(columns), lines_(static_cast<size_t>(rows), std::string(columns, kBlank)) {}

  void Feed(std::string_view bytes) {
    for (const char c : bytes) Take(c);
  }

  // A row up to its last written cell (a space the program wrote counts;
  // a cleared cell does not), with a space for each blank before it.
  std::string Row(int row) const {
    std::string line = lines_.at(static_cast<size_t>(row));
    line.resize(line.find_last_not_of(kBlank) + 1);
    std::replace(line.begin(), line.end(), kBlank, ' ');
    return line;
  }
  int rows() const { return static_cast<int>(lines_.size()); }
  int cursor_row() const { return row_; }
  int cursor_column() const { return column_; }
  // The escape sequences the screen did not understand.
  const std::vector<std::string>& unknown() const { return unknown_; }

  // Every row, for a failure message.
  std::string Text() const {
    std::string text;
    for (int row = 0; row < rows(); ++row) text += "|" + Row(row) + "\n";
    return text;
  }

 private:
  static constexpr char kBlank = '\0';

  void Take(char c) {
    if (!sequence_.empty()) return Continue(c);
    switch (c) {
      case '\x1b':
        sequence_ = c;
        return;
      case '\r':
        column_ = 0;
        wrap_pending_ = false;
        return;
      case '\n':
        LineFeed();
        return;
      case '\b':
        column_ = std::max(column_ - 1, 0);
        wrap_pending_ = false;
        return;
      case '\a':
        return;
      default:
        Print(c);
    }
  }

  void Print(char c) {
    // The bytes after the first of a character take no cell of their own.
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) return;
    if (wrap_pending_) {
      column_ = 0;
      LineFeed();
    }
    std::string& line = lines_[static_cast<size_t>(row_)];
    if (insert_mode_) {
      line.insert(static_cast<size_t>(column_), 1, c);
      line.resize(static_cast<size_t>(columns_));
    } else {
      line[static_cast<size_t>(column_)] = c;
    }
    if (column_ + 1 < columns_) {
      ++column_;
    } else {
      wrap_pending_ = true;
    }
  }

  void LineFeed() {
    wrap_pending_ = false;
    if (row_ + 1 < rows()) {
      ++row_;
      return;
    }
    lines_.erase(lines_.begin());
    lines_.emplace_back(static_cast<size_t>(columns_), kBlank);
  }

  void Continue(char c) {
    sequence_ += c;
    if (sequence_.size() == 2 && c != '[') {
      // ESC = and ESC > switch the keypad's mode: nothing to draw.
      if (c != '=' && c != '>') unknown_.push_back(sequence_);
      sequence_.clear();
      return;
    }
    if (sequence_.size() == 2 || (c >= '0' && c <= '9') || c == ';' || c == '?') return;
    const std::string parameter = sequence_.substr(2, sequence_.size() - 3);
    const int count = parameter.empty() || parameter[0] == '?' ? 1 : std::stoi(parameter);
    std::string& line = lines_[static_cast<size_t>(row_)];
    const auto at = static_cast<size_t>(column_);
    wrap_pending_ = false;
    switch (c) {
      case 'A':
        row_ = std::max(row_ - count, 0);
        break;
      case 'B':
        row_ = std::min(row_ + count, rows() - 1);
        break;
      case 'C':
        column_ = std::min(column_ + count, columns_ - 1);
        break;
      case 'D':
        column_ = std::max(column_ - count, 0);
        break;
      case 'G':
        column_ = std::clamp(count - 1, 0, columns_ - 1);
        break;
      case 'K':
        if (parameter.empty())
          line.replace(at, line.size() - at, line.size() - at, kBlank);
        else
          unknown_.push_back(sequence_);
        break;
      case 'J':
        if (parameter.empty()) {
          line.replace(at, line.size() - at, line.size() - at, kBlank);
          for (size_t row = static_cast<size_t>(row_) + 1; row < lines_.size(); ++row)
            lines_[row].assign(static_cast<size_t>(columns_), kBlank);
        } else {
          unknown_.push_back(sequence_);
        }
        break;
      case 'P':
        line.erase(at, std::min(static_cast<size_t>(count), line.size() - at));
        line.resize(static_cast<size_t>(columns_), kBlank);
        break;
      case '@':
        line.insert(at, static_cast<size_t>(count), ' ');
        line.resize(static_cast<size_t>(columns_));
        break;
      case 'h':
      case 'l':
        if (parameter == "4") insert_mode_ = c == 'h';
        // Private modes (ESC [ ? n h) change nothing on the screen.
        else if (parameter.empty() || parameter[0] != '?')
          unknown_.push_back(sequence_);
        break;
      case 'm':
        break;
      default:
        unknown_.push_back(sequence_);
    }
    sequence_.clear();
  }

  int columns_;
  std::vector<std::string> lines_;
  int row_ = 0;
  int column_ = 0;
  bool wrap_pending_ = false;
  bool insert_mode_ = false;
  std::string sequence_;
  std::vector<std::string> unknown_;
};

}  // namespace korvex
