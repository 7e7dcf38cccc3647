// The editing prompt of `korvex-cli solve` on a terminal, over the editline
// library: emacs keys, a history, and the preview row under the line.
#include <histedit.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <utility>

#include "cli/line_reader.h"
#include "cli/preview_display.h"
#include "cli/prompt_signals.h"

namespace korvex {
namespace {

// Keys that terminals send and other prompts understand, beyond the
// library's emacs map. Tab does nothing: no expression holds a file name,
// and a tab character would only be an invisible gap.
constexpr std::pair<const char*, const char*> kExtraBindings[] = {
    {"^R", "em-inc-search-prev"}, {"^I", "ed-ignore"},          {"\\e[H", "ed-move-to-beg"},
    {"\\e[1~", "ed-move-to-beg"}, {"\\e[7~", "ed-move-to-beg"}, {"\\e[F", "ed-move-to-end"},
    {"\\e[4~", "ed-move-to-end"}, {"\\e[8~", "ed-move-to-end"}, {"\\e[3~", "ed-delete-next-char"},
    {"\\e[1;5C", "em-next-word"}, {"\\e[1;5D", "ed-prev-word"},
};

// The cells the editor draws for one character of the line: ^X for a
// control character, \U+XXXX for one it cannot print.
int CellsOf(wchar_t c) {
  if (c < 0x20 || c == 0x7F) return 2;
  const int width = ::wcwidth(c);
  if (width >= 0) return width;
  return c > 0xFFFF ? 8 : 7;
}

// The preview row needs a cursor that moves up: a dumb terminal (also the
// library's choice when TERM is unset or unknown) has none.
bool MovesUp(EditLine* editor) {
  char* up = nullptr;
  return el_get(editor, EL_GETTC, "up", &up, nullptr) == 0 && up != nullptr && *up != '\0';
}

int CellsOf(const wchar_t* begin, const wchar_t* end) {
  int cells = 0;
  for (; begin < end; ++begin) cells += CellsOf(*begin);
  return cells;
}

class TerminalLineReader : public LineReader {
 public:
  TerminalLineReader(std::string prompt, std::FILE* in, std::FILE* out, LinePreviewSource* preview)
      : prompt_(std::move(prompt)),
        out_(out),
        in_fd_(fileno(in)),
        editor_(el_init("korvex-cli", in, out, stderr)),
        history_(history_init()),
        preview_(preview),
        signals_(fileno(out)) {
    if (editor_ == nullptr || history_ == nullptr) return;
    HistEvent event;
    history(history_, &event, H_SETSIZE, INT_MAX);
    el_set(editor_, EL_CLIENTDATA, this);
    el_set(editor_, EL_PROMPT, &TerminalLineReader::Prompt);
    el_set(editor_, EL_EDITOR, "emacs");
    // The signals are ours (PromptSignals): the library's handling would
    // not know of the preview row.
    el_set(editor_, EL_SIGNAL, 0);
    el_set(editor_, EL_HIST, history, history_);
    el_set(editor_, EL_GETCFN, &TerminalLineReader::ReadKey);
    for (const auto& [keys, function] : kExtraBindings)
      el_set(editor_, EL_BIND, keys, function, nullptr);
    // The user's ~/.editrc (or $EDITRC) comes last, so it may change any key.
    el_source(editor_, nullptr);
    if (preview != nullptr && MovesUp(editor_)) display_.emplace(*preview, signals_, out);
  }
  ~TerminalLineReader() override {
    display_.reset();
    if (editor_ != nullptr) el_end(editor_);
    if (history_ != nullptr) history_end(history_);
  }
  TerminalLineReader(const TerminalLineReader&) = delete;
  TerminalLineReader& operator=(const TerminalLineReader&) = delete;

  std::optional<std::string> ReadLine() override {
    int count = 0;
    const char* typed = editor_ != nullptr ? Edit(count) : nullptr;
    if (typed == nullptr || count <= 0) {
      std::fputc('\n', out_);
      std::fflush(out_);
      return std::nullopt;
    }
    std::string line(typed, static_cast<std::size_t>(count));
    if (!line.empty() && line.back() == '\n') line.pop_back();
    // Blank lines and repeats would only make Up take longer to reach
    // something new.
    if (line.find_first_not_of(" \t") != std::string::npos && line != last_added_) {
      HistEvent event;
      history(history_, &event, H_ENTER, line.c_str());
      last_added_ = line;
    }
    return line;
  }

