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
