// The calculator's requests, start-up and settings files.
#include "core/calculator.h"

#include <unistd.h>

#include <cstdint>
#include <exception>
#include <new>
#include <utility>

#include "output/show_answer.h"
#include "output/thousands_separator.h"
#include "settings/general_file.h"
#include "settings/line_file.h"
#include "settings/mask_file.h"
#include "settings/other_file.h"
#include "settings/variables_file.h"

namespace korvex {

namespace {

// A plot may take up to half of the machine's memory; the rest stays for the
// program and everything else that runs.
std::uint64_t PlotMemoryBudget() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long page_size = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || page_size <= 0) return UINT64_MAX;
  return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size) / 2;
}

}  // namespace

std::string GeneralFailureText(const std::string& text) {
  if (!text.empty() && text.back() > '.') return text + ".";
  return text;
}

namespace {

// What a failure that abandoned a request shows. Running out of memory ends
// the request, not the program.
std::string FailureText(const std::exception& failure) {
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) return kOutOfMemoryMessage;
  return GeneralFailureText(failure.what());
}

}  // namespace

Calculator::Calculator(const std::filesystem::path& program_directory, Messages& messages)
    : data_(program_directory), messages_(messages), engine_(errors_), plotter_(engine_) {
  engine_.environment().functions = &catalogues_.functions;
  engine_.environment().constants = &catalogues_.constants;
  engine_.environment().variables = &variables_;
  engine_.environment().stop = &stop_;
  plotter_.set_memory_budget(PlotMemoryBudget());
  ApplyGeneralSettings();
}

Calculator::~Calculator() { RequestStop(); }

void Calculator::ApplyGeneralSettings() {
  engine_.environment().loop_limit = general_.loop_limit;
  plotter_.set_reminder_interval(general_.reminder_interval);
}

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
  steps.load_general_settings = then(
      [this, load = steps.load_general_settings] {
        load();
        ApplyGeneralSettings();
      },
      views.general_settings_loaded);
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

SolveOutcome Calculator::Solve(std::string_view text) {
  SolveOutcome outcome;
  decimal_separator_ = kEngineSeparator;
  stop_.Clear();
  try {
    if (!engine_.Solve(text)) {
      outcome.error_place = engine_.last_error_place();
      return outcome;
    }
    const ShownAnswer shown =
        ShowAnswer(engine_.tokens()[0], mask_, general_, LocaleThousandsText());
    outcome.evaluated = true;
    outcome.bit_count = shown.bit_count;
    engine_.set_stored_answer(shown.stored_answer);
    decimal_separator_ = shown.decimal_separator;
    if (!shown.failure) {
      outcome.status = SolveOutcome::Status::kAnswered;
      outcome.answer_text = shown.text;
    } else if (shown.failure->kind == AnswerFailure::Kind::kConversion) {
      errors_.ReportError(shown.failure->message, shown.failure->title);
    } else {
      outcome.status = SolveOutcome::Status::kGeneralFailure;
      outcome.failure_text = GeneralFailureText(shown.failure->message);
    }
  } catch (const Cancelled& canceled) {
    outcome.status = SolveOutcome::Status::kCanceled;
    outcome.failure_text = canceled.what();
  } catch (const std::exception& failure) {
    outcome.status = SolveOutcome::Status::kGeneralFailure;
    outcome.failure_text = FailureText(failure);
  }
  return outcome;
}

PlotOutcome Calculator::Plot(std::string_view text) {
  PlotOutcome outcome;
  decimal_separator_ = kEngineSeparator;
  stop_.Clear();
  try {
    if (plotter_.SolvePlot(text))
      outcome.status = PlotOutcome::Status::kComplete;
    else if (stop_.requested())
      outcome.status = PlotOutcome::Status::kCanceled;
  } catch (const Cancelled&) {
    // Stopped while preparing: no run to finish.
    outcome.status = PlotOutcome::Status::kCanceled;
  } catch (const std::exception& failure) {
    outcome.status = PlotOutcome::Status::kGeneralFailure;
    outcome.failure_text = FailureText(failure);
  }
  return outcome;
}

Benchmark Calculator::MakeBenchmark(std::vector<BenchmarkTest> tests,
                                    std::function<void()> settings_restored) {
  Benchmark benchmark(
      plotter_,
      [this, restored = std::move(settings_restored)] {
        LoadPlotSettings();
        if (restored) restored();
      },
      std::move(tests));
  benchmark.set_stop_flag(&stop_);
  return benchmark;
}

BenchmarkStepOutcome Calculator::RunBenchmarkTest(Benchmark& benchmark) {
  BenchmarkStepOutcome outcome;
  decimal_separator_ = kEngineSeparator;
  stop_.Clear();
  try {
    outcome.step = benchmark.RunCurrentTest();
  } catch (const std::exception& failure) {
    // The benchmark has already ended the run as failed.
    outcome.step = Benchmark::Step::kFailed;
    outcome.failure_text = FailureText(failure);
  }
  return outcome;
}

std::string Calculator::CopyAnswerText() const {
  return FloatToStr(engine_.stored_answer(), decimal_separator_);
}

// ---- Settings files ----

void Calculator::LoadVariables() { korvex::LoadVariables(data_, variables_, messages_); }

bool Calculator::SaveVariables() { return korvex::SaveVariables(data_, variables_, messages_); }

void Calculator::LoadMaskSettings() { korvex::LoadMaskSettings(data_, mask_, messages_); }

bool Calculator::SaveMaskSettings(const MaskSettings& settings) {
  return korvex::SaveMaskSettings(data_, settings, messages_);
}

void Calculator::LoadGeneralSettings() {
  korvex::LoadGeneralSettings(data_, general_, messages_);
  ApplyGeneralSettings();
}

bool Calculator::SaveGeneralSettings(const GeneralSettings& settings) {
  return korvex::SaveGeneralSettings(data_, settings, messages_);
}

void Calculator::LoadPlotSettings() {
  korvex::LoadPlotSettings(data_, plotter_.settings(), messages_);
}

bool Calculator::SavePlotSettings(const PlotSettings& settings) {
  return korvex::SavePlotSettings(data_, settings, messages_);
}

}  // namespace korvex
