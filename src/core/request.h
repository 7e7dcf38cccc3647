// A request as a value: everything a solve, plot or benchmark test reads,
// copied on the thread that owns the session when it starts, so the worker
// never reads what a window may change meanwhile.
#pragma once

#include <random>
#include <string>

#include "engine/user_variables.h"
#include "plot/benchmark.h"
#include "plot/chart_model.h"
#include "plot/plot_keeping.h"
#include "settings/answer_settings.h"
#include "settings/catalogue_files.h"
#include "settings/plot_file.h"

namespace korvex {

// The random functions' generators: a session's, carried into a request
// and back with its outcome, so `random` goes on with its sequence.
struct RandomState {
  std::minstd_rand0 fixed_generator;
  std::mt19937_64 clock_generator;
};

struct RequestSnapshot {
  // Loaded once at start-up, before any request, and read-only afterwards.
  const Catalogues* catalogues = nullptr;
  VariableTable variables;
  MaskSettings mask;
  GeneralSettings general;
  PlotSettings plot;
  long double stored_answer = 0;
  RandomState random;
};

struct SolveRequest {
  std::string text;
  RequestSnapshot snapshot;
};

struct PlotRequest {
  std::string text;
  RequestSnapshot snapshot;
  // The session's chart without its points: axes, colours and the series a
  // new one is counted after.
  ChartModel chart;
  PlotKeeping keeping;
};

struct BenchmarkRequest {
  Benchmark benchmark;
  RequestSnapshot snapshot;
};

}  // namespace korvex
