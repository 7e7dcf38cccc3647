// Running a request against the context's own engine state.
#include "core/request_context.h"

#include <unistd.h>

#include <exception>
#include <new>
#include <utility>

#include "output/show_answer.h"
#include "output/thousands_separator.h"

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

// What a failure that abandoned a request shows. Running out of memory ends
// the request, not the program.
std::string FailureText(const std::exception& failure) {
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) return kOutOfMemoryMessage;
  return GeneralFailureText(failure.what());
}

// The plotter's reports as notices to the front end, and its Plot info
// endings into the outcome, where the front end shows them once.
class NoticeProgress : public PlotProgress {
 public:
  NoticeProgress(RequestControl& control, RequestNotices& notices, bool send_series)
      : control_(control), notices_(notices), send_series_(send_series) {}

  void SetProgressMaximum(std::int32_t maximum) override { notices_.ProgressMaximum(maximum); }
  void StartPlotInfo(const PlotInfo& info) override { notices_.PlotStarted(info); }
  void SeriesCreated(const ChartModel& chart) override {
    created_series = chart.series_count();
    if (send_series_) notices_.SeriesCreated(chart);
  }
  void PointsAdded(std::size_t number, std::span<const ChartPoint> points) override {
    if (send_series_) notices_.PointsAdded(number, points);
  }
  void TableLinesAdded(std::size_t number, std::span<const std::string> lines) override {
    if (send_series_) notices_.TableLinesAdded(number, lines);
  }
  void SetProgressPosition(std::size_t position) override {
    control_.set_position(position);
    notices_.ProgressPosition(position);
  }
  bool ShowReminder() override {
    if (!notices_.shows_reminder()) return true;
    return control_.WaitForReminderAnswer([this] { notices_.ReminderDue(); });
  }
  void FinishPlotInfo(const PlotInfo& info, bool cancelled) override {
    info_end = cancelled ? PlotOutcome::InfoEnd::kCancelled : PlotOutcome::InfoEnd::kFinished;
    this->info = info;
  }
  void ResetPlotInfo(const PlotInfo& /*info*/) override { reset = true; }

  PlotOutcome::InfoEnd info_end = PlotOutcome::InfoEnd::kNone;
  PlotInfo info;
  bool reset = false;
  std::size_t created_series = 0;

 private:
  RequestControl& control_;
  RequestNotices& notices_;
  bool send_series_;
};

}  // namespace

std::string GeneralFailureText(const std::string& text) {
  if (!text.empty() && text.back() > '.') return text + ".";
  return text;
}

RequestContext::RequestContext() : engine_(errors_), plotter_(engine_) {
  engine_.environment().variables = &variables_;
  engine_.environment().stop = &control_.stop_flag();
  engine_.function_state().stop = &control_.stop_flag();
  plotter_.set_memory_budget(PlotMemoryBudget());
}

void RequestContext::Load(const RequestSnapshot& snapshot, std::vector<ReportedFailure>& reported) {
  errors_.target = &reported;
  const Catalogues& catalogues = snapshot.catalogues ? *snapshot.catalogues : no_catalogues_;
  engine_.environment().functions = &catalogues.functions;
  engine_.environment().constants = &catalogues.constants;
  variables_ = snapshot.variables;
  mask_ = snapshot.mask;
  general_ = snapshot.general;
  engine_.environment().loop_limit = general_.loop_limit;
  engine_.set_stored_answer(snapshot.stored_answer);
  FunctionState& state = engine_.function_state();
  state.fixed_generator = snapshot.random.fixed_generator;
  state.clock_generator = snapshot.random.clock_generator;
  plotter_.settings() = snapshot.plot;
  plotter_.set_reminder_interval(general_.reminder_interval);
}

void RequestContext::SaveRandomState(RandomState& random) {
  const FunctionState& state = engine_.function_state();
  random.fixed_generator = state.fixed_generator;
  random.clock_generator = state.clock_generator;
}

