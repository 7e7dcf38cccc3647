// korvex-cli plot: samples one expression over the plot range and prints the
// run's figures, its table, its statistics or its points.
#include <unistd.h>

#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/cli_session.h"
#include "cli/interrupt_stop.h"
#include "cli/option_table.h"
#include "cli/plot_range_options.h"
#include "cli/usage.h"
#include "core/calculator.h"
#include "plot/points_csv.h"
#include "plot/series_figures.h"

namespace korvex {
namespace {

enum class PlotOutput { kSummary, kTable, kStats, kCsv };

struct PlotOptions {
  std::optional<std::string> data_dir;
  PlotRangeOptions range;
  PlotOutput output = PlotOutput::kSummary;
  std::optional<std::string> expression;
};

// One of --table, --stats and --csv; naming the same one again is no clash.
OptionRow OutputOption(std::string_view name, PlotOutput choice, PlotOutput& output) {
  return {name, false, [choice, &output](const std::string&) -> std::optional<std::string> {
            if (output != PlotOutput::kSummary && output != choice)
              return "choose one of --table, --stats and --csv";
            output = choice;
            return std::nullopt;
          }};
}

ParsedArguments ParsePlotOptions(const std::vector<std::string>& args, PlotOptions& options,
                                 std::ostream& err) {
  OptionTable table{
      .rows =
          {
              TextOption("--data-dir", options.data_dir),
              OutputOption("--table", PlotOutput::kTable, options.output),
              OutputOption("--stats", PlotOutput::kStats, options.output),
              OutputOption("--csv", PlotOutput::kCsv, options.output),
          },
      .operand = [&options](const std::string& text) -> std::optional<std::string> {
        if (options.expression) return "plot takes one expression";
        options.expression = text;
        return std::nullopt;
      },
  };
  options.range.AddRowsTo(table.rows);
  const ParsedArguments parsed = ParseOptions(table, args, PlotUsage(), err);
  if (parsed != ParsedArguments::kRun || options.expression) return parsed;
  PrintUsageError("plot needs an expression", PlotUsage(), err);
  return ParsedArguments::kRefused;
}

// A bar on the error stream once a run has lasted half a second; redrawn
// only when its whole percent changes.
class TerminalProgress : public RequestNotices {
 public:
  TerminalProgress(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}
  ~TerminalProgress() override { Clear(); }

  void ProgressMaximum(std::int32_t maximum) override { maximum_ = maximum; }
  void PlotStarted(const PlotInfo&) override {
    started_at_ = SteadyClock().NowMicroseconds();
    percent_ = -1;
  }
  void ProgressPosition(std::size_t position) override {
    if (!enabled_ || maximum_ <= 0) return;
    const int percent =
        static_cast<int>(std::min<std::size_t>(position, maximum_) * 100 / maximum_);
    if (percent == percent_) return;
    percent_ = percent;
    if (!shown_ && SteadyClock().NowMicroseconds() - started_at_ < kDelayMicroseconds) return;
    shown_ = true;
    const int filled = percent * kWidth / 100;
    err_ << '\r' << '[' << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] "
         << percent << '%' << std::flush;
  }
  void Clear() {
    if (!shown_) return;
    err_ << '\r' << std::string(kWidth + 8, ' ') << '\r' << std::flush;
    shown_ = false;
  }

 private:
  static constexpr std::int64_t kDelayMicroseconds = 500000;
  static constexpr int kWidth = 40;
  std::ostream& err_;
  bool enabled_;
  bool shown_ = false;
  std::int32_t maximum_ = 0;
  int percent_ = -1;
  std::int64_t started_at_ = 0;
};

void PrintLines(std::ostream& out, std::span<const std::string> lines) {
  for (const std::string& line : lines) out << line << '\n';
}

// What a run keeps for its output. The table (first of the statistics'
// pages too) and the points are printed batch by batch as the run hands them
// on, so a long run holds one batch; the figures need none of them.
PlotKeeping KeepingFor(PlotOutput output) {
  PlotKeeping keeping;
  keeping.points = false;
  keeping.table = false;
  // CSV values are the Table lines' number texts, exact where a double
  // would not be.
  keeping.table_handed_on =
      output == PlotOutput::kTable || output == PlotOutput::kStats || output == PlotOutput::kCsv;
  keeping.lists = output == PlotOutput::kStats;
  return keeping;
}

// The progress bar, and for --table, --stats and --csv the run's lines as
// they come.
class PlotNotices : public RequestNotices {
 public:
  PlotNotices(TerminalProgress& progress, PlotOutput output, std::ostream& out)
      : progress_(progress), output_(output), out_(out) {}

  void ProgressMaximum(std::int32_t maximum) override { progress_.ProgressMaximum(maximum); }
  void PlotStarted(const PlotInfo& info) override { progress_.PlotStarted(info); }
  void ProgressPosition(std::size_t position) override { progress_.ProgressPosition(position); }
  // A CSV row takes its numbers from the Table line, which holds them as
  // the engine wrote them.
  void TableLinesAdded(std::size_t /*number*/, std::span<const std::string> lines) override {
    if (output_ == PlotOutput::kCsv) {
      out_ << TableLinesCsv(lines);
      return;
    }
    if (output_ == PlotOutput::kStats) StartTablePage();
    PrintLines(out_, lines);
  }
  // The statistics' first page begins with its header, lines or not.
  void StartTablePage() {
    if (!table_page_started_) out_ << "Table\n";
    table_page_started_ = true;
  }

