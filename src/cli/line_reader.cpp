// The line sources of `korvex-cli solve`: a plain stream, or the editing
// prompt of the editline library on a terminal.
#include "cli/line_reader.h"

#include <editline/readline.h>

#include <cstdlib>
#include <istream>
#include <utility>

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

// No expression holds a file name, so Tab must not offer the library's
// default file-name completion.
char** NoCompletion(const char*, int, int) {
  rl_attempted_completion_over = 1;
  return nullptr;
}

class TerminalLineReader : public LineReader {
 public:
  TerminalLineReader(std::string prompt, std::FILE* in, std::FILE* out)
      : prompt_(std::move(prompt)), out_(out) {
    rl_readline_name = "korvex-cli";
    rl_instream = in;
    rl_outstream = out;
    rl_attempted_completion_function = NoCompletion;
    // The library takes its streams when it starts; starting it here also
    // drops the history of an earlier reader.
    rl_initialize();
  }
  ~TerminalLineReader() override { clear_history(); }

  std::optional<std::string> ReadLine() override {
    char* typed = readline(prompt_.c_str());
    if (typed == nullptr) {
      std::fputc('\n', out_);
      std::fflush(out_);
      return std::nullopt;
    }
    std::string line(typed);
    std::free(typed);
    // Blank lines and repeats would only make Up take longer to reach
    // something new.
    if (line.find_first_not_of(" \t") != std::string::npos && line != last_added_) {
      add_history(line.c_str());
      last_added_ = line;
    }
    return line;
  }

 private:
  std::string prompt_;
  std::FILE* out_;
  std::string last_added_;
};

}  // namespace

std::unique_ptr<LineReader> MakeStreamLineReader(std::istream& in) {
  return std::make_unique<StreamLineReader>(in);
}

std::unique_ptr<LineReader> MakeTerminalLineReader(const std::string& prompt, std::FILE* in,
                                                   std::FILE* out) {
  return std::make_unique<TerminalLineReader>(prompt, in, out);
}

}  // namespace korvex
