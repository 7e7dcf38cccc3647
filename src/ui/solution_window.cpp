// The Solution window's texts and its refresh.
#include "ui/solution_window.h"

#include <QPlainTextEdit>
#include <QStringList>

namespace korvex {
namespace {

constexpr TextPageTexts kSolutionTexts = {"Form3", "Solution",
                                          "Solution for last calculated expression", "solution"};

}  // namespace

SolutionWindow::SolutionWindow(QWidget* parent) : TextPageWindow(kSolutionTexts, parent) {}

void SolutionWindow::SetSteps(const std::vector<std::string>& steps) {
  QStringList lines;
  lines.reserve(static_cast<qsizetype>(steps.size()));
  for (const std::string& step : steps) lines << QString::fromStdString(step);
  page()->setPlainText(lines.join(QLatin1Char('\n')));
}

}  // namespace korvex
