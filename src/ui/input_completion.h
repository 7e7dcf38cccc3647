// Auto-completion of the main window's input: the name being typed at the
// caret completes to function and constant names, shown with their
// parameters and description; the whole text completes to earlier inputs of
// the history.
#pragma once

#include <vector>

#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QCompleter;
class QStandardItemModel;

namespace korvex {

class Catalogue;

// A catalogue name as the pop-up offers it.
struct CompletionName {
  QString name;
  QString signature;    // "gcd[n1;n2]", "pi = 3,14159265358979"
  QString description;  // the catalogue's description
  bool is_function = false;
};

// Functions first, then constants; a name both catalogues hold is offered
// once, as the function.
std::vector<CompletionName> CompletionNames(const Catalogue& functions, const Catalogue& constants);

struct Completion {
  QString label;        // the signature, or the history item
  QString description;  // empty for a history item
  // Choosing it replaces the characters [from, to) of the input by
  // `replacement` and leaves the caret at `caret`.
  int from = 0;
  int to = 0;
  QString replacement;
  int caret = 0;
};

// The pop-up's line for a completion: "gcd[n1;n2] - Greatest common ...".
QString CompletionLine(const Completion& completion);

// History items that start with the whole text (only with the caret at its
// end), then the names that start with the name before the caret, sorted.
// A name is a run of the characters the scanner keeps together in one name.
// A function completes to its name and "[", the caret inside the bracket
// (a "[" already after the caret is used, not doubled); a constant to its
// name. A name that would leave the text as it is is not offered.
std::vector<Completion> CompletionCandidates(const QString& text, int caret,
                                             const std::vector<CompletionName>& names,
                                             const QStringList& history);

class InputCompleter : public QObject {
  Q_OBJECT

 public:
  // Completes in the line edit of `input`, reading its drop-down list as
  // the history.
  explicit InputCompleter(QComboBox* input);

  void set_enabled(bool on);
  bool enabled() const { return enabled_; }
  void set_names(std::vector<CompletionName> names);
  bool popup_visible() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void textEdited();
  void Choose(int row);
  void ShowPopup();

  QComboBox* input_;
  QCompleter* completer_;
  QStandardItemModel* model_;
  std::vector<CompletionName> names_;
  std::vector<Completion> offered_;
  QString offered_for_;  // the input text the offered completions were made for
  bool enabled_ = false;
  bool choosing_ = false;
};

}  // namespace korvex
