// What every calculating command starts with: the terminal as the program's
// messages and failure sink, and a calculator started without windows on
// the chosen data folder.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "cli/cli_io.h"
#include "core/calculator.h"

namespace korvex {

class CliSession {
 public:
  CliSession(std::ostream& out, std::ostream& err)
      : err_(err), messages_(out, err), errors_(out, err) {}

  // Failures printed as `title: message`; a command may pass them on
  // through a sink of its own.
  StreamErrorSink& errors() { return errors_; }

  // The started calculator, failures going to `sink` (the terminal when
  // null); nothing when the folder cannot be used or the catalogues are
  // missing, which has been said on the error stream.
  Calculator* Start(const std::optional<std::string>& data_dir_option, ErrorSink* sink = nullptr);

 private:
  std::ostream& err_;
  StreamMessages messages_;
  StreamErrorSink errors_;
  std::optional<Calculator> calculator_;
};

}  // namespace korvex
