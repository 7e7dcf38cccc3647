// korvex-cli bench: the twelve benchmark plots, one line per test, and the
// score.
#include <iostream>
#include <string>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "core/calculator.h"

namespace korvex {
namespace {

constexpr const char* kBenchUsage = "usage: korvex-cli bench [--data-dir DIR]\n";

}  // namespace

int RunBenchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string data_dir = DefaultDataDir();
  ArgumentCursor cursor(args);
  while (!cursor.done()) {
    const std::string arg = cursor.next();
    const auto value = arg == "--data-dir" ? cursor.value() : std::nullopt;
    if (!value) {
      err << "korvex-cli: "
          << (arg == "--data-dir" ? arg + " needs a value" : "unknown argument '" + arg + "'")
          << '\n'
          << kBenchUsage;
      return kExitUsage;
    }
    data_dir = *value;
  }

  StreamMessages messages(out, err);
  StreamErrorSink errors(out, err);
  Calculator calculator(data_dir, messages);
  calculator.set_error_sink(&errors);
  if (!calculator.StartWithoutWindows()) return kExitUsage;

  // The window waits 1500 ms between tests to repaint; here they run back
  // to back.
  Benchmark benchmark = calculator.MakeBenchmark();
  benchmark.Start();
  Benchmark::Step step = Benchmark::Step::kNextPending;
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
  if (step != Benchmark::Step::kFinished || !benchmark.score()) return kExitFailed;
  out << "Your average MS is: " << *benchmark.score() << '\n';
  out.flush();
  return kExitOk;
}

}  // namespace korvex
