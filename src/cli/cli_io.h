// Shared pieces of the CLI commands: option values, failure printing and the
// calculator's surroundings read from the data directory.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "settings/answer_settings.h"
#include "settings/catalogue_files.h"
#include "settings/data_directory.h"
#include "settings/messages.h"

namespace korvex {

// Prints reports as "title: message" on the error stream, after flushing the
// output stream so that 2>&1 keeps the order.
class StreamErrorSink : public ErrorSink {
 public:
  StreamErrorSink(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
  void ReportError(const std::string& message, const std::string& title) override;
  int count() const { return count_; }

 private:
  std::ostream& out_;
  std::ostream& err_;
  int count_ = 0;
};

class StreamMessages : public Messages {
 public:
  StreamMessages(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
  void Show(const std::string& text) override;

 private:
  std::ostream& out_;
  std::ostream& err_;
};

// Walks argv-style arguments; a value may begin with "-".
class ArgumentCursor {
 public:
  explicit ArgumentCursor(const std::vector<std::string>& args) : args_(args) {}
  bool done() const { return index_ >= args_.size(); }
  const std::string& peek() const { return args_[index_]; }
  std::string next() { return args_[index_++]; }
  // The value after an option; nothing when the arguments end.
  std::optional<std::string> value() {
    if (done()) return std::nullopt;
    return next();
  }

 private:
  const std::vector<std::string>& args_;
  size_t index_ = 0;
};

// Everything a command needs around the engine.
struct CalculatorSetup {
  explicit CalculatorSetup(const std::string& data_dir) : data(data_dir) {}
  DataDirectory data;
  Catalogues catalogues;
  VariableTable variables;
  MaskSettings mask;
  GeneralSettings general;
};

std::string DefaultDataDir();

// The surroundings a command loads before it calculates: the catalogues (false,
// after their message, when one cannot be read), then the rows of var.ini
// after `first_rows`.
bool LoadCalculatorSetup(CalculatorSetup& setup, Messages& messages,
                         const VariableTable& first_rows = {});
// Points the engine at the setup's catalogues and variables.
void ConnectEngine(Engine& engine, const CalculatorSetup& setup);

}  // namespace korvex
