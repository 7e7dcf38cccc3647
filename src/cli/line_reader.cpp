// The plain line source of `korvex-cli solve` (the terminal prompt is in
// terminal_line_reader.cpp).
#include "cli/line_reader.h"

#include <istream>

namespace korvex {
namespace {

class StreamLineReader : public LineReader {
 public:
  explicit StreamLineReader(std::istream& in) : in_(in) {}

  std::optional<std::string> ReadLine() override {
    std::string line;
    if (!std::getline(in_, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }

 private:
  std::istream& in_;
};

}  // namespace

std::unique_ptr<LineReader> MakeStreamLineReader(std::istream& in) {
  return std::make_unique<StreamLineReader>(in);
}

}  // namespace korvex
