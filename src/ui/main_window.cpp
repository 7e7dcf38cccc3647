// The main window: layout, texts, the main menu's table, solving, the
// failure channel and the start-up sequence.
#include "ui/main_window.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "output/format_float.h"
#include "output/show_answer.h"
#include "output/thousands_separator.h"
#include "settings/insertion_log.h"
#include "settings/mask_file.h"
#include "settings/plot_file.h"
#include "settings/preferences.h"
#include "ui/catalogue_browser.h"
#include "ui/character_index.h"
#include "ui/edit_window.h"
#include "ui/elided_label.h"
#include "ui/error_log_window.h"
#include "ui/expression_list.h"
#include "ui/general_options_dialog.h"
#include "ui/input_completion.h"
#include "ui/link_label.h"
#include "ui/live_preview.h"
#include "ui/mask_options_dialog.h"
#include "ui/message_seam.h"
#include "ui/plot_run_display.h"
#include "ui/preview_line.h"
#include "ui/simple_window.h"
#include "ui/solution_window.h"
#include "ui/user_variables_window.h"
#include "ui/window_support.h"

namespace korvex {
namespace {

struct MainTexts {
  const char* caption = "Korvex";
  const char* input_group = "Input";
  const char* input_hint = "Type in a mathematical expression";
  const char* plotcheck_hint = "Check inserted expression";
  const char* plotcheck = "&Plot";
  const char* insert = "Insert";
  const char* insert_hint = "Insert expression";
  const char* evaluate_group = "Evaluate";
  const char* answer_group = "Answer";
  const char* solve = "Solve";
  const char* solve_hint = "Solve (unchecked) or plot (checked) selected expression";
  const char* stop = "Stop";
  const char* stop_hint = "Stop the running calculation (Esc)";
  const char* working = "Working... (Esc or Stop ends it)";
  const char* clear = "Clear";
  const char* clear_hint = "Clear evaluate";
  const char* solutionlabel = "View solution";
  const char* solutionlabel_hint = "Open and view the solution form (Ctrl+S)";
  const char* first_bit_panel = "1 bit";
  const char* error_pointer = ", see (View/Error log)";
  const char* no_insertion = "Please insert a function or constant first";
  const char* no_clipboard_text = "Clipboard must contain text";
};
constexpr MainTexts kTexts;

constexpr int kPanelWidths[4] = {75, 125, 100, 100};
constexpr int kCaretSamplePeriodMs = 100;

// One entry of the main menu: ours (a handler), plugged in from outside (a
// slot of PlugInActions, disabled until connected) or, without a name, a
// separator. `kept` remembers an action whose enabling follows the window.
using MenuHandler = void (MainWindow::*)();
struct MenuEntry {
  const char* name = nullptr;
  const char* caption = "";  // with its access letter
  const char* shortcut = "";
  MenuHandler handler = nullptr;
  QAction* PlugInActions::*plug_in = nullptr;
  QAction* MainWindow::*kept = nullptr;
};
struct MenuTable {
  const char* title;
  std::initializer_list<MenuEntry> entries;
};
constexpr MenuEntry kSeparator;

// Entries whose shortcuts act only while the main window is active: Undo
// and Redo would otherwise take the keys from every text box of the
// program. The other shortcuts work from any of its windows.
constexpr const char* kMainWindowOnlyShortcuts[] = {"undomenu", "redomenu"};

template <std::size_t N>
bool Listed(std::string_view name, const char* const (&names)[N]) {
  return std::any_of(std::begin(names), std::end(names),
                     [name](const char* listed) { return name == listed; });
}

// Entries that start a request or change what a running one reads.
constexpr const char* kIdleOnlyActions[] = {
    "pasteexpressionmenu", "pastefunctionmenu", "maskmenu",    "plotoptionsmenu",
    "benchmarkmenu",       "uservariablesmenu", "generalmenu", "simplemodemenu",
};

QGroupBox* Group(const char* title, QWidget* parent) {
  return new QGroupBox(QString::fromUtf8(title), parent);
}

}  // namespace

MainWindow::MainWindow(Calculator& calculator, MessageSeam& messages, Shell& shell)
    : messages_(messages), shell_(shell), calculator_(calculator), runner_(calculator) {
  calculator_.set_error_sink(this);
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromUtf8(kTexts.caption));

