// korvex-cli bench: the twelve benchmark plots, one line per test, and the
// score.
#include <iostream>
#include <string>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "cli/cli_session.h"
#include "cli/interrupt_stop.h"
#include "cli/option_table.h"
#include "cli/usage.h"
#include "core/calculator.h"

namespace korvex {

std::string BenchUsage() { return "usage: korvex-cli bench [--data-dir DIR]\n"; }

std::string BenchHelp() {
  return BenchUsage() +
         "\n"
         "Runs the twelve benchmark plots back to back, prints one line per test and\n"
         "then the score, the average milliseconds.\n"
         "\n"
         "options:\n"
         "  --data-dir DIR    use DIR/bin as the data folder\n"
         "  --help            print this help\n";
}

int RunBenchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::optional<std::string> data_dir_option;
  // No operands: every other word is an unknown argument.
  const OptionTable table{.rows = {TextOption("--data-dir", data_dir_option)}, .operand = nullptr};
  if (const auto exit =
          ExitWithoutRunning(ParseOptions(table, args, BenchUsage(), err), BenchHelp, out))
    return *exit;

  CliSession session(out, err);
  Calculator* started = session.Start(data_dir_option);
  if (started == nullptr) return kExitUsage;
  Calculator& calculator = *started;

  // The window waits 1500 ms between tests to repaint; here they run back
  // to back.
  Benchmark benchmark;
  benchmark.Start();
  Benchmark::Step step = Benchmark::Step::kNextPending;
  const InterruptStop interrupt(calculator);
  while (step == Benchmark::Step::kNextPending) {
    const size_t index = benchmark.test_index();
    const BenchmarkTest& test = benchmark.tests()[index];
    const BenchmarkStepOutcome outcome = calculator.RunBenchmarkTest(benchmark);
    step = outcome.step;
    if (!outcome.failure_text.empty()) {
      out.flush();
      err << outcome.failure_text << '\n';
    }
    out << test.group << ' ' << test.caption << ' ' << benchmark.labels()[index] << '\n';
    out.flush();
  }
  if (step == Benchmark::Step::kStopped) {
    PrintError(kCanceledMessage, out, err);
    return kExitInterrupted;
  }
  if (step != Benchmark::Step::kFinished || !benchmark.score()) return kExitFailed;
  out << "Your average MS is: " << *benchmark.score() << '\n';
  out.flush();
  return kExitOk;
}

}  // namespace korvex
