// The preview row of the terminal prompt: which text belongs to the line
// being edited, and when it is drawn and cleared. Everything here runs on
// the thread that reads the keys, between two keys, so the editor's own
// output and the preview's never interleave.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "cli/line_reader.h"
#include "cli/preview_line.h"
#include "cli/prompt_signals.h"

namespace korvex {

// The edited line as the editor shows it now.
struct EditedLine {
  std::string text;
  // The terminal's width.
  int columns = 0;
  // Cells from the start of the prompt to the cursor and to the line's end.
  int cursor_cells = 0;
  int end_cells = 0;
};

class PreviewDisplay {
 public:
  // `source` and `signals` must outlive the display; the row is written to
  // `out`, which must be the editor's terminal.
  PreviewDisplay(LinePreviewSource& source, PromptSignals& signals, std::FILE* out);
  ~PreviewDisplay();
  PreviewDisplay(const PreviewDisplay&) = delete;
  PreviewDisplay& operator=(const PreviewDisplay&) = delete;

  // After a key, before waiting for the next: a changed line goes to the
  // source; an unchanged one (the cursor moved, or a signal cleared the
  // row) gets its text back.
  void Follow(const EditedLine& line);
  // The source said a text may be ready: shows it under `line`.
  void ShowReady(const EditedLine& line);
  // Clears the row before a key reaches the editor: whatever the key makes
  // the editor write (a longer line, a new line) finds the row empty.
  void Hide();
  // The line was entered or the input ended: the next prompt starts empty.
  void Finish();
  // The editor drew its line anew after a stop, when anything may have been
  // written over the row: it is not cleared again, Follow draws it afresh.
  void Forget();

 private:
  void Show(const EditedLine& line);
  void Write(const std::string& bytes);

  LinePreviewSource& source_;
  PromptSignals& signals_;
  std::FILE* out_;
  // The line the source was last told of, and the text it gave for it.
  std::string followed_;
  std::string text_;
};

}  // namespace korvex