  auto* central = new QWidget(this);
  new QVBoxLayout(central);
  BuildInputGroup(central);
  BuildEvaluateGroup(central);
  BuildAnswerGroup(central);
  setCentralWidget(central);
  BuildStatusBar();
  BuildMenus();
  undomenu_->setEnabled(false);
  redomenu_->setEnabled(false);
  connect(list_, &ExpressionList::undoAvailable, undomenu_, &QAction::setEnabled);
  connect(list_, &ExpressionList::redoAvailable, redomenu_, &QAction::setEnabled);
  // The menu's shortcuts act from every window of the program, so they must
  // win over the text boxes there too, and closing any of its windows gives
  // the input the focus back: only an application-wide filter sees both.
  qApp->installEventFilter(this);

  postimer_ = new QTimer(this);
  postimer_->setObjectName(QStringLiteral("postimer"));
  postimer_->setInterval(kCaretSamplePeriodMs);
  connect(postimer_, &QTimer::timeout, this, &MainWindow::postimerTimer);
  postimer_->start();

  connect(&runner_, &RequestRunner::busyChanged, this, &MainWindow::ShowBusy);
  // One Stop ends a multiple plot, also when it lands between two items.
  connect(&runner_, &RequestRunner::stopRequested, this, [this] { pending_plots_.clear(); });
  runner_.set_failure_display(
      [this](const std::string& text) { messages_.ShowFailure(QString::fromStdString(text)); });
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setObjectName(QStringLiteral("stopshortcut"));
  connect(escape, &QShortcut::activated, &runner_, &RequestRunner::Stop);

  resize(480, 460);
  InputUpdate();
  UpdateListActions();
  // Typing goes to the input from the first moment the window is active.
  input_->setFocus();
}

MainWindow::~MainWindow() { calculator_.set_error_sink(nullptr); }

void MainWindow::BuildInputGroup(QWidget* parent) {
  auto* group = Group(kTexts.input_group, parent);
  // The caption says what the box does; Alt+P ticks it from the keyboard.
  plotcheck_ = new QCheckBox(QString::fromUtf8(kTexts.plotcheck), group);
  plotcheck_->setObjectName(QStringLiteral("plotcheck"));
  plotcheck_->setToolTip(QString::fromUtf8(kTexts.plotcheck_hint));
  // Ticking it with the mouse leaves the typing in the input.
  plotcheck_->setFocusPolicy(Qt::TabFocus);

  input_ = new QComboBox(group);
  input_->setObjectName(QStringLiteral("input"));
  input_->setToolTip(QString::fromUtf8(kTexts.input_hint));
  input_->setEditable(true);
  input_->setInsertPolicy(QComboBox::NoInsert);
  input_->setCompleter(nullptr);  // completion is ours and follows "Use AutoComplete"
  input_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  input_->setMinimumContentsLength(20);
  // The combo box hands its keys to its line edit directly, so the filter
  // watches both.
  input_->installEventFilter(this);
  input_->lineEdit()->installEventFilter(this);
  completer_ = new InputCompleter(input_);

  insert_ = new QPushButton(QString::fromUtf8(kTexts.insert), group);
  insert_->setObjectName(QStringLiteral("insert"));
  insert_->setToolTip(QString::fromUtf8(kTexts.insert_hint));
  insert_->setDefault(true);

  preview_line_ = new PreviewLine(group);
  live_preview_ = new LivePreview(calculator_, input_->lineEdit(), preview_line_,
                                  [this] { return plotcheck_->isChecked(); });

  auto* rows = new QVBoxLayout(group);
  auto* row = new QHBoxLayout;
  row->addWidget(plotcheck_);
  row->addWidget(input_, 1);
  row->addWidget(insert_);
  rows->addLayout(row);
  rows->addWidget(preview_line_);
  parent->layout()->addWidget(group);
  connect(plotcheck_, &QCheckBox::toggled, live_preview_, &LivePreview::Refresh);

  connect(input_, &QComboBox::editTextChanged, this, &MainWindow::InputUpdate);
  connect(insert_, &QPushButton::clicked, this, &MainWindow::insertClick);
  connect(input_->lineEdit(), &QLineEdit::returnPressed, this, &MainWindow::inputReturnPressed);
}

