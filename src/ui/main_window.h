// The main window (Form1): the input with its history, the answer, the
// status bar and every menu around the expression list. It owns the
// calculator, solves, is the engine's failure channel, and runs the start-up
// sequence at its first activation.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QKeySequence>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QStringList>

#include "core/calculator.h"
#include "engine/error_sink.h"
#include "settings/startup_sequence.h"
#include "ui/report_export.h"
#include "ui/request_runner.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace korvex {

class CatalogueBrowser;
class EditWindow;
class ElidedLabel;
class ErrorLogWindow;
class ExpressionList;
class GeneralOptionsDialog;
class InputCompleter;
class LinkLabel;
class LivePreview;
class MaskOptionsDialog;
class MessageSeam;
class PlotRunDisplay;
class PreviewLine;
class Shell;
class SimpleWindow;
class SolutionWindow;
class UserVariablesWindow;

// The windows the main window opens, created by the program entry after it.
struct MainWindowPeers {
  UserVariablesWindow* user_variables;    // Form2
  SolutionWindow* solution;               // Form3
  EditWindow* edit;                       // Form4
  ErrorLogWindow* error_log;              // Form6
  MaskOptionsDialog* mask_options;        // Form7
  CatalogueBrowser* functions;            // Form8
  CatalogueBrowser* constants;            // Form9
  GeneralOptionsDialog* general_options;  // Form10
  SimpleWindow* simple;                   // Form11
};

// Menu entries whose windows are plugged in from outside, taken by name from
// the main menu's table; they stay disabled until something connects them
// and enables them.
struct PlugInActions {
  QAction* graphmenu;        // View > "Graph" (Ctrl+G)
  QAction* plotinfomenu;     // View > "Plot info" (Ctrl+P)
  QAction* plotoptionsmenu;  // Tools > "Plot options..."
  QAction* benchmarkmenu;    // Tools > "Benchmark" (Ctrl+B)
  QAction* bugmenu;          // Help > "Report a bug"
  QAction* homepagemenu;     // Help > "Visit homepage"
  QAction* donatemenu;       // Help > "Donate (PayPal)"
  QAction* tutorialsmenu;    // Help > "Tutorials"
  QAction* historymenu;      // Help > "Version history"
  QAction* aboutmenu;        // Help > "About Korvex"
};

class MainWindow : public QMainWindow, public ErrorSink {
  Q_OBJECT

 public:
  // The calculator must outlive the window; the window is its failure channel.
  MainWindow(Calculator& calculator, MessageSeam& messages, Shell& shell);
  ~MainWindow() override;

  void AttachWindows(const MainWindowPeers& peers);

  Calculator& calculator() { return calculator_; }
  // Every request of the program's windows runs through this one, so only
  // one runs at a time and each can be stopped.
  RequestRunner& runner() { return runner_; }
  LivePreview* live_preview() const { return live_preview_; }
  MessageSeam& messages() { return messages_; }
  Shell& shell() { return shell_; }
  const PlugInActions& plug_in_actions() const { return plug_ins_; }
  // Start-up views other windows supply: show_splash, show_start_screen and
  // anything to run after plot.ini has loaded, empty until ProgramWindows
  // sets them (tests may replace them before the first showing). The main
  // window adds its own refreshes to them.
  StartUpViews& start_up_hooks() { return hooks_; }

  // Starts a solve (plot false) or plot (plot true) request on the
  // calculator's worker and returns at once; its outcome is shown when it
  // arrives. False when another request runs.
  bool SolveThis(const QString& text, bool plot);
  void PasteAndSolve(bool plot);
  // The engine's failure channel: the error log, the answer box and, when
  // it is open, the Solution window.
  void ReportError(const std::string& message, const std::string& title) override;
  // The same, with the place in the text appended to the error log line
  // (" at 3-5").
  void ReportErrorAt(const std::string& message, const std::string& title,
                     const std::optional<SourceRange>& place) override;

  // Enabling rules of Insert, and of Solve and Clear.
  void InputUpdate();
  void UpdateListActions();
  void AddToInputHistory();
  // The first `position` characters of `text`, `insertion`, the rest.
  static QString InsertAtCaret(const QString& text, const QString& insertion, int position);
  // A Functions or Constants window inserts `text` at the remembered caret.
  void InsertFromCatalogue(const QString& text);
  // The Simple window's way to the list; see ExpressionList.
  bool SelectItemWithText(const QString& text);
  void SetInputText(const QString& text);
  QString AnswerText() const;
  // For the plot windows' progress display ("plot complete" and the like).
  void SetAnswerText(const QString& text);
  // An open Solution window shows the steps of the last solve.
  void RefreshOpenSolution();
  // Status panel 3 from the live plot settings.
  void RefreshPlotStatus();

  const QString& last_insertion() const { return last_insertion_; }
  int caret_position() const { return caret_position_; }

