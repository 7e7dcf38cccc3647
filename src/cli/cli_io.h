// Shared pieces of the CLI commands: failure printing and the default data
// folder.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/error_sink.h"
#include "settings/messages.h"

namespace korvex {

// Prints reports as "title: message" on the error stream, after flushing the
// output stream so that 2>&1 keeps the order.
class StreamErrorSink : public ErrorSink {
 public:
  StreamErrorSink(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
  void ReportError(const std::string& message, const std::string& title) override;
  int count() const { return count_; }

  // A request reports its failure while it runs, before the command prints
  // what the request did until then (its steps); held reports wait for
  // Release so that they follow that output.
  void Hold() { held_ = true; }
  void Release();

 private:
  std::ostream& out_;
  std::ostream& err_;
  int count_ = 0;
  bool held_ = false;
  std::vector<std::string> held_lines_;
};

class StreamMessages : public Messages {
 public:
  StreamMessages(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
  void Show(const std::string& text) override;

 private:
  std::ostream& out_;
  std::ostream& err_;
};

// The folder whose `bin` a command uses: DIR of --data-dir, else the one
// LocateDataDirectory chooses (which may create and fill a per-user folder,
// so it runs only once the options are known to be valid). Nothing when no
// folder can be used; the reason has been printed on `err`.
std::optional<std::filesystem::path> ChooseDataDir(const std::optional<std::string>& option,
                                                   std::ostream& err);

// The expression and, under it, "^~~" beneath `place` (in characters of
// `text`), as compilers point at a fault; no final line break. A tab before
// the place stays a tab, so the marks line up with the text as a terminal
// shows it.
std::string PlaceLines(std::string_view text, const SourceRange& place);

// Writes `text` on the error stream after flushing the output stream, so
// that both in one file or pipe keep the order they were written in.
void PrintError(const std::string& text, std::ostream& out, std::ostream& err);

}  // namespace korvex