void MainWindow::BuildEvaluateGroup(QWidget* parent) {
  auto* group = Group(kTexts.evaluate_group, parent);
  list_ = new ExpressionList(group);
  (new QVBoxLayout(group))->addWidget(list_);
  static_cast<QVBoxLayout*>(parent->layout())->addWidget(group, 1);

  connect(list_, &ExpressionList::countChanged, this, &MainWindow::UpdateListActions);
  connect(list_, &ExpressionList::solveRequested, this, &MainWindow::solveClick);
  connect(list_, &ExpressionList::clearRequested, this, &MainWindow::clearClick);
  connect(list_, &ExpressionList::insertLogRequested, this, &MainWindow::insertlogClick);
  connect(list_, &ExpressionList::simpleModeRequested, this, &MainWindow::simplemodeClick);
}

void MainWindow::BuildAnswerGroup(QWidget* parent) {
  auto* group = Group(kTexts.answer_group, parent);
  answer_ = new QLineEdit(group);
  answer_->setObjectName(QStringLiteral("answer"));
  // The user reads and may copy the answer but never types into it.
  answer_->setReadOnly(true);
  QFont larger = answer_->font();
  larger.setPointSizeF(larger.pointSizeF() * 1.25);
  answer_->setFont(larger);
  (new QVBoxLayout(group))->addWidget(answer_);
  parent->layout()->addWidget(group);

  solutionlabel_ = new LinkLabel(QString::fromUtf8(kTexts.solutionlabel), parent);
  solutionlabel_->setObjectName(QStringLiteral("solutionlabel"));
  solutionlabel_->setToolTip(QString::fromUtf8(kTexts.solutionlabel_hint));
  clear_ = new QPushButton(QString::fromUtf8(kTexts.clear), parent);
  clear_->setObjectName(QStringLiteral("clear"));
  clear_->setToolTip(QString::fromUtf8(kTexts.clear_hint));
  solve_ = new QPushButton(QString::fromUtf8(kTexts.solve), parent);
  solve_->setObjectName(QStringLiteral("solve"));
  solve_->setToolTip(QString::fromUtf8(kTexts.solve_hint));
  solve_->setDefault(true);
  stop_ = new QPushButton(QString::fromUtf8(kTexts.stop), parent);
  stop_->setObjectName(QStringLiteral("stop"));
  stop_->setToolTip(QString::fromUtf8(kTexts.stop_hint));
  stop_->setVisible(false);

  auto* row = new QHBoxLayout;
  row->addWidget(solutionlabel_);
  row->addStretch();
  row->addWidget(clear_);
  row->addWidget(stop_);
  row->addWidget(solve_);
  static_cast<QVBoxLayout*>(parent->layout())->addLayout(row);

  connect(solutionlabel_, &LinkLabel::clicked, this, &MainWindow::solutionlabelClick);
  connect(clear_, &QPushButton::clicked, this, &MainWindow::clearClick);
  connect(solve_, &QPushButton::clicked, this, &MainWindow::solveClick);
  connect(stop_, &QPushButton::clicked, &runner_, &RequestRunner::Stop);
}

void MainWindow::BuildStatusBar() {
  QStatusBar* status = statusBar();
  status->setObjectName(QStringLiteral("status"));
  for (int i = 0; i < 4; ++i) {
    panels_[i] = new ElidedLabel(status);
    panels_[i]->setObjectName(QStringLiteral("panel%1").arg(i));
    panels_[i]->setMinimumWidth(kPanelWidths[i]);
    panels_[i]->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    status->addWidget(panels_[i], i == 3 ? 1 : 0);
  }
  panels_[0]->ShowText(QString::fromUtf8(kTexts.first_bit_panel));
}

