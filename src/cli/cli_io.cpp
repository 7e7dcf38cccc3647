#include "cli/cli_io.h"

#include <ostream>

#include "settings/data_directory.h"

namespace korvex {

void StreamErrorSink::ReportError(const std::string& message, const std::string& title) {
  ++count_;
  out_.flush();
  err_ << title << ": " << message << '\n';
  err_.flush();
}

void StreamMessages::Show(const std::string& text) {
  out_.flush();
  err_ << text << '\n';
  err_.flush();
}

std::string DefaultDataDir() { return ExecutableDirectory().string(); }

}  // namespace korvex
