#include "cli/cli_io.h"

#include <ostream>

#include "settings/line_file.h"

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

bool LoadCalculatorSetup(CalculatorSetup& setup, Messages& messages,
                         const VariableTable& first_rows) {
  if (!GetDatabase(setup.data, setup.catalogues, messages)) return false;
  setup.variables = first_rows;
  if (const auto lines = ReadLines(setup.data.File("var.ini"))) {
    const VariableTable file_rows = ParseVariableLines(*lines);
    setup.variables.insert(setup.variables.end(), file_rows.begin(), file_rows.end());
  }
  return true;
}

void ConnectEngine(Engine& engine, const CalculatorSetup& setup) {
  engine.environment().functions = &setup.catalogues.functions;
  engine.environment().constants = &setup.catalogues.constants;
  engine.environment().variables = &setup.variables;
}

}  // namespace korvex