void MainWindow::BuildMenus() {
  const MenuTable menus[] = {
      {"&File",
       {{"insertmenu", "&Insert", "", &MainWindow::insertClick, nullptr, &MainWindow::insertmenu_},
        {"solvemenu", "&Solve", "", &MainWindow::solveClick, nullptr, &MainWindow::solvemenu_},
        {"clearmenu", "&Clear", "", &MainWindow::clearClick, nullptr, &MainWindow::clearmenu_},
        kSeparator,
        {"exportreportmenu", "&Export report...", "", &MainWindow::exportreportmenuClick},
        kSeparator,
        {"simplemodemenu", "Simple &mode", "", &MainWindow::simplemodeClick},
        kSeparator,
        {"exitmenu", "E&xit", "", &MainWindow::exitmenuClick}}},
      {"&Edit",
       {{"undomenu", "&Undo", "Ctrl+Z", &MainWindow::undomenuClick, nullptr,
         &MainWindow::undomenu_},
        {"redomenu", "&Redo", "Ctrl+Shift+Z", &MainWindow::redomenuClick, nullptr,
         &MainWindow::redomenu_},
        kSeparator,
        {"copyanswermenu", "&Copy answer", "Ctrl+Shift+C", &MainWindow::copyanswermenuClick},
        {"pasteexpressionmenu", "&Paste expression", "Ctrl+Shift+V",
         &MainWindow::pasteexpressionmenuClick},
        {"pastefunctionmenu", "Paste &function", "Ctrl+Shift+F",
         &MainWindow::pastefunctionmenuClick},
        kSeparator,
        {"insertlogmenu", "Insert &log", "", &MainWindow::insertlogClick}}},
      {"&View",
       {{"errorlogmenu", "&Error log", "Ctrl+E", &MainWindow::errorlogmenuClick},
        {"solutionmenu", "&Solution", "Ctrl+S", &MainWindow::solutionlabelClick},
        kSeparator,
        {"graphmenu", "&Graph", "Ctrl+G", nullptr, &PlugInActions::graphmenu},
        {"plotinfomenu", "&Plot info", "Ctrl+P", nullptr, &PlugInActions::plotinfomenu}}},
      {"&Insert",
       {{"constantmenu", "&Constant...", "", &MainWindow::constantmenuClick},
        {"functionmenu", "&Function...", "", &MainWindow::functionmenuClick},
        kSeparator,
        {"lastinsertionmenu", "&Last insertion", "Ctrl+I", &MainWindow::lastinsertionmenuClick}}},
      {"&Tools",
       {{"maskmenu", "&Mask options...", "", &MainWindow::maskmenuClick},
        {"plotoptionsmenu", "&Plot options...", "", nullptr, &PlugInActions::plotoptionsmenu},
        kSeparator,
        {"benchmarkmenu", "&Benchmark", "Ctrl+B", nullptr, &PlugInActions::benchmarkmenu},
        kSeparator,
        {"uservariablesmenu", "&User variables", "Ctrl+U", &MainWindow::uservariablesmenuClick},
        {"generalmenu", "&General options...", "", &MainWindow::generalmenuClick}}},
      {"&Help",
       {{"bugmenu", "&Report a bug", "", nullptr, &PlugInActions::bugmenu},
        {"homepagemenu", "Visit &homepage", "", nullptr, &PlugInActions::homepagemenu},
        {"donatemenu", "&Donate (PayPal)", "", nullptr, &PlugInActions::donatemenu},
        kSeparator,
        {"tutorialsmenu", "&Tutorials", "", nullptr, &PlugInActions::tutorialsmenu},
        {"historymenu", "&Version history", "", nullptr, &PlugInActions::historymenu},
        kSeparator,
        {"aboutmenu", "&About Korvex", "", nullptr, &PlugInActions::aboutmenu}}},
  };
  for (const MenuTable& table : menus) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(table.title));
    menu->setObjectName(QString::fromUtf8(table.title).remove(QLatin1Char('&')).toLower() +
                        QStringLiteral("menus"));
    for (const MenuEntry& entry : table.entries) {
      if (!entry.name) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(QString::fromUtf8(entry.caption));
      action->setObjectName(QString::fromLatin1(entry.name));
      if (*entry.shortcut) {
        action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
        if (!Listed(entry.name, kMainWindowOnlyShortcuts)) {
          action->setShortcutContext(Qt::ApplicationShortcut);
          shortcut_keys_.push_back(action->shortcut());
        }
      }
      if (entry.handler) connect(action, &QAction::triggered, this, entry.handler);
      if (entry.plug_in) {
        plug_ins_.*entry.plug_in = action;
        action->setEnabled(false);
      }
      if (entry.kept) this->*entry.kept = action;
      if (Listed(entry.name, kIdleOnlyActions)) idle_only_actions_.emplace_back(action, true);
    }
  }
}

void MainWindow::AttachWindows(const MainWindowPeers& peers) {
  peers_ = peers;
  connect(list_, &ExpressionList::editRequested, peers_.edit, &EditWindow::EditExpression);
  connect(peers_.edit, &EditWindow::replaceRequested, this, &MainWindow::ReplaceSelectedItem);
  for (CatalogueBrowser* browser : {peers_.functions, peers_.constants})
    connect(browser, &CatalogueBrowser::insertRequested, this, &MainWindow::InsertFromCatalogue);
  connect(peers_.mask_options, &MaskOptionsDialog::settingsLoaded, this,
          &MainWindow::ShowMaskSettings);
  connect(peers_.general_options, &GeneralOptionsDialog::settingsLoaded, this,
          &MainWindow::ShowGeneralSettings);
  connect(peers_.simple, &SimpleWindow::closed, this, [this] {
    if (has_place_before_simple_) move(place_before_simple_);
    BringUp(this);
    input_->setFocus();
    emit simpleModeChanged(false);
  });
}

