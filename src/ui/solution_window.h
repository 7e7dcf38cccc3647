// The Solution window (Form3): the steps of the last solve, as of its last
// refresh through the "View solution" action.
#pragma once

#include <string>
#include <vector>

#include "ui/text_page_window.h"

namespace korvex {

class SolutionWindow : public TextPageWindow {
  Q_OBJECT

 public:
  explicit SolutionWindow(QWidget* parent);

  // Replaces the text by the steps, one per line.
  void SetSteps(const std::vector<std::string>& steps);
};

}  // namespace korvex