SolveOutcome RequestContext::Solve(const SolveRequest& request) {
  SolveOutcome outcome;
  Load(request.snapshot, outcome.reported);
  outcome.stored_answer = request.snapshot.stored_answer;
  outcome.decimal_separator = kEngineSeparator;
  try {
    if (!engine_.Solve(request.text)) {
      outcome.error_place = engine_.last_error_place();
    } else {
      const ShownAnswer shown =
          ShowAnswer(engine_.tokens()[0], mask_, general_, LocaleThousandsText());
      outcome.evaluated = true;
      outcome.bit_count = shown.bit_count;
      outcome.stored_answer = shown.stored_answer;
      outcome.decimal_separator = shown.decimal_separator;
      if (!shown.failure) {
        outcome.status = SolveOutcome::Status::kAnswered;
        outcome.answer_text = shown.text;
      } else if (shown.failure->kind == AnswerFailure::Kind::kConversion) {
        errors_.ReportError(shown.failure->message, shown.failure->title);
      } else {
        outcome.status = SolveOutcome::Status::kGeneralFailure;
        outcome.failure_text = GeneralFailureText(shown.failure->message);
      }
    }
  } catch (const Cancelled& canceled) {
    outcome.status = SolveOutcome::Status::kCanceled;
    outcome.failure_text = canceled.what();
  } catch (const std::exception& failure) {
    outcome.status = SolveOutcome::Status::kGeneralFailure;
    outcome.failure_text = FailureText(failure);
  }
  outcome.steps = engine_.TakeSteps();
  outcome.solved_text = request.text;
  SaveRandomState(outcome.random);
  errors_.target = nullptr;
  return outcome;
}

PlotOutcome RequestContext::Plot(const PlotRequest& request, RequestNotices& notices) {
  PlotOutcome outcome;
  Load(request.snapshot, outcome.reported);
  plotter_.chart() = request.chart.Outline();
  plotter_.set_keeping(request.keeping);
  NoticeProgress progress(control_, notices, true);
  plotter_.set_progress(&progress);
  try {
    if (plotter_.SolvePlot(request.text))
      outcome.status = PlotOutcome::Status::kComplete;
    else if (control_.stop_requested())
      outcome.status = PlotOutcome::Status::kCanceled;
  } catch (const Cancelled&) {
    // Stopped while preparing: no run to finish.
    outcome.status = PlotOutcome::Status::kCanceled;
  } catch (const std::exception& failure) {
    outcome.status = PlotOutcome::Status::kGeneralFailure;
    outcome.failure_text = FailureText(failure);
  }
  plotter_.set_progress(nullptr);
  outcome.info_end = progress.info_end;
  outcome.info = progress.info;
  outcome.series_number = progress.created_series;
  if (outcome.series_number > 0)
    outcome.stats = std::move(plotter_.store().recorded_stats(outcome.series_number));
  SaveRandomState(outcome.random);
  errors_.target = nullptr;
  return outcome;
}

BenchmarkStepOutcome RequestContext::RunBenchmarkTest(BenchmarkRequest request,
                                                      RequestNotices& notices) {
  BenchmarkStepOutcome outcome;
  Load(request.snapshot, outcome.reported);
  // The benchmark's series leave again at once; the run needs no chart of
  // the session's.
  plotter_.chart() = ChartModel().Outline();
  plotter_.set_keeping(PlotKeeping());
  NoticeProgress progress(control_, notices, false);
  plotter_.set_progress(&progress);
  outcome.benchmark = std::move(request.benchmark);
  outcome.benchmark.set_stop_flag(&control_.stop_flag());
  try {
    outcome.step = outcome.benchmark.RunCurrentTest(plotter_);
  } catch (const std::exception& failure) {
    // The benchmark has already ended the run as failed.
    outcome.step = Benchmark::Step::kFailed;
    outcome.failure_text = FailureText(failure);
  }
  plotter_.set_progress(nullptr);
  outcome.info_end = progress.info_end;
  outcome.info = progress.info;
  outcome.info_reset = progress.reset;
  errors_.target = nullptr;
  return outcome;
}

}  // namespace korvex
