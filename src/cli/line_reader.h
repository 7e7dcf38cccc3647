// Where `korvex-cli solve` gets its lines when no expression is given: a
// stream read line by line, or a prompt with line editing and history when
// standard input is a terminal.
#pragma once

#include <cstdio>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace korvex {

class LineReader {
 public:
  virtual ~LineReader() = default;
  // The next line without its line break; nothing at the end of the input.
  virtual std::optional<std::string> ReadLine() = 0;
};

// Lines of `in`; a carriage return before the line break (a file saved on
// Windows) is dropped.
std::unique_ptr<LineReader> MakeStreamLineReader(std::istream& in);

// Shows `prompt` on `out` and edits the line typed on `in`, both a terminal.
// Lines that are not blank go into the history (Up and Down recall them).
// At the end (Ctrl+D on an empty line) it ends the prompt's line, so the
// shell's prompt starts on a fresh one. Only one may exist at a time: the
// editing library keeps its state globally.
std::unique_ptr<LineReader> MakeTerminalLineReader(const std::string& prompt, std::FILE* in,
                                                   std::FILE* out);

}  // namespace korvex
