#include "cli/cli_io.h"

#include <ostream>
#include <utility>

#include "settings/data_location.h"

namespace korvex {

void StreamErrorSink::ReportError(const std::string& message, const std::string& title) {
  ++count_;
  std::string line = title + ": " + message;
  if (held_)
    held_lines_.push_back(std::move(line));
  else
    PrintError(line, out_, err_);
}

void StreamErrorSink::Release() {
  held_ = false;
  for (const std::string& line : held_lines_) PrintError(line, out_, err_);
  held_lines_.clear();
}

void StreamMessages::Show(const std::string& text) { PrintError(text, out_, err_); }

std::string PlaceLines(std::string_view text, const SourceRange& place) {
  std::string marks;
  size_t column = 0;
  for (const char c : text) {
    // A UTF-8 continuation byte belongs to the character before it.
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;
    if (column >= place.start) break;
    marks.push_back(c == '\t' ? '\t' : ' ');
    ++column;
  }
  marks.append(column < place.start ? place.start - column : 0, ' ');
  marks.push_back('^');
  if (place.end > place.start + 1) marks.append(place.end - place.start - 1, '~');
  std::string lines(text);
  lines.push_back('\n');
  lines += marks;
  return lines;
}

void PrintError(const std::string& text, std::ostream& out, std::ostream& err) {
  out.flush();
  err << text << '\n';
  err.flush();
}

std::optional<std::filesystem::path> ChooseDataDir(const std::optional<std::string>& option,
                                                   std::ostream& err) {
  const DataLocation location = LocateDataDirectory(ProcessDataLocationInputs(option));
  if (location.ok()) return location.program_directory;
  err << "korvex-cli: " << location.failure << '\n';
  return std::nullopt;
}

}  // namespace korvex
