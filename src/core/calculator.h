// The one calculator object both front ends drive: it owns the data folder,
// catalogues, variables and settings, the user's session, and the worker
// that runs requests against engine state of its own. Requests are values
// (request.h) made from the settings and the session when they start; their
// outcomes are values that the thread owning the session applies to it.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/preview.h"
#include "core/request.h"
#include "core/request_context.h"
#include "core/request_notices.h"
#include "core/request_outcome.h"
#include "core/request_worker.h"
#include "core/session.h"
#include "engine/prime_count.h"
#include "plot/benchmark.h"
#include "settings/answer_settings.h"
#include "settings/catalogue_files.h"
#include "settings/data_directory.h"
#include "settings/messages.h"
#include "settings/plot_file.h"
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

// Shows a request's reported failures through `sink`, in their order.
void ReplayFailures(const std::vector<ReportedFailure>& failures, ErrorSink& sink);

class Calculator {
 public:
  // `program_directory` holds the `bin` data folder; `messages` shows the
  // settings files' failures and must outlive the calculator.
  Calculator(const std::filesystem::path& program_directory, Messages& messages);
  // Stops a request still running on the worker and waits for it.
  ~Calculator();
  Calculator(const Calculator&) = delete;
  Calculator& operator=(const Calculator&) = delete;

  // Where the synchronous requests replay their failures, and where
  // failures found outside a request go; null drops them. The sink must
  // outlive its use.
  void set_error_sink(ErrorSink* sink) { errors_.target = sink; }

  // The desktop program's start-up sequence, once per flag: catalogues and
  // settings files, each followed by its view step, then splash and start
  // screen.
  StartUpOutcome RunStartUp(FirstActivationFlag& first_activation, const StartUpViews& views);
  // The same files without windows, as a command-line run needs them: false
  // (after its message) when a catalogue cannot be read. other.ini is only
  // created; a start-screen request in it belongs to the desktop program.
  bool StartWithoutWindows();

  // ---- Requests as values ----
  // What a request reads, as the settings and `session` are now.
  RequestSnapshot Snapshot(const Session& session) const;
  SolveRequest MakeSolveRequest(std::string_view text, const Session& session) const;
  PlotRequest MakePlotRequest(std::string_view text, const Session& session) const;
  // A preview of `text` as the user's session stands now (see preview.h).
  PreviewRequest MakePreviewRequest(std::string_view text, bool plot,
                                    std::uint64_t generation) const {
    return {generation, std::string(text), plot, Snapshot(session_)};
  }

  // Runs `job` on the worker against the worker's engine state and returns
  // at once; the job hands its outcome back to the front end's thread
  // itself. False, and nothing runs, while another request runs. The
  // request's control (stop, progress, reminder) begins here, so a stop
  // asked for right after the start counts.
  bool StartOnWorker(std::function<void(RequestContext&)> job);
  bool busy() const { return worker_.busy(); }
  void WaitUntilIdle() { worker_.WaitUntilIdle(); }
  // Asks the running request to stop; safe from any thread and from a
  // signal handler. The request ends within milliseconds as canceled.
  void RequestStop() { context_.control().RequestStop(); }
  // Stop, progress position and the Reminder's answer of the running request.
  RequestControl& control() { return context_.control(); }

  // Synchronous requests on the calling thread, applied to the user's
  // session, their failures replayed to the error sink: the command-line
  // run and the tests. Not while the worker runs one.
  SolveOutcome Solve(std::string_view text);
  // `keeping` says what the session keeps of the run's samples.
  PlotOutcome Plot(std::string_view text, RequestNotices* notices = nullptr,
                   const PlotKeeping& keeping = PlotKeeping());
  // One test of `benchmark`; the caller paces them (the window with its
  // timer, the CLI back to back). Once the benchmark has ended, plot.ini is
  // read again.
  BenchmarkStepOutcome RunBenchmarkTest(Benchmark& benchmark);
  // After a benchmark run ended (by its last test or a stop between tests):
  // the user's plot options again from plot.ini.
  void EndBenchmark() { LoadPlotSettings(); }

  // The user's session: what the windows show.
  Session& session() { return session_; }
  const Session& session() const { return session_; }
  PlotStore& plots() { return session_.plots(); }
  const PlotStore& plots() const { return session_.plots(); }
  const StepLog& steps() const { return session_.steps(); }
  long double stored_answer() const { return session_.stored_answer(); }
  char decimal_separator() const { return session_.decimal_separator(); }
  // "Copy answer": the stored answer in the separator now in force.
  std::string CopyAnswerText() const { return session_.CopyAnswerText(); }

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
  // Live tables and settings, on the front end's thread: the User variables
  // window edits the variables in place, and the CLI overrides settings for
  // one run. A running request has its own copies.
  VariableTable& variables() { return variables_; }
  const VariableTable& variables() const { return variables_; }
  MaskSettings& mask() { return mask_; }
  const MaskSettings& mask() const { return mask_; }
  GeneralSettings& general() { return general_; }
  const GeneralSettings& general() const { return general_; }
  PlotSettings& plot_settings() { return plot_settings_; }
  const PlotSettings& plot_settings() const { return plot_settings_; }

  // The worker's engine state, for tests and benchmarks that choose a
  // sampling path; never while a request runs.
  RequestContext& context() { return context_; }
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

  DataDirectory data_;
  Messages& messages_;
  ForwardingSink errors_;
  Catalogues catalogues_;
  VariableTable variables_;
  MaskSettings mask_;
  GeneralSettings general_;
  PlotSettings plot_settings_;
  Session session_;
  // Counts primepi's large limits for the worker's engine; declared before
  // the context, so it outlives the engine that points to it.
  SpawnedPrimeCounter prime_counter_;
  RequestContext context_;
  // Last, so it ends (and with it any request) before the rest goes.
  RequestWorker worker_;
};

}  // namespace korvex
