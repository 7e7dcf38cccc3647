// Previews: the answer or failure Enter would give, a sketch of a plot, and
// nothing changed anywhere; the worker keeps only the newest input and stops
// a preview that outlives its budget.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "calculator_fixture.h"
#include "core/preview.h"
#include "core/preview_worker.h"

namespace korvex {
namespace {

using PreviewTest = CalculatorFixture;

TEST_F(PreviewTest, ShowsWhatSolveWouldAnswerOrReport) {
  Calculator& calculator = Started();
  RequestContext context;
  struct Case {
    const char* text;
    Preview::Kind kind;
    const char* shown;
  };
  const Case cases[] = {
      {"2+3*4", Preview::Kind::kAnswer, "= 14"},
      {"gcd[12;18]", Preview::Kind::kAnswer, "= 6"},
      {"gcd[12]", Preview::Kind::kFailure,
       "Function error: Function 'gcd' need 2 parameter(s), got 1"},
      {"2+(3", Preview::Kind::kFailure, "Syntax error: One or more ( ) are unbalanced"},
      {"   ", Preview::Kind::kNothing, ""},
  };
  for (const Case& c : cases) {
    const Preview preview = RunPreview(context, calculator.MakePreviewRequest(c.text, false, 7));
    EXPECT_EQ(preview.kind, c.kind) << c.text;
    EXPECT_EQ(preview.text, c.shown) << c.text;
    EXPECT_EQ(preview.generation, 7u);
  }
  // The failure keeps the place the input marks.
  const Preview unknown = RunPreview(context, calculator.MakePreviewRequest("2+foo[1]", false, 1));
  ASSERT_EQ(unknown.kind, Preview::Kind::kFailure);
  ASSERT_TRUE(unknown.failure_place.has_value());
  EXPECT_EQ(unknown.failure_place->start, 2u);
}

TEST_F(PreviewTest, ChangesNothingOfTheSession) {
  Calculator& calculator = Started();
  ASSERT_EQ(calculator.Solve("5").status, SolveOutcome::Status::kAnswered);
  const std::uint64_t steps_revision = calculator.session().steps_revision();
  const RandomState random = calculator.session().random();
  const size_t failures = sink_.reports.size();
  RequestContext context;
  // `ans` reads the stored answer as it is, and neither a failure nor a
  // random draw is kept.
  EXPECT_EQ(RunPreview(context, calculator.MakePreviewRequest("ans*2", false, 1)).text, "= 10");
  RunPreview(context, calculator.MakePreviewRequest("1/0", false, 2));
  EXPECT_EQ(RunPreview(context, calculator.MakePreviewRequest("random[100]", false, 3)).kind,
            Preview::Kind::kAnswer);
  RunPreview(context, calculator.MakePreviewRequest("sin[x]", true, 4));
  EXPECT_EQ(calculator.stored_answer(), 5);
  EXPECT_EQ(calculator.session().steps_revision(), steps_revision);
  EXPECT_EQ(sink_.reports.size(), failures);
  EXPECT_EQ(calculator.plots().chart().series_count(), 0u);
  EXPECT_EQ(calculator.session().random().fixed_generator, random.fixed_generator);
  EXPECT_EQ(calculator.session().random().clock_generator, random.clock_generator);
}

TEST_F(PreviewTest, SketchesAPlotOverItsRange) {
  Calculator& calculator = Started();
  RequestContext context;
  calculator.plot_settings().start = "0";
  calculator.plot_settings().stop = "10000";
  calculator.plot_settings().increment = "1";
  const Preview sketch = RunPreview(context, calculator.MakePreviewRequest("2x", true, 1));
  ASSERT_EQ(sketch.kind, Preview::Kind::kSketch);
  ASSERT_EQ(sketch.points.size(), kSketchSamples);
  EXPECT_EQ(sketch.points.front().x, 0);
  EXPECT_NEAR(sketch.points.back().x, 10000, 1e-3);
  EXPECT_EQ(sketch.text, "y from 0 to 20000");
  // A range with fewer samples than a sketch needs is sampled as it is.
  calculator.plot_settings().stop = "10";
  EXPECT_EQ(RunPreview(context, calculator.MakePreviewRequest("2x", true, 2)).points.size(), 11u);
  // The first failing sample says why, as the plot would.
  const Preview failing = RunPreview(context, calculator.MakePreviewRequest("1/x", true, 3));
  EXPECT_EQ(failing.kind, Preview::Kind::kFailure);
  EXPECT_FALSE(failing.text.empty());
}

// Collects what a worker tells, from its thread.
struct Received {
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<Preview> previews;