void MainWindow::Guarded(const std::function<void()>& work) { RunHandler(messages_, work); }

// ---- Solving and the failure channel ----

bool MainWindow::SolveThis(const QString& text, bool plot) {
  if (runner_.busy()) return false;
  if (isActiveWindow()) input_->setFocus();
  if (plot) {
    auto request = std::make_shared<PlotRequest>(
        calculator_.MakePlotRequest(text.toStdString(), calculator_.session()));
    RequestNotices& notices = plot_display_ ? plot_display_->posted() : silent_notices_;
    return runner_.Start<PlotOutcome>(
        [request, &notices](RequestContext& context) { return context.Plot(*request, notices); },
        [this](PlotOutcome& outcome) {
          FinishPlot(outcome);
          live_preview_->Refresh();
          emit requestFinished();
        });
  }
  auto request = std::make_shared<SolveRequest>(
      calculator_.MakeSolveRequest(text.toStdString(), calculator_.session()));
  return runner_.Start<SolveOutcome>(
      [request](RequestContext& context) { return context.Solve(*request); },
      [this, text](SolveOutcome& outcome) {
        FinishSolve(text, outcome);
        // `ans` may stand for another value now.
        live_preview_->Refresh();
        emit requestFinished();
      });
}

void MainWindow::FinishSolve(const QString& text, SolveOutcome& outcome) {
  calculator_.session().Apply(outcome);
  // Handed back after the window closed: kept, not shown.
  if (closed_) return;
  ReplayFailures(outcome.reported, *this);
  if (outcome.status == SolveOutcome::Status::kCanceled) {
    ShowCanceled(QString::fromStdString(outcome.failure_text));
    return;
  }
  if (outcome.status == SolveOutcome::Status::kReported && outcome.error_place)
    ShowErrorPlace(text, *outcome.error_place);
  if (outcome.evaluated) panels_[0]->ShowText(QString::fromStdString(outcome.bit_count));
  if (outcome.status == SolveOutcome::Status::kAnswered) {
    ShowAnswer(QString::fromStdString(outcome.answer_text));
    RefreshOpenSolution();
  }
  if (!outcome.failure_text.empty())
    messages_.ShowFailure(QString::fromStdString(outcome.failure_text));
}

void MainWindow::FinishPlot(PlotOutcome& outcome) {
  calculator_.session().Apply(outcome);
  if (closed_) return;
  ReplayFailures(outcome.reported, *this);
  if (plot_display_) plot_display_->EndRun(outcome);
  if (!outcome.failure_text.empty())
    messages_.ShowFailure(QString::fromStdString(outcome.failure_text));
  // A stop or a failure shown in its own box abandons the rest of a
  // multiple plot; one reported in the answer box (a refused or failing
  // item) lets the next item plot, as it always has.
  if (outcome.status == PlotOutcome::Status::kCanceled ||
      outcome.status == PlotOutcome::Status::kGeneralFailure)
    pending_plots_.clear();
  StartNextPlot();
}

void MainWindow::StartNextPlot() {
  while (!pending_plots_.isEmpty()) {
    const QString text = pending_plots_.takeFirst();
    if (SolveThis(text, true)) return;
  }
}

void MainWindow::PasteAndSolve(bool plot) {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard->mimeData();
  if (data && data->hasText()) {
    SolveThis(clipboard->text(), plot);
    return;
  }
  ReportError(kTexts.no_clipboard_text, kPasteError);
}

// A stopped solve: the answer box and the error log say so; the stored
// answer and the steps so far stay.
void MainWindow::ShowCanceled(const QString& text) {
  if (peers_.error_log) peers_.error_log->AppendError(text);
  ShowAnswer(text);
  RefreshOpenSolution();
}

void MainWindow::ReportError(const std::string& message, const std::string& title) {
  ReportErrorAt(message, title, std::nullopt);
}

void MainWindow::ReportErrorAt(const std::string& message, const std::string& title,
                               const std::optional<SourceRange>& place) {
  // PlaceSuffix counts from 1, both ends included: " at 3-5".
  QString line = QString::fromStdString(message);
  if (place) line += QString::fromStdString(PlaceSuffix(*place));
  if (peers_.error_log) peers_.error_log->AppendError(line);
  ShowAnswer(QString::fromStdString(title) + QString::fromUtf8(kTexts.error_pointer));
  RefreshOpenSolution();
}

