// korvex-cli bench: the twelve benchmark plots, one line per test, and the
// score.
#include <iostream>
#include <string>

#include "cli/cli.h"
#include "cli/cli_io.h"
#include "plot/benchmark.h"

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

  CalculatorSetup setup(data_dir);
  StreamMessages messages(out, err);
  if (!LoadCalculatorSetup(setup, messages)) return kExitUsage;
  StreamErrorSink errors(out, err);
  Engine engine(errors);
  ConnectEngine(engine, setup);
  Plotter plotter(engine);
  LoadPlotSettings(setup.data, plotter.settings(), messages);

  // The window waits 1500 ms between tests to repaint; here they run back
  // to back.
  Benchmark benchmark(plotter, [&] { LoadPlotSettings(setup.data, plotter.settings(), messages); });
  benchmark.Start();
  Benchmark::Step step = Benchmark::Step::kNextPending;
  while (step == Benchmark::Step::kNextPending) {
    const size_t index = benchmark.test_index();
    const BenchmarkTest& test = benchmark.tests()[index];
    try {
      step = benchmark.RunCurrentTest();
    } catch (const std::exception& failure) {
      out.flush();
      err << GeneralFailureText(failure.what()) << '\n';
      step = Benchmark::Step::kFailed;
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