  PreviewWorker::Done Sink() {
    return [this](Preview preview) {
      std::lock_guard lock(mutex);
      previews.push_back(std::move(preview));
      arrived.notify_all();
    };
  }
  bool WaitForCount(size_t count) {
    std::unique_lock lock(mutex);
    return arrived.wait_for(lock, std::chrono::seconds(20),
                            [&] { return previews.size() >= count; });
  }
};

// Counting this many primes without the helper program takes seconds.
constexpr const char* kSlowText = "primepi[{1E11}]";

TEST_F(PreviewTest, WorkerStopsAPreviewOverItsBudgetAndShowsNothing) {
  Calculator& calculator = Started();
  Received received;
  {
    PreviewWorker worker(std::chrono::milliseconds(50), "/nonexistent/helper", received.Sink());
    const auto started = std::chrono::steady_clock::now();
    worker.Submit(calculator.MakePreviewRequest(kSlowText, false, 1));
    ASSERT_TRUE(received.WaitForCount(1));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
  }
  EXPECT_EQ(received.previews[0].kind, Preview::Kind::kNothing);
  EXPECT_EQ(received.previews[0].generation, 1u);
}

TEST_F(PreviewTest, WorkerStopsAPreviewThatWaitsPastTheWallLimit) {
  Calculator& calculator = Started();
  // A helper that never answers: the preview waits, using no processor time.
  const std::filesystem::path helper = root_ / "silent-helper";
  {
    std::ofstream script(helper);
    script << "#!/bin/sh\nexec sleep 30\n";
  }
  std::filesystem::permissions(helper, std::filesystem::perms::owner_all);
  Received received;
  const auto started = std::chrono::steady_clock::now();
  {
    PreviewWorker worker(std::chrono::milliseconds(50), helper, received.Sink());
    worker.Submit(calculator.MakePreviewRequest("primepi[{1E13}]", false, 1));
    ASSERT_TRUE(received.WaitForCount(1));
  }
  const auto waited = std::chrono::steady_clock::now() - started;
  EXPECT_GE(waited, kPreviewWallLimit);
  EXPECT_LT(waited, kPreviewWallLimit + std::chrono::seconds(5));
  EXPECT_EQ(received.previews[0].kind, Preview::Kind::kNothing);
}

TEST_F(PreviewTest, WorkerTellsOnlyTheNewestInput) {
  Calculator& calculator = Started();
  Received received;
  {
    PreviewWorker worker(std::chrono::seconds(30), "/nonexistent/helper", received.Sink());
    worker.Submit(calculator.MakePreviewRequest(kSlowText, false, 1));
    worker.Submit(calculator.MakePreviewRequest("1+1", false, 2));
    ASSERT_TRUE(received.WaitForCount(1));
    // A cancelled input tells nothing at all.
    worker.Submit(calculator.MakePreviewRequest(kSlowText, false, 3));
    worker.Cancel();
  }
  ASSERT_EQ(received.previews.size(), 1u);
  EXPECT_EQ(received.previews[0].generation, 2u);
  EXPECT_EQ(received.previews[0].text, "= 2");
}

}  // namespace
}  // namespace korvex