// The place counts characters; the line edit counts UTF-16 units, two for a
// character beyond the first plane.
void MainWindow::ShowErrorPlace(const QString& text, const SourceRange& place) {
  const int start = Utf16Index(text, place.start);
  const int end = std::max(Utf16Index(text, place.end), start);
  SetInputText(text);
  // Selected from its end back, the caret stands at the start of the part.
  input_->lineEdit()->setSelection(end, start - end);
  InputUpdate();
}

void MainWindow::solutionlabelClick() {
  if (!peers_.solution) return;
  peers_.solution->SetSteps(calculator_.steps(), calculator_.session().solved_text(),
                            calculator_.session().steps_revision());
  BringUp(peers_.solution);
}

// While the Solution window is open every request refreshes it; it stays
// where it is, so typing in the main window goes on undisturbed.
void MainWindow::RefreshOpenSolution() {
  if (peers_.solution && peers_.solution->isVisible())
    peers_.solution->SetSteps(calculator_.steps(), calculator_.session().solved_text(),
                              calculator_.session().steps_revision());
}

// ---- Input, insertion and the list ----

void MainWindow::InputUpdate() {
  const bool has_text = !input_->currentText().isEmpty();
  insert_->setEnabled(has_text);
  if (insertmenu_) insertmenu_->setEnabled(has_text);
}

void MainWindow::UpdateListActions() {
  const bool has_items = list_->count() > 0;
  clear_->setEnabled(has_items);
  if (clearmenu_) clearmenu_->setEnabled(has_items);
  solve_->setEnabled(has_items && !runner_.busy());
  if (solvemenu_) solvemenu_->setEnabled(has_items && !runner_.busy());
}

void MainWindow::ShowBusy(bool busy) {
  stop_->setVisible(busy);
  const QString working = QString::fromUtf8(kTexts.working);
  if (busy) {
    answer_before_request_ = answer_->text();
    ShowAnswer(working);
    for (auto& [action, was_enabled] : idle_only_actions_) {
      was_enabled = action->isEnabled();
      action->setEnabled(false);
    }
  } else {
    for (const auto& [action, was_enabled] : idle_only_actions_) action->setEnabled(was_enabled);
    // A request that ended without writing the box (a failure shown in its
    // own window) leaves the answer that was there.
    if (answer_->text() == working) ShowAnswer(answer_before_request_);
  }
  UpdateListActions();
}

void MainWindow::AddToInputHistory() {
  const QString text = input_->currentText();
  if (input_->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0) return;
  input_->insertItem(0, text);
}

QString MainWindow::InsertAtCaret(const QString& text, const QString& insertion, int position) {
  position = std::clamp(position, 0, static_cast<int>(text.size()));
  return text.left(position) + insertion + text.mid(position);
}

void MainWindow::SetInputText(const QString& text) {
  input_->setCurrentIndex(-1);
  input_->setEditText(text);
}

QString MainWindow::AnswerText() const { return answer_->text(); }

void MainWindow::SetAnswerText(const QString& text) { ShowAnswer(text); }

void MainWindow::ShowAnswer(const QString& text) {
  answer_->setText(text);
  answer_->setCursorPosition(0);
}

void MainWindow::insertClick() {
  const QString text = input_->currentText();
  if (text.isEmpty()) return;
  list_->AddItem(text, plotcheck_->isChecked());
  if (calculator_.general().store_input) AddToInputHistory();
  if (calculator_.general().log_input)
    AppendToInsertionLog(calculator_.data(), text.toStdString(), messages_);
  SetInputText(QString());
  InputUpdate();
  if (isActiveWindow()) input_->setFocus();
}

bool MainWindow::SelectItemWithText(const QString& text) { return list_->SelectItemWithText(text); }

void MainWindow::solveClick() {
  Guarded([this] {
    const int row = list_->SelectedIndex();
    if (row < 0) return;
    if (!list_->IsChecked(row)) {
      SolveThis(list_->ItemText(row), false);
      return;
    }
    if (calculator_.plot_settings().mode != PlotMode::kMultipleAll) {
      SolveThis(list_->ItemText(row), true);
      return;
    }
    // One request after the other; a failure shown for one plot abandons
    // the rest.
    if (runner_.busy()) return;
    pending_plots_ = list_->CheckedTexts();
    StartNextPlot();
  });
}

