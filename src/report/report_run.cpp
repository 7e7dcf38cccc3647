// The report run's loop over its items, in a session of its own.
#include "report/report_run.h"

#include "core/calculator.h"
#include "core/session.h"
#include "report/report_builder.h"

namespace korvex {
namespace {

// The run's session as the session's own notices keep it, and the Plot info
// of a run that created its series and then failed before finishing it:
// the report shows that series under the figures it started with.
class ReportNotices : public SessionNotices {
 public:
  explicit ReportNotices(Session& session) : SessionNotices(session), session_(session) {}
  void PlotStarted(const PlotInfo& info) override {
    session_.plots().plot_info() = info;
    SessionNotices::PlotStarted(info);
  }

 private:
  Session& session_;
};

RequestSnapshot SnapshotFor(const RequestSnapshot& start, const Session& session) {
  RequestSnapshot snapshot = start;
  snapshot.stored_answer = session.stored_answer();
  snapshot.random = session.random();
  return snapshot;
}

}  // namespace

ReportRun RunReport(RequestContext& context, const RequestSnapshot& start,
                    const std::vector<ReportRequestItem>& items, ErrorSink* failures) {
  // The run's session takes over the stored answer and random state as a
  // solve that ended with them would leave them: `ans` and `random` go on
  // from where the user's session was, and change nothing of it.
  Session session;
  SolveOutcome taken_over;
  taken_over.stored_answer = start.stored_answer;
  taken_over.random = start.random;
  session.Apply(taken_over);
  ReportRun run;
  for (const ReportRequestItem& item : items) {
    // A stop between two items ends the run as well as one during an item.
    if (context.control().stop_requested()) {
      run.stopped = true;
      break;
    }
    if (item.plot) {
      ReportNotices notices(session);
      PlotOutcome outcome =
          context.Plot(PlotRequest{item.text, SnapshotFor(start, session),
                                   session.plots().chart().Outline(), PlotKeeping()},
                       notices);
      session.Apply(outcome);
      if (failures) ReplayFailures(outcome.reported, *failures);
      run.all_done = run.all_done && outcome.status == PlotOutcome::Status::kComplete;
      run.stopped = outcome.status == PlotOutcome::Status::kCanceled;
      run.report.items.push_back(RecordPlot(item.text, outcome, session, start.plot));
    } else {
      SolveOutcome outcome = context.Solve(SolveRequest{item.text, SnapshotFor(start, session)});
      session.Apply(outcome);
      if (failures) ReplayFailures(outcome.reported, *failures);
      run.all_done = run.all_done && outcome.status == SolveOutcome::Status::kAnswered;
      run.stopped = outcome.status == SolveOutcome::Status::kCanceled;
      run.report.items.push_back(RecordSolve(item.text, outcome, session, start.general));
    }
    if (run.stopped) break;
  }
  return run;
}

}  // namespace korvex
