// The one calculator object both front ends drive: it owns the data folder,
// catalogues, variables, settings, engine, plot driver and stored answer, and
// offers each request whole, so the windows and the CLI never string engine
// calls together themselves.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/request_outcome.h"
#include "core/request_worker.h"
#include "engine/engine.h"
#include "plot/benchmark.h"
#include "plot/plotter.h"
#include "settings/answer_settings.h"
#include "settings/catalogue_files.h"
#include "settings/data_directory.h"
#include "settings/messages.h"
#include "settings/startup_sequence.h"

namespace korvex {

// What a front end does after each start-up step: refresh a status panel,
// a completion list, a table. Empty entries are skipped.
struct StartUpViews {
  std::function<void()> catalogues_loaded;
  std::function<void()> variables_loaded;
  std::function<void()> mask_settings_loaded;
  std::function<void()> general_settings_loaded;
  std::function<void()> plot_settings_loaded;
  std::function<void()> show_splash;
  std::function<void()> show_start_screen;
};

class Calculator {
 public:
  // `program_directory` holds the `bin` data folder; `messages` shows the
  // settings files' failures and must outlive the calculator.
  Calculator(const std::filesystem::path& program_directory, Messages& messages);
  // Stops a request still running on the worker and waits for it.
  ~Calculator();
  Calculator(const Calculator&) = delete;
  Calculator& operator=(const Calculator&) = delete;

  // Where requests report their failures; null drops them. The sink must
  // outlive its use.
  void set_error_sink(ErrorSink* sink) { errors_.target = sink; }
  // The plot run's display (Plot info, reminder, graph); null shows nothing.
  void set_plot_progress(PlotProgress* progress) { plotter_.set_progress(progress); }

  // The desktop program's start-up sequence, once per flag: catalogues and
  // settings files, each followed by its view step, then splash and start
  // screen.
  StartUpOutcome RunStartUp(FirstActivationFlag& first_activation, const StartUpViews& views);
  // The same files without windows, as a command-line run needs them: false
  // (after its message) when a catalogue cannot be read. other.ini is only
  // created; a start-screen request in it belongs to the desktop program.
  bool StartWithoutWindows();

  // A solve request: engine, answer text, stored answer, separator, steps.
  SolveOutcome Solve(std::string_view text);
  // Asks the running request to stop; safe from any thread and from a
  // signal handler. The request ends within milliseconds as canceled; each
  // new request starts with the flag clear.
  void RequestStop() { stop_.Request(); }
  // Runs `request` (Solve, Plot, RunBenchmarkTest and what the front end
  // does around them) on the calculator's own worker thread, so a desktop
  // program keeps answering while it works. False, and nothing runs, while
  // another request runs: requests never overlap. Until it has ended the
  // caller leaves the calculator alone except for RequestStop and busy.
  bool StartOnWorker(std::function<void()> request) { return worker_.Start(std::move(request)); }
  bool busy() const { return worker_.busy(); }
  void WaitUntilIdle() { worker_.WaitUntilIdle(); }
  // A plot request with the live plot settings.
  PlotOutcome Plot(std::string_view text);
  // A benchmark over this calculator's plotter. When it ends it reloads
  // plot.ini, then calls `settings_restored` (when given).
  Benchmark MakeBenchmark(std::vector<BenchmarkTest> tests = StandardBenchmarkTests(),
                          std::function<void()> settings_restored = {});
  // One test of `benchmark`; the caller paces them (the window with its
  // timer, the CLI back to back).
  BenchmarkStepOutcome RunBenchmarkTest(Benchmark& benchmark);

  // "Copy answer": the stored answer in the separator now in force.
  std::string CopyAnswerText() const;

  // The settings files. Loading replaces the live values by the file's;
  // saving writes the given values and leaves the live ones alone (every
  // dialog reloads after it closes). Saves return false after their
  // failure messages.
  void LoadVariables();
  bool SaveVariables();
  void LoadMaskSettings();
  bool SaveMaskSettings(const MaskSettings& settings);
  void LoadGeneralSettings();
  bool SaveGeneralSettings(const GeneralSettings& settings);
  void LoadPlotSettings();
  bool SavePlotSettings(const PlotSettings& settings);

  const DataDirectory& data() const { return data_; }
  Messages& messages() { return messages_; }
  const Catalogues& catalogues() const { return catalogues_; }
  // Live tables and settings: the User variables window edits the variables
  // in place, and the CLI overrides settings for one run.
  VariableTable& variables() { return variables_; }
  MaskSettings& mask() { return mask_; }
  const MaskSettings& mask() const { return mask_; }
  GeneralSettings& general() { return general_; }
  const GeneralSettings& general() const { return general_; }
  PlotSettings& plot_settings() { return plotter_.settings(); }
  const PlotSettings& plot_settings() const { return plotter_.settings(); }

  const Engine& engine() const { return engine_; }
  const StepLog& steps() const { return engine_.steps(); }
  long double stored_answer() const { return engine_.stored_answer(); }
  // The decimal separator in force for display: every request sets ",";
  // the answer output may switch it to "." until the next request.
  char decimal_separator() const { return decimal_separator_; }
  Plotter& plotter() { return plotter_; }
  const Plotter& plotter() const { return plotter_; }
  // Reports through the front end's sink, for failures found outside a
  // request (a refused graph setting, a clipboard without text).
  ErrorSink& errors() { return errors_; }

 private:
  // Forwards to the front end's sink, which is made after the calculator.
  struct ForwardingSink : ErrorSink {
    void ReportError(const std::string& message, const std::string& title) override {
      if (target) target->ReportError(message, title);
    }
    void ReportErrorAt(const std::string& message, const std::string& title,
                       const std::optional<SourceRange>& place) override {
      if (target) target->ReportErrorAt(message, title, place);
    }
    ErrorSink* target = nullptr;
  };

  // The engine and plotter follow general.ini's loop limit and reminder.
  void ApplyGeneralSettings();

  DataDirectory data_;
  Messages& messages_;
  ForwardingSink errors_;
  StopFlag stop_;
  Catalogues catalogues_;
  VariableTable variables_;
  MaskSettings mask_;
  GeneralSettings general_;
  Engine engine_;
  Plotter plotter_;
  char decimal_separator_ = kEngineSeparator;
  // Last, so it ends (and with it any request) before the rest goes.
  RequestWorker worker_;
};

}  // namespace korvex
