// The calculator's state that the windows share: the engine, the catalogues,
// the settings and the plot layer. The main window owns the one instance and
// hands references to the other windows; nothing here is global.
#pragma once

#include <filesystem>
#include <string>

#include "engine/engine.h"
#include "plot/plotter.h"
#include "settings/answer_settings.h"
#include "settings/catalogue_files.h"
#include "settings/data_directory.h"

namespace korvex {

struct Calculator {
  Calculator(const std::filesystem::path& program_directory, ErrorSink& errors)
      : data(program_directory), engine(errors), plotter(engine) {
    engine.environment().functions = &catalogues.functions;
    engine.environment().constants = &catalogues.constants;
    engine.environment().variables = &variables;
  }
  Calculator(const Calculator&) = delete;
  Calculator& operator=(const Calculator&) = delete;

  // Settings take effect through their files; keep the engine's copies of
  // the loop limit and the reminder interval in step after every load.
  void ApplyGeneralSettings() {
    engine.environment().loop_limit = general.loop_limit;
    plotter.set_reminder_interval(general.reminder_interval);
  }

  DataDirectory data;
  Catalogues catalogues;
  VariableTable variables;  // the User variables window edits this table live
  MaskSettings mask;
  GeneralSettings general;
  Engine engine;
  Plotter plotter;  // plot settings, chart model, series statistics, timing
};

}  // namespace korvex
