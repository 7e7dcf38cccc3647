// The Solution window (Form3): the steps of the last solve, as of its last
// refresh through the "View solution" action, below the text they were
// solved from; the selected step's parts of that text are highlighted.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/step_log.h"
#include "ui/text_page_window.h"

class QListView;

namespace korvex {

class SolvedExpressionView;
class StepListModel;

// A long solve has as many steps as its list has groups, each line holding
// the whole list: the page is a list view over a copy of the step log, and
// only the lines it paints are ever turned into text.
class SolutionWindow : public TextPageWindow {
  Q_OBJECT

 public:
  explicit SolutionWindow(QWidget* parent);

  // Replaces the page by a copy of the steps, one per line, and the solved
  // expression by `solved_text` (the text the steps' places point into),
  // unless the window already shows that revision of them: a log of a
  // million steps takes a moment to copy. Step 1 of new steps is selected.
  void SetSteps(const StepLog& steps, const std::string& solved_text, std::uint64_t revision);

 protected:
  // Up and Down walk the steps as soon as the window is shown.
  void showEvent(QShowEvent* event) override;

 private:
  // Ctrl+C on the page: the selected lines, one per line.
  void CopySelection();
  // The current step's places, while it is selected.
  void HighlightCurrentStep();

  SolvedExpressionView* expression_;
  QListView* view_;
  StepListModel* model_;
  std::optional<std::uint64_t> shown_revision_;
};

}  // namespace korvex