 private:
  TerminalProgress& progress_;
  PlotOutput output_;
  std::ostream& out_;
  bool table_page_started_ = false;
};

void PrintSummary(std::ostream& out, const PlotInfo& info) {
  out << "Current function: " << info.function << '\n'
      << "Current serie: " << info.serie << '\n'
      << "Total calculations: " << info.total_calculations << '\n'
      << "Calculations done: " << info.calculations_done << '\n'
      << "Done in:\n"
      << "  Microseconds: " << info.done_mu << '\n'
      << "  Milliseconds: " << info.done_ms << '\n'
      << "  Seconds: " << info.done_sec << '\n'
      << "Per calculation:\n"
      << "  Microseconds: " << info.per_calculation_mu << '\n'
      << "  Milliseconds: " << info.per_calculation_ms << '\n';
}

// The Table and stats window's pages after the table, whose lines are out
// already, in its order of lists, then its stats.
void PrintStats(std::ostream& out, const ChartSeries& series, const SeriesStats& stats) {
  out << '\n';
  const std::pair<const char*, const std::vector<std::string>*> pages[] = {
      {"Top points", &stats.top_lines},   {"Bottom points", &stats.bottom_lines},
      {"Max points", &stats.max_lines},   {"Min points", &stats.min_lines},
      {"Zero points", &stats.zero_lines},
  };
  for (const auto& [header, lines] : pages) {
    out << header << '\n';
    PrintLines(out, *lines);
    out << '\n';
  }
  const SeriesFigures figures = ComputeSeriesFigures(series, stats);
  out << "Table stats\n"
      << "Max point value: " << figures.max_value << '\n'
      << "Min point value: " << figures.min_value << '\n'
      << "Sum points: " << figures.sum_points << '\n'
      << "Point area: " << figures.point_area << '\n'
      << "Point mean: " << figures.point_mean << '\n';
}

}  // namespace

std::string PlotUsage() {
  return "usage: korvex-cli plot [--data-dir DIR] [--variable V] [--start A] [--stop B]\n"
         "                       [--increment C] [--derivative] [--epsilon E]\n"
         "                       [--table | --stats | --csv] [--] EXPR\n";
}

std::string PlotHelp() {
  return PlotUsage() +
         "\n"
         "Samples EXPR with the plot options of bin/plot.ini and prints the Plot info\n"
         "figures. Option values are read as the Plot options dialog holds them, so\n"
         "write --increment 0,1.\n"
         "\n"
         "options:\n"
         "  --data-dir DIR    use DIR/bin as the data folder\n"
         "  --variable V      the name that takes each sample's value\n"
         "  --start A         the first value of the variable\n"
         "  --stop B          the last value of the variable\n"
         "  --increment C     the step from one sample to the next\n"
         "  --derivative      plot the numerical derivative of EXPR\n"
         "  --epsilon E       the step of the numerical derivative\n"
         "  --table           print the point table instead of the figures\n"
         "  --stats           print the point lists and their statistics\n"
         "  --csv             print x,y lines with a decimal point, for other tools\n"
         "  --                end the options: the next argument is EXPR\n"
         "  --help            print this help\n";
}

int RunPlotCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  PlotOptions options;
  if (const auto exit = ExitWithoutRunning(ParsePlotOptions(args, options, err), PlotHelp, out))
    return *exit;

  CliSession session(out, err);
  Calculator* started = session.Start(options.data_dir);
  if (started == nullptr) return kExitUsage;
  Calculator& calculator = *started;
  options.range.ApplyTo(calculator.plot_settings());

  // Lines printed while the run goes would break up a bar on the same
  // terminal.
  const bool streamed = options.output == PlotOutput::kTable || options.output == PlotOutput::kCsv;
  const bool bar = &err == &std::cerr && ::isatty(STDERR_FILENO) &&
                   !(streamed && &out == &std::cout && ::isatty(STDOUT_FILENO));
  TerminalProgress progress(err, bar);
  PlotNotices notices(progress, options.output, out);
  PlotOutcome outcome;
  {
    const InterruptStop interrupt(calculator);
    outcome = calculator.Plot(*options.expression, &notices, KeepingFor(options.output));
  }
  progress.Clear();
  if (outcome.status == PlotOutcome::Status::kGeneralFailure) {
    out.flush();
    err << outcome.failure_text << '\n';
    err.flush();
  }
  // A run stopped by Ctrl+C still prints what it has; the table and the
  // points are out already.
  const bool canceled = outcome.status == PlotOutcome::Status::kCanceled &&
                        calculator.plots().chart().series_count() > 0;
  if (outcome.status == PlotOutcome::Status::kCanceled && !canceled) {
    PrintError(kCanceledMessage, out, err);
    return kExitInterrupted;
  }
  if (outcome.status != PlotOutcome::Status::kComplete && !canceled) return kExitFailed;

  const PlotStore& plots = calculator.plots();
  const size_t number = plots.chart().series_count();
  const ChartSeries& series = plots.chart().series(number);
  // The statistics' lines are written out when read, so only the output
  // that prints them reads them.
  if (options.output == PlotOutput::kSummary) PrintSummary(out, plots.plot_info());
  if (options.output == PlotOutput::kStats) {
    notices.StartTablePage();
    PrintStats(out, series, plots.stats(number));
  }
  out.flush();
  if (canceled) {
    PrintError(kCanceledMessage, out, err);
    return kExitInterrupted;
  }
  return kExitOk;
}

}  // namespace korvex
