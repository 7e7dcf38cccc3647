#include "cli/cli_io.h"

#include <ostream>

#include "plot/plot_settings.h"
#include "settings/general_file.h"
#include "settings/line_file.h"
#include "settings/mask_file.h"
#include "settings/other_file.h"
#include "settings/variables_file.h"

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
  // The settings files as the program reads them at start-up, created with
  // their defaults when missing. other.ini is only created: a start-screen
  // request in it belongs to the desktop program.
  LoadVariables(setup.data, setup.variables, messages);
  LoadMaskSettings(setup.data, setup.mask, messages);
  LoadGeneralSettings(setup.data, setup.general, messages);
  PlotSettings plot;
  LoadPlotSettings(setup.data, plot, messages);
  if (!ReadLines(setup.data.File(kOtherSettingsFile))) SaveOtherSettings(setup.data, messages);
  setup.variables.insert(setup.variables.begin(), first_rows.begin(), first_rows.end());
  return true;
}

void ConnectEngine(Engine& engine, const CalculatorSetup& setup) {
  engine.environment().functions = &setup.catalogues.functions;
  engine.environment().constants = &setup.catalogues.constants;
  engine.environment().variables = &setup.variables;
  engine.environment().loop_limit = setup.general.loop_limit;
}

}  // namespace korvex