  // Switch to simple mode once the start-up sequence (and the start
  // screen) is over, as the program was left last time.
  void set_start_in_simple_mode(bool simple) { start_in_simple_mode_ = simple; }
  // What shows a plot run (Plot info, Reminder, the graph); null shows
  // nothing but the answer box. Must outlive the window's requests.
  void set_plot_display(PlotRunDisplay* display) { plot_display_ = display; }
  // Where File > "Export report..." asks for the file; null asks with the
  // real dialog. The dialog must outlive its use.
  void set_report_dialog(ReportDialog* dialog) { report_dialog_ = dialog; }

 signals:
  // A solve or plot request's outcome has been shown.
  void requestFinished();
  // Simple mode came (true) or went (false).
  void simpleModeChanged(bool simple);
  // The preview while typing was turned on or off (General options).
  void livePreviewChanged(bool on);

 public slots:
  void insertClick();
  void solveClick();
  void clearClick();
  void solutionlabelClick();
  void simplemodeClick();
  void insertlogClick();
  void FormActivate();

 protected:
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildInputGroup(QWidget* parent);
  void BuildEvaluateGroup(QWidget* parent);
  void BuildAnswerGroup(QWidget* parent);
  void BuildStatusBar();
  void BuildMenus();
  StartUpViews MakeStartUpViews();
  void Guarded(const std::function<void()>& work);
  // A request's outcome, applied to the session and shown, on this thread.
  void FinishSolve(const QString& text, SolveOutcome& outcome);
  void FinishPlot(PlotOutcome& outcome);
  // The next of a multiple plot's items, if any.
  void StartNextPlot();
  void ShowCanceled(const QString& text);
  // After a failed solve: `text` in the input, its failing part selected.
  void ShowErrorPlace(const QString& text, const SourceRange& place);
  // While a request runs: Solve and the windows that change what it reads
  // are disabled, Stop (and Escape) stop it, the answer box says so.
  void ShowBusy(bool busy);
  // The answer box, scrolled to its start: a long message shows its
  // beginning, not its end.
  void ShowAnswer(const QString& text);
  // Enter in the input: inserts its text, or solves the selected item when
  // it is empty.
  void inputReturnPressed();
  // Gives the input the focus when a window of ours closed to this one.
  void TakeBackFocus();
  void FinishStartUp();
  // Whether the input box lets Ctrl+Z / Ctrl+Shift+Z through to the list's
  // Undo and Redo: only when it has nothing of its own to undo or redo.
  bool InputYieldsKey(const QKeySequence& pressed) const;

  void ReplaceSelectedItem(const QString& text);
  void postimerTimer();
  void ShowGeneralSettings();
  void ShowMaskSettings();

  // Main menu handlers without a button of their own.
  void exitmenuClick();
  void copyanswermenuClick();
  void pasteexpressionmenuClick();
  void pastefunctionmenuClick();
  void errorlogmenuClick();
  void constantmenuClick();
  void functionmenuClick();
  void lastinsertionmenuClick();
  void maskmenuClick();
  void uservariablesmenuClick();
  void generalmenuClick();
  void undomenuClick();
  void redomenuClick();
  void exportreportmenuClick();

  MessageSeam& messages_;
  Shell& shell_;
  Calculator& calculator_;
  MainWindowPeers peers_{};
  PlugInActions plug_ins_{};
  StartUpViews hooks_;
  FirstActivationFlag first_activation_;
  bool activation_queued_ = false;
  std::vector<QKeySequence> shortcut_keys_;  // of the main menu

  QString last_insertion_;
  int caret_position_ = 0;

  QCheckBox* plotcheck_ = nullptr;
  QComboBox* input_ = nullptr;
  InputCompleter* completer_ = nullptr;
  PreviewLine* preview_line_ = nullptr;
  LivePreview* live_preview_ = nullptr;
  QPushButton* insert_ = nullptr;
  ExpressionList* list_ = nullptr;
  QLineEdit* answer_ = nullptr;
  QPushButton* solve_ = nullptr;
  QPushButton* clear_ = nullptr;
  LinkLabel* solutionlabel_ = nullptr;
  ElidedLabel* panels_[4] = {};
  QTimer* postimer_ = nullptr;

  QAction* insertmenu_ = nullptr;
  QAction* solvemenu_ = nullptr;
  QAction* clearmenu_ = nullptr;
  QAction* undomenu_ = nullptr;
  QAction* redomenu_ = nullptr;
  // A window of ours closed while it was active; the input takes the focus
  // at this window's next activation.
  bool focus_pending_ = false;
  QPointer<QWidget> last_active_window_;
  bool start_in_simple_mode_ = false;
  QPoint place_before_simple_;
  bool has_place_before_simple_ = false;

  // Before the runner, which waits for the worker that may still use it.
  RequestNotices silent_notices_;
  RequestRunner runner_;
  QPushButton* stop_ = nullptr;
  // Menu entries that start a request or change what one reads, with
  // whether each was enabled when the request began.
  std::vector<std::pair<QAction*, bool>> idle_only_actions_;
  QString answer_before_request_;
  // Closed: a request handed back afterwards is kept in the session but
  // brings no window up.
  bool closed_ = false;
  // The items of a multiple plot still to run, one request each.
  QStringList pending_plots_;
  PlotRunDisplay* plot_display_ = nullptr;
  ReportDialog* report_dialog_ = nullptr;
};

}  // namespace korvex
