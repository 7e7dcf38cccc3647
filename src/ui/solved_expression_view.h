// The Solution window's read-only copy of the solved expression, with the
// parts that one step reduced highlighted.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <span>
#include <string>
#include <vector>

#include "engine/error_sink.h"

namespace korvex {

// A solve of a million steps comes from a text of megabytes, and a text box
// lays out a whole line before it paints any of it: the text is shown in
// lines of a bounded length, wrapped to the box, so only the lines in view
// are laid out. Places count characters of the text as solved; the box
// counts UTF-16 units plus one for every line it started.
class SolvedExpressionView : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit SolvedExpressionView(QWidget* parent = nullptr);

  void SetText(const std::string& text);
  const QString& text() const { return text_; }
  // Highlights `places` in the palette's selection colours, the first one
  // scrolled into view; none clears the highlight.
  void Highlight(std::span<const SourceRange> places);

 protected:
  // A copy gives the text as solved, without the lines the box started.
  QMimeData* createMimeDataFromSelection() const override;
  // The highlight follows a change of palette (a light or dark scheme).
  void changeEvent(QEvent* event) override;

 private:
  void ShowHighlight();
  // Where a place's end or start stands in the box.
  int StartPosition(std::size_t character) const;
  int EndPosition(std::size_t character) const;
  qsizetype Unit(std::size_t character) const;
  // The unit of the text at a position of the box.
  qsizetype TextUnit(int position) const;

  QString text_;
  // Characters beyond the first plane (two units each), by character index.
  std::vector<std::size_t> wide_characters_;
  // Units of the text before which the box started a line, and where those
  // line breaks stand in the box.
  std::vector<qsizetype> line_starts_;
  std::vector<int> break_positions_;
  std::vector<SourceRange> highlighted_;
};

}  // namespace korvex
