// Auto-completion of the main window's input: the name being typed at the
// caret completes to function and constant names, the whole text to earlier
// inputs of the history.
#pragma once

#include <vector>

#include <QObject>
#include <QStringList>

class QComboBox;
class QCompleter;
class QStringListModel;

namespace korvex {

struct Completion {
  QString shown;  // what the pop-up lists
  QString text;   // the input text after choosing it
  int caret = 0;  // the caret after choosing it
};

// History items that start with the whole text (only with the caret at its
// end), then catalogue names that start with the name before the caret. A
// name is a run of the characters the scanner keeps together in one name.
std::vector<Completion> CompletionCandidates(const QString& text, int caret,
                                             const QStringList& names, const QStringList& history);

class InputCompleter : public QObject {
  Q_OBJECT

 public:
  // Completes in the line edit of `input`, reading its drop-down list as
  // the history.
  explicit InputCompleter(QComboBox* input);

  void set_enabled(bool on);
  bool enabled() const { return enabled_; }
  void set_names(QStringList names);
  bool popup_visible() const;

 private:
  void textEdited();
  void Choose(const QString& shown);

  QComboBox* input_;
  QCompleter* completer_;
  QStringListModel* model_;
  QStringList names_;
  std::vector<Completion> offered_;
  bool enabled_ = false;
};

}  // namespace korvex
