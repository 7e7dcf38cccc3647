// The calculator's requests, start-up and settings files.
#include "core/calculator.h"

#include <utility>

#include "settings/general_file.h"
#include "settings/helper_programs.h"
#include "settings/line_file.h"
#include "settings/mask_file.h"
#include "settings/other_file.h"
#include "settings/variables_file.h"

namespace korvex {

void ReplayFailures(const std::vector<ReportedFailure>& failures, ErrorSink& sink) {
  for (const ReportedFailure& failure : failures)
    sink.ReportErrorAt(failure.message, failure.title, failure.place);
}

Calculator::Calculator(const std::filesystem::path& program_directory, Messages& messages)
    : data_(program_directory), messages_(messages), prime_counter_(PrimeCountHelperPath()) {
  context_.engine().function_state().prime_counter = &prime_counter_;
}

Calculator::~Calculator() { RequestStop(); }

// ---- Start-up ----

StartUpOutcome Calculator::RunStartUp(FirstActivationFlag& first_activation,
                                      const StartUpViews& views) {
  const auto then = [](std::function<void()> load, const std::function<void()>& view) {
    return [load = std::move(load), view] {
      load();
      if (view) view();
    };
  };
  StartUpSteps steps =
      SettingsStartUpSteps(data_, {catalogues_, variables_, mask_, general_}, messages_);
  steps.load_catalogues = [load = steps.load_catalogues, &views] {
    if (!load()) return false;
    if (views.catalogues_loaded) views.catalogues_loaded();
    return true;
  };
  steps.load_variables = then(steps.load_variables, views.variables_loaded);
  steps.load_mask_settings = then(steps.load_mask_settings, views.mask_settings_loaded);
  steps.load_general_settings = then(steps.load_general_settings, views.general_settings_loaded);
  steps.load_plot_settings = then([this] { LoadPlotSettings(); }, views.plot_settings_loaded);
  steps.show_splash = views.show_splash;
  steps.show_start_screen = views.show_start_screen;
  return RunStartUpSequence(first_activation, steps, data_, messages_);
}

bool Calculator::StartWithoutWindows() {
  if (!GetDatabase(data_, catalogues_, messages_)) return false;
  LoadVariables();
  LoadMaskSettings();
  LoadGeneralSettings();
  LoadPlotSettings();
  // Created when missing; one that cannot be read is left for the desktop
  // program to report.
  if (ReadLineFile(data_.File(kOtherSettingsFile)).state == LineFile::State::kMissing)
    SaveOtherSettings(data_, messages_);
  return true;
}

// ---- Requests ----

RequestSnapshot Calculator::Snapshot(const Session& session) const {
  RequestSnapshot snapshot;
  snapshot.catalogues = &catalogues_;
  snapshot.variables = variables_;
  snapshot.mask = mask_;
  snapshot.general = general_;
  snapshot.plot = plot_settings_;
  snapshot.stored_answer = session.stored_answer();
  snapshot.random = session.random();
  return snapshot;
}

SolveRequest Calculator::MakeSolveRequest(std::string_view text, const Session& session) const {
  return {std::string(text), Snapshot(session)};
}

PlotRequest Calculator::MakePlotRequest(std::string_view text, const Session& session) const {
  return {std::string(text), Snapshot(session), session.plots().chart().Outline(), PlotKeeping()};
}

bool Calculator::StartOnWorker(std::function<void(RequestContext&)> job) {
  if (worker_.busy()) return false;
  context_.control().Begin();
  return worker_.Start([this, job = std::move(job)] { job(context_); });
}

SolveOutcome Calculator::Solve(std::string_view text) {
  context_.control().Begin();
  SolveOutcome outcome = context_.Solve(MakeSolveRequest(text, session_));
  session_.Apply(outcome);
  ReplayFailures(outcome.reported, errors_);
  return outcome;
}

PlotOutcome Calculator::Plot(std::string_view text, RequestNotices* notices,
                             const PlotKeeping& keeping) {
  context_.control().Begin();
  SessionNotices applied(session_, notices, keeping);
  PlotRequest request = MakePlotRequest(text, session_);
  request.keeping = keeping;
  PlotOutcome outcome = context_.Plot(request, applied);
  session_.Apply(outcome);
  ReplayFailures(outcome.reported, errors_);
  return outcome;
}

BenchmarkStepOutcome Calculator::RunBenchmarkTest(Benchmark& benchmark) {
  context_.control().Begin();
  RequestNotices silent;
  BenchmarkStepOutcome outcome =
      context_.RunBenchmarkTest({std::move(benchmark), Snapshot(session_)}, silent);
  benchmark = outcome.benchmark;
  session_.Apply(outcome);
  ReplayFailures(outcome.reported, errors_);
  if (!benchmark.running()) EndBenchmark();
  return outcome;
}

// ---- Settings files ----

void Calculator::LoadVariables() { korvex::LoadVariables(data_, variables_, messages_); }

bool Calculator::SaveVariables() { return korvex::SaveVariables(data_, variables_, messages_); }

void Calculator::LoadMaskSettings() { korvex::LoadMaskSettings(data_, mask_, messages_); }

bool Calculator::SaveMaskSettings(const MaskSettings& settings) {
  return korvex::SaveMaskSettings(data_, settings, messages_);
}

void Calculator::LoadGeneralSettings() { korvex::LoadGeneralSettings(data_, general_, messages_); }

bool Calculator::SaveGeneralSettings(const GeneralSettings& settings) {
  return korvex::SaveGeneralSettings(data_, settings, messages_);
}

void Calculator::LoadPlotSettings() { korvex::LoadPlotSettings(data_, plot_settings_, messages_); }

bool Calculator::SavePlotSettings(const PlotSettings& settings) {
  return korvex::SavePlotSettings(data_, settings, messages_);
}

}  // namespace korvex
