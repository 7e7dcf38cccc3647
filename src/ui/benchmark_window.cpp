// The benchmark window: labels, buttons and the step timer around the
// benchmark run.
#include "ui/benchmark_window.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <optional>

#include "ui/message_seam.h"
#include "ui/plot_run_display.h"
#include "ui/request_runner.h"
#include "ui/window_support.h"

namespace korvex {
namespace {

struct BenchmarkTexts {
  const char* caption = "Benchmark";
  const char* group = "CPU benchmark";
  const char* start = "Start";
  const char* start_hint = "Start benchmark";
  const char* stop = "Stop";
  const char* stop_hint = "Stop benchmark";
  const char* close = "Close";
  const char* close_hint = "Close current form";
};
constexpr BenchmarkTexts kTexts;
constexpr int kGroupColumns = 2;

}  // namespace

BenchmarkWindow::BenchmarkWindow(Calculator& calculator, MessageSeam& messages, QWidget* parent,
                                 std::vector<BenchmarkTest> tests)
    : QDialog(parent), calculator_(calculator), messages_(messages), benchmark_(std::move(tests)) {
  setObjectName(QStringLiteral("Form21"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));

  // One group per group name of the table, in the order they first appear.
  auto* cpu = new QGroupBox(QString::fromUtf8(kTexts.group), this);
  auto* groups = new QGridLayout(cpu);
  std::vector<std::pair<std::string, QFormLayout*>> forms;
  for (const BenchmarkTest& test : benchmark_.tests()) {
    QFormLayout* form = nullptr;
    for (const auto& [name, layout] : forms) {
      if (name == test.group) form = layout;
    }
    if (form == nullptr) {
      auto* box = new QGroupBox(QString::fromStdString(test.group), cpu);
      form = new QFormLayout(box);
      form->setLabelAlignment(Qt::AlignLeft);
      const int index = static_cast<int>(forms.size());
      groups->addWidget(box, index / kGroupColumns, index % kGroupColumns);
      forms.emplace_back(test.group, form);
    }
    auto* result = new QLabel(QString::fromUtf8(kNotAvailable), cpu);
    result->setObjectName(QString::fromStdString(test.label));
    result->setMinimumWidth(
        result->fontMetrics().horizontalAdvance(QStringLiteral("Done in 00000000 mu")));
    form->addRow(QString::fromStdString(test.caption), result);
    results_.push_back(result);
  }

  start_ = MakeButton("start", kTexts.start, kTexts.start_hint, this);
  start_->setDefault(true);
  stop_ = MakeButton("stop", kTexts.stop, kTexts.stop_hint, this);
  stop_->setEnabled(false);
  auto* close = MakeButton("close", kTexts.close, kTexts.close_hint, this);
  connect(start_, &QPushButton::clicked, this, &BenchmarkWindow::startClick);
  connect(stop_, &QPushButton::clicked, this, &BenchmarkWindow::stopClick);
  connect(close, &QPushButton::clicked, this, &QDialog::close);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(start_);
  buttons->addWidget(stop_);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(cpu);
  layout->addLayout(buttons);

  testtimer_ = new QTimer(this);
  testtimer_->setObjectName(QStringLiteral("testtimer"));
  testtimer_->setInterval(kBenchmarkStepInterval);
  connect(testtimer_, &QTimer::timeout, this, &BenchmarkWindow::testtimerTimer);
}

void BenchmarkWindow::startClick() {
  if (testing_ || benchmark_.running()) return;
  benchmark_.Start();
  ShowState();
  if (benchmark_.running()) testtimer_->start();
}

void BenchmarkWindow::stopClick() {
  if (testing_) {
    // The test ends within milliseconds and its label reads "Stopped".
    calculator_.RequestStop();
    return;
  }
  if (!benchmark_.running()) return;
  testtimer_->stop();
  benchmark_.Stop();
  EndRun(true);
  ShowState();
}

void BenchmarkWindow::testtimerTimer() {
  testtimer_->stop();
  if (testing_ || !benchmark_.running()) return;
  if (runner_ == nullptr) {
    BenchmarkStepOutcome outcome = calculator_.RunBenchmarkTest(benchmark_);
    if (!benchmark_.running()) emit plotOptionsRestored();
    FinishTest(outcome);
    return;
  }
  // The request runs on its own copy of the benchmark; this one comes back
  // one test further with the outcome.
  auto request = std::make_shared<BenchmarkRequest>(
      BenchmarkRequest{benchmark_, calculator_.Snapshot(calculator_.session())});
  RequestNotices& notices = display_ != nullptr ? display_->posted() : silent_notices_;
  const bool started = runner_->Start<BenchmarkStepOutcome>(
      [request, &notices](RequestContext& context) {
        return context.RunBenchmarkTest(std::move(*request), notices);
      },
      [this](BenchmarkStepOutcome& outcome) {
        testing_ = false;
        benchmark_ = outcome.benchmark;
        calculator_.session().Apply(outcome);
        // A plot error is reported as any plot request's.
        ReplayFailures(outcome.reported, calculator_.errors());
        if (display_ != nullptr) display_->EndBenchmarkTest(outcome);
        if (!benchmark_.running()) EndRun(outcome.info_reset);
        FinishTest(outcome);
      });
  if (!started) {
    // Another request is running: the test waits for the next tick.
    testtimer_->start();
    return;
  }
  testing_ = true;
}

void BenchmarkWindow::EndRun(bool reset_info) {
  calculator_.EndBenchmark();
  if (reset_info) {
    calculator_.plots().plot_info() = PlotInfo();
    if (display_ != nullptr) display_->ResetPlotInfo();
  }
  emit plotOptionsRestored();
}

void BenchmarkWindow::FinishTest(const BenchmarkStepOutcome& outcome) {
  const Benchmark::Step step = outcome.step;
  emit testFinished();
  ShowState();
  if (!outcome.failure_text.empty()) {
    // The run has already been ended; the failure goes to the general
    // display, as one escaping any other handler would.
    messages_.ShowFailure(QString::fromStdString(outcome.failure_text));
    return;
  }
  if (step == Benchmark::Step::kNextPending && !isVisible()) {
    // Closed while the test ran, too late to stop it: the run ends here.
    benchmark_.Stop();
    EndRun(true);
    ShowState();
  } else if (step == Benchmark::Step::kNextPending) {
    testtimer_->start();
  } else if (step == Benchmark::Step::kFinished && benchmark_.score().has_value()) {
    emit benchmarkFinished(*benchmark_.score());
  }
}

void BenchmarkWindow::reject() {
  // A test still running only has its own copies: it is stopped, and its
  // outcome finds the window closed.
  if (testing_)
    calculator_.RequestStop();
  else if (testtimer_->isActive())
    stopClick();
  QDialog::reject();
}

void BenchmarkWindow::ShowState() {
  const std::vector<std::string>& labels = benchmark_.labels();
  for (std::size_t i = 0; i < results_.size() && i < labels.size(); ++i) {
    results_[i]->setText(QString::fromStdString(labels[i]));
  }
  start_->setEnabled(!benchmark_.running());
  stop_->setEnabled(benchmark_.running());
}

}  // namespace korvex
