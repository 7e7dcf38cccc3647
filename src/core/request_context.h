// The engine state requests run against: an engine, a plot driver and the
// copies of what the running request read. It belongs to the thread that
// runs requests (the calculator's worker, or the caller of a synchronous
// request) and shares nothing with a session but the values it is handed
// and the values it hands back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/request.h"
#include "core/request_control.h"
#include "core/request_notices.h"
#include "core/request_outcome.h"
#include "engine/engine.h"
#include "plot/plotter.h"

namespace korvex {

class RequestContext {
 public:
  RequestContext();
  RequestContext(const RequestContext&) = delete;
  RequestContext& operator=(const RequestContext&) = delete;

  // Stop and progress of the request in progress; Begin()s with each one.
  RequestControl& control() { return control_; }

  SolveOutcome Solve(const SolveRequest& request);
  PlotOutcome Plot(const PlotRequest& request, RequestNotices& notices);
  // The benchmark's series leave again, so its points are not sent.
  BenchmarkStepOutcome RunBenchmarkTest(BenchmarkRequest request, RequestNotices& notices);

  // For tests and benchmarks that choose the sampling path or read the run's
  // own record; never while a request runs on another thread.
  Plotter& plotter() { return plotter_; }
  Engine& engine() { return engine_; }

 private:
  // Collects the request's failures for its outcome.
  struct CollectingSink : ErrorSink {
    void ReportError(const std::string& message, const std::string& title) override {
      ReportErrorAt(message, title, std::nullopt);
    }
    void ReportErrorAt(const std::string& message, const std::string& title,
                       const std::optional<SourceRange>& place) override {
      if (target) target->push_back({message, title, place});
    }
    std::vector<ReportedFailure>* target = nullptr;
  };

  // The request's copies in place, its failures going to `reported`.
  void Load(const RequestSnapshot& snapshot, std::vector<ReportedFailure>& reported);
  void SaveRandomState(RandomState& random);

  CollectingSink errors_;
  RequestControl control_;
  Catalogues no_catalogues_;
  VariableTable variables_;
  MaskSettings mask_;
  GeneralSettings general_;
  Engine engine_;
  Plotter plotter_;
};

}  // namespace korvex