void MainWindow::clearClick() {
  list_->Clear();
  input_->setFocus();
}

void MainWindow::inputReturnPressed() {
  // While the completion list is open Enter chooses a completion instead.
  if (completer_->popup_visible()) return;
  if (insert_->isEnabled()) {
    insertClick();
    return;
  }
  if (input_->currentText().isEmpty() && solve_->isEnabled()) solveClick();
}

void MainWindow::exportreportmenuClick() {
  Guarded([this] {
    QtReportDialog real_dialog;
    ExportReport(*this, *list_, report_dialog_ ? *report_dialog_ : real_dialog);
  });
}

void MainWindow::undomenuClick() { list_->Undo(); }

void MainWindow::redomenuClick() { list_->Redo(); }

void MainWindow::ReplaceSelectedItem(const QString& text) {
  if (!list_->ReplaceSelected(text)) return;
  if (calculator_.general().log_input)
    AppendToInsertionLog(calculator_.data(), text.toStdString(), messages_);
}

void MainWindow::insertlogClick() {
  Lines list;
  for (const QString& text : list_->Texts()) list.push_back(text.toStdString());
  const auto logged = InsertLog(calculator_.data(), list, messages_);
  if (!logged) return;
  QStringList lines;
  for (const std::string& line : *logged) lines << QString::fromStdString(line);
  list_->AppendLoggedItems(lines);
}

void MainWindow::simplemodeClick() {
  if (!peers_.simple) return;
  // The simple window stands where this one was, and this one comes back
  // there.
  place_before_simple_ = pos();
  has_place_before_simple_ = true;
  peers_.simple->Start(input_->currentText());
  hide();
  emit simpleModeChanged(true);
}

// ---- Menu entries without a button of their own ----

void MainWindow::exitmenuClick() { close(); }

void MainWindow::pasteexpressionmenuClick() {
  Guarded([this] { PasteAndSolve(false); });
}

void MainWindow::pastefunctionmenuClick() {
  Guarded([this] { PasteAndSolve(true); });
}

void MainWindow::errorlogmenuClick() {
  if (peers_.error_log) BringUp(peers_.error_log);
}

void MainWindow::constantmenuClick() {
  if (peers_.constants) BringUp(peers_.constants);
}

void MainWindow::functionmenuClick() {
  if (peers_.functions) BringUp(peers_.functions);
}

void MainWindow::uservariablesmenuClick() {
  if (peers_.user_variables) BringUp(peers_.user_variables);
}

// ---- Functions, constants and the caret ----

void MainWindow::postimerTimer() {
  if (isActiveWindow()) caret_position_ = input_->lineEdit()->cursorPosition();
}

void MainWindow::InsertFromCatalogue(const QString& text) {
  last_insertion_ = text;
  const int position =
      std::clamp(caret_position_, 0, static_cast<int>(input_->currentText().size()));
  SetInputText(InsertAtCaret(input_->currentText(), text, position));
  input_->lineEdit()->setCursorPosition(position + static_cast<int>(text.size()));
  InputUpdate();
}

void MainWindow::lastinsertionmenuClick() {
  if (last_insertion_.isEmpty()) {
    messages_.Inform(QString::fromUtf8(kTexts.no_insertion));
    return;
  }
  InsertFromCatalogue(last_insertion_);
}

void MainWindow::copyanswermenuClick() {
  QGuiApplication::clipboard()->setText(QString::fromStdString(calculator_.CopyAnswerText()));
}

// ---- Settings ----

void MainWindow::maskmenuClick() {
  if (peers_.mask_options) peers_.mask_options->OpenDialog();
}

void MainWindow::generalmenuClick() {
  if (peers_.general_options) peers_.general_options->OpenDialog();
}

void MainWindow::ShowMaskSettings() {
  panels_[2]->ShowText(QString::fromStdString(MaskStatusText(calculator_.mask())));
}

void MainWindow::ShowGeneralSettings() {
  completer_->set_enabled(calculator_.general().auto_complete);
  const bool preview = LivePreviewOn(calculator_.data());
  if (preview != live_preview_->enabled()) {
    live_preview_->set_enabled(preview);
    emit livePreviewChanged(preview);
  } else {
    live_preview_->Refresh();
  }
  panels_[1]->ShowText(
      QString::fromStdString(NumberSystemName(calculator_.general().number_system)));
}

