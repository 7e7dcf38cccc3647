// The Solution window (Form3): the steps of the last solve, as of its last
// refresh through the "View solution" action.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "engine/step_log.h"
#include "ui/text_page_window.h"

class QListView;

namespace korvex {

class StepListModel;

// A long solve has as many steps as its list has groups, each line holding
// the whole list: the page is a list view over a copy of the step log, and
// only the lines it paints are ever turned into text.
class SolutionWindow : public TextPageWindow {
  Q_OBJECT

 public:
  explicit SolutionWindow(QWidget* parent);

  // Replaces the page by a copy of the steps, one per line, unless the
  // window already shows that revision of them: a log of a million steps
  // takes a moment to copy.
  void SetSteps(const StepLog& steps, std::uint64_t revision);

 private:
  // Ctrl+C on the page: the selected lines, one per line.
  void CopySelection();

  QListView* view_;
  StepListModel* model_;
  std::optional<std::uint64_t> shown_revision_;
};

}  // namespace korvex
