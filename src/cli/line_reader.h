// Where `korvex-cli solve` gets its lines when no expression is given: a
// stream read line by line, or a prompt with line editing, history and a
// preview under the line when standard input is a terminal.
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

// What a terminal prompt shows under the line being edited. It is told of
// every change of the line and answers, possibly later, with a text; the
// prompt shows the newest line's text while it waits for the next key.
class LinePreviewSource {
 public:
  virtual ~LinePreviewSource() = default;
  // The line as it now stands: the text of every earlier line is stale.
  virtual void LineChanged(const std::string& line) = 0;
  // Becomes readable when a text may be ready.
  virtual int ready_fd() const = 0;
  // The newest line's text when one came since the last call ("" to show
  // nothing); nothing otherwise.
  virtual std::optional<std::string> TakeText() = 0;
};

// Lines of `in`; a carriage return before the line break (a file saved on
// Windows) is dropped.
std::unique_ptr<LineReader> MakeStreamLineReader(std::istream& in);

// Shows `prompt` on `out` and edits the line typed on `in`, both a terminal.
// Lines that are not blank go into the history (Up and Down recall them).
// At the end (Ctrl+D on an empty line) it ends the prompt's line, so the
// shell's prompt starts on a fresh one. With `preview` (which must outlive
// the reader), on a terminal whose cursor can move up, the row under the
// line shows its text; the row is cleared before each key is handled, so an
// entered line and what follows it look as without. Only one may exist at a
// time: its signal handling is global.
std::unique_ptr<LineReader> MakeTerminalLineReader(const std::string& prompt, std::FILE* in,
                                                   std::FILE* out,
                                                   LinePreviewSource* preview = nullptr);

}  // namespace korvex