void MainWindow::RefreshPlotStatus() {
  panels_[3]->ShowText(QString::fromStdString(PlotStatusText(calculator_.plot_settings())));
  live_preview_->Refresh();
}

// ---- Start and end ----

StartUpViews MainWindow::MakeStartUpViews() {
  StartUpViews views = hooks_;
  views.catalogues_loaded = [this] {
    completer_->set_names(
        CompletionNames(calculator_.catalogues().functions, calculator_.catalogues().constants));
  };
  views.variables_loaded = [this] {
    if (peers_.user_variables) peers_.user_variables->RefreshTable();
  };
  views.mask_settings_loaded = [this] { ShowMaskSettings(); };
  views.general_settings_loaded = [this] { ShowGeneralSettings(); };
  views.plot_settings_loaded = [this, after = hooks_.plot_settings_loaded] {
    RefreshPlotStatus();
    if (after) after();
  };
  return views;
}

void MainWindow::FormActivate() {
  const bool first = first_activation_.is_set();
  const StartUpOutcome outcome = calculator_.RunStartUp(first_activation_, MakeStartUpViews());
  if (outcome == StartUpOutcome::kMustClose) {
    close();
    return;
  }
  if (!first) return;
  // The splash and the start screen had the focus; typing goes to the input.
  input_->setFocus();
  FinishStartUp();
}

void MainWindow::FinishStartUp() {
  // The start screen, while open, keeps the program in this window.
  if (!start_in_simple_mode_ || first_activation_.is_set() || QApplication::activeModalWidget())
    return;
  start_in_simple_mode_ = false;
  QTimer::singleShot(0, this, [this] {
    if (isVisible()) simplemodeClick();
  });
}

void MainWindow::TakeBackFocus() {
  if (!focus_pending_ || !isActiveWindow()) return;
  focus_pending_ = false;
  input_->setFocus();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  if (first_activation_.is_set()) {
    FormActivate();
    return;
  }
  TakeBackFocus();
  FinishStartUp();
  // Back from another window: the user variables may mean something else.
  live_preview_->Refresh();
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  closed_ = false;
  // A desktop without a window manager may never activate the window; the
  // first showing then starts the sequence (it runs only once either way).
  if (!activation_queued_) {
    activation_queued_ = true;
    QTimer::singleShot(0, this, [this] {
      if (first_activation_.is_set()) FormActivate();
    });
  }
}

bool MainWindow::InputYieldsKey(const QKeySequence& pressed) const {
  const QLineEdit* line = input_->lineEdit();
  if (undomenu_ && pressed == undomenu_->shortcut()) return !line->isUndoAvailable();
  if (redomenu_ && pressed == redomenu_->shortcut()) return !line->isRedoAvailable();
  return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Text boxes claim some keys the menu uses (Ctrl+E and Ctrl+U edit the
  // line on some desktops); the menu's shortcuts win, in every window of
  // the program while this one is there to answer them. Ctrl+Z stays the
  // input's own until it has nothing left to undo; then it undoes the list.
  if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() && isVisible()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    const bool in_input = watched == input_ || watched == input_->lineEdit();
    const bool menu_wins =
        std::find(shortcut_keys_.begin(), shortcut_keys_.end(), pressed) != shortcut_keys_.end() ||
        (in_input && InputYieldsKey(pressed));
    if (menu_wins) {
      event->ignore();
      return true;
    }
  }
  // A window of ours that the user closes gives the focus back to the input
  // once this window is active again. Some platforms deactivate a window
  // before it hears of its hiding, so the last activated one is kept.
  if (event->type() == QEvent::WindowActivate && watched->isWidgetType())
    last_active_window_ = static_cast<QWidget*>(watched);
  if (event->type() == QEvent::Hide && !event->spontaneous() && watched != this &&
      watched == last_active_window_.data()) {
    focus_pending_ = true;
    QTimer::singleShot(0, this, [this] {
      TakeBackFocus();
      FinishStartUp();  // the start screen may have been what closed
    });
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A request still running holds only its own copies: it is stopped, and
  // what it hands back later finds the windows hidden.
  pending_plots_.clear();
  runner_.Stop();
  closed_ = true;
  calculator_.plots().RemoveSeries(false);
  for (QWidget* window : findChildren<QWidget*>())
    if (window->isWindow() && window->isVisible()) window->hide();
  event->accept();
  QMainWindow::closeEvent(event);
}

}  // namespace korvex