 private:
  const char* Edit(int& count) {
    termios outside{};
    if (::tcgetattr(in_fd_, &outside) == 0) signals_.EditingBegins(outside);
    if (signals_.TakeResized()) el_resize(editor_);
    const char* typed = el_gets(editor_, &count);
    signals_.EditingEnds();
    if (display_) display_->Finish();
    return typed;
  }

  // After a stop the terminal came back in the shell's modes, maybe with
  // other text on it: the editor takes it again and draws its line anew at
  // the start of the cursor's row (the shell leaves it on a fresh one).
  // After a resize it learns the new width.
  void CatchUp() {
    if (signals_.TakeResized()) el_resize(editor_);
    if (signals_.TakeContinued()) {
      // The library believes it still has the terminal: it takes it only
      // after giving it up.
      el_set(editor_, EL_PREP_TERM, 0);
      el_set(editor_, EL_PREP_TERM, 1);
      std::fputc('\r', out_);
      el_set(editor_, EL_REFRESH);
      if (display_) display_->Forget();
    }
  }

  static TerminalLineReader& Of(EditLine* editor) {
    void* reader = nullptr;
    el_get(editor, EL_CLIENTDATA, &reader);
    return *static_cast<TerminalLineReader*>(reader);
  }

  static char* Prompt(EditLine* editor) { return Of(editor).prompt_.data(); }

  static int ReadKey(EditLine* editor, wchar_t* key) { return Of(editor).NextKey(key); }

  // Waits for a key, showing the preview meanwhile. Each byte is one
  // character, as the library's readline interface has always read them.
  int NextKey(wchar_t* key) {
    for (;;) {
      CatchUp();
      pollfd waits[2] = {{in_fd_, POLLIN, 0}, {-1, POLLIN, 0}};
      // Keys already typed (the rest of an arrow key's sequence, a paste)
      // come first: the preview is for the line the user stops at.
      if (::poll(waits, 1, 0) > 0) break;
      if (display_) {
        display_->Follow(Edited());
        waits[1].fd = preview_->ready_fd();
      }
      if (::poll(waits, 2, -1) < 0) {
        // A resize, or a continue after Ctrl+Z: CatchUp redraws the line,
        // and Follow brings the preview back.
        if (errno == EINTR) continue;
        return -1;
      }
      if (waits[0].revents != 0) break;
      if ((waits[1].revents & POLLIN) != 0) display_->ShowReady(Edited());
    }
    if (display_) display_->Hide();
    unsigned char byte = 0;
    ssize_t count = 0;
    do {
      count = ::read(in_fd_, &byte, 1);
    } while (count < 0 && errno == EINTR);
    if (count <= 0) return count == 0 ? 0 : -1;
    *key = static_cast<wchar_t>(byte);
    return 1;
  }

  EditedLine Edited() const {
    EditedLine edited;
    const LineInfo* narrow = el_line(editor_);
    edited.text.assign(narrow->buffer, narrow->lastchar);
    const LineInfoW* wide = el_wline(editor_);
    const int prompt = static_cast<int>(prompt_.size());
    edited.cursor_cells = prompt + CellsOf(wide->buffer, wide->cursor);
    edited.end_cells = prompt + CellsOf(wide->buffer, wide->lastchar);
    el_get(editor_, EL_GETTC, "co", &edited.columns, nullptr);
    return edited;
  }

  std::string prompt_;
  std::FILE* out_;
  int in_fd_;
  EditLine* editor_;
  History* history_;
  LinePreviewSource* preview_;
  PromptSignals signals_;
  std::string last_added_;
  std::optional<PreviewDisplay> display_;
};

}  // namespace

std::unique_ptr<LineReader> MakeTerminalLineReader(const std::string& prompt, std::FILE* in,
                                                   std::FILE* out, LinePreviewSource* preview) {
  return std::make_unique<TerminalLineReader>(prompt, in, out, preview);
}

}  // namespace korvex
