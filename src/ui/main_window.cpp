// The main window: layout, texts, menus, the expression list and its
// actions, solving, the failure channel and the start-up sequence.
#include "ui/main_window.h"

#include <algorithm>
#include <map>

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
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "output/format_float.h"
#include "output/show_answer.h"
#include "output/thousands_separator.h"
#include "plot/plot_settings.h"
#include "settings/insertion_log.h"
#include "settings/mask_file.h"
#include "ui/catalogue_browser.h"
#include "ui/edit_window.h"
#include "ui/error_log_window.h"
#include "ui/general_options_dialog.h"
#include "ui/input_completion.h"
#include "ui/link_label.h"
#include "ui/mask_options_dialog.h"
#include "ui/message_seam.h"
#include "ui/simple_window.h"
#include "ui/solution_window.h"
#include "ui/tool_icons.h"
#include "ui/user_variables_window.h"
#include "ui/window_support.h"

namespace korvex {
namespace {

struct MainTexts {
  const char* caption = "Korvex";
  const char* input_group = "Input";
  const char* input_hint = "Type in a mathematical expression";
  const char* plotcheck_hint = "Check inserted expression";
  const char* insert = "Insert";
  const char* insert_hint = "Insert expression";
  const char* evaluate_group = "Evaluate";
  const char* evaluate_hint = "Double click to edit selected expression";
  const char* answer_group = "Answer";
  const char* solve = "Solve";
  const char* solve_hint = "Solve (unchecked) or plot (checked) selected expression";
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

struct ToolEntry {
  const char* name;
  const char* hint;
  ToolPicture picture;
};
constexpr ToolEntry kTools[] = {
    {"itemup", "Move selected item up", ToolPicture::kUp},
    {"itemdown", "Move selected item down", ToolPicture::kDown},
    {"edititem", "Edit selected item", ToolPicture::kEdit},
    {"checkitem", "Check selected item for plotting", ToolPicture::kCheck},
    {"deleteitem", "Delete selected item", ToolPicture::kDelete},
    {nullptr, nullptr, ToolPicture::kUp},
    {"insertlog", "Insert log when evaluate is empty", ToolPicture::kInsertLog},
    {"simplemode", "Switch to simple mode", ToolPicture::kSimpleMode},
};

// Pop-up menu of the expression list, in its order; a null name separates.
struct PopupEntry {
  const char* name;
  const char* caption;
  const char* shortcut;
};
constexpr PopupEntry kPopup[] = {
    {"popupup", "Up", "Ctrl+Up"},       {nullptr, nullptr, nullptr},
    {"popupedit", "Edit", ""},          {"popupcheck", "Check/Uncheck", ""},
    {"popupdelete", "Delete", "Del"},   {nullptr, nullptr, nullptr},
    {"popupdown", "Down", "Ctrl+Down"},
};

// The main menu, one entry per line; a null name separates.
struct MenuEntry {
  const char* name;
  const char* caption;
  const char* shortcut;
};
struct MenuTable {
  const char* title;
  std::initializer_list<MenuEntry> entries;
};
const MenuTable kMenus[] = {
    {"File",
     {{"insertmenu", "Insert", ""},
      {"solvemenu", "Solve", ""},
      {"clearmenu", "Clear", ""},
      {nullptr, nullptr, nullptr},
      {"simplemodemenu", "Simple mode", ""},
      {nullptr, nullptr, nullptr},
      {"exitmenu", "Exit", ""}}},
    {"Edit",
     {{"copyanswermenu", "Copy answer", "Ctrl+Shift+C"},
      {"pasteexpressionmenu", "Paste expression", "Ctrl+Shift+V"},
      {"pastefunctionmenu", "Paste function", "Ctrl+Shift+F"},
      {nullptr, nullptr, nullptr},
      {"insertlogmenu", "Insert log", ""}}},
    {"View",
     {{"errorlogmenu", "Error log", "Ctrl+E"},
      {"solutionmenu", "Solution", "Ctrl+S"},
      {nullptr, nullptr, nullptr},
      {"graphmenu", "Graph", "Ctrl+G"},
      {"plotinfomenu", "Plot info", "Ctrl+P"}}},
    {"Insert",
     {{"constantmenu", "Constant...", ""},
      {"functionmenu", "Function...", ""},
      {nullptr, nullptr, nullptr},
      {"lastinsertionmenu", "Last insertion", "Ctrl+I"}}},
    {"Tools",
     {{"maskmenu", "Mask options...", ""},
      {"plotoptionsmenu", "Plot options...", ""},
      {nullptr, nullptr, nullptr},
      {"benchmarkmenu", "Benchmark", "Ctrl+B"},
      {nullptr, nullptr, nullptr},
      {"uservariablesmenu", "User variables", "Ctrl+U"},
      {"generalmenu", "General options...", ""}}},
    {"Help",
     {{"bugmenu", "Report a bug", ""},
      {"homepagemenu", "Visit homepage", ""},
      {"donatemenu", "Donate (PayPal)", ""},
      {nullptr, nullptr, nullptr},
      {"tutorialsmenu", "Tutorials", ""},
      {"historymenu", "Version history", ""},
      {nullptr, nullptr, nullptr},
      {"aboutmenu", "About Korvex", ""}}},
};

QListWidgetItem* NewListItem(const QString& text, bool checked) {
  auto* item = new QListWidgetItem(text);
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  return item;
}

QGroupBox* Group(const char* title, QWidget* parent) {
  return new QGroupBox(QString::fromUtf8(title), parent);
}

}  // namespace

MainWindow::MainWindow(const std::filesystem::path& program_directory, MessageSeam& messages,
                       Shell& shell)
    : messages_(messages), shell_(shell), calculator_(program_directory, *this) {
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

  postimer_ = new QTimer(this);
  postimer_->setObjectName(QStringLiteral("postimer"));
  postimer_->setInterval(kCaretSamplePeriodMs);
  connect(postimer_, &QTimer::timeout, this, &MainWindow::postimerTimer);
  postimer_->start();

  hooks_.load_plot_settings = [this] {
    LoadPlotSettings(calculator_.data, calculator_.plotter.settings(), messages_);
  };
  resize(480, 460);
  InputUpdate();
  UpdateListActions();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildInputGroup(QWidget* parent) {
  auto* group = Group(kTexts.input_group, parent);
  plotcheck_ = new QCheckBox(group);
  plotcheck_->setObjectName(QStringLiteral("plotcheck"));
  plotcheck_->setToolTip(QString::fromUtf8(kTexts.plotcheck_hint));

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

  auto* row = new QHBoxLayout(group);
  row->addWidget(plotcheck_);
  row->addWidget(input_, 1);
  row->addWidget(insert_);
  parent->layout()->addWidget(group);

  connect(input_, &QComboBox::editTextChanged, this, &MainWindow::InputUpdate);
  connect(insert_, &QPushButton::clicked, this, &MainWindow::insertClick);
  // Enter in the input inserts; while the completion list is open it
  // chooses a completion instead.
  connect(input_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
    if (!completer_->popup_visible() && insert_->isEnabled()) insertClick();
  });
}

void MainWindow::BuildEvaluateGroup(QWidget* parent) {
  auto* group = Group(kTexts.evaluate_group, parent);
  tools_ = new QToolBar(group);
  tools_->setObjectName(QStringLiteral("tools"));
  tools_->setIconSize(QSize(20, 20));
  tools_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  QAction* tool_actions[std::size(kTools)] = {};
  for (size_t i = 0; i < std::size(kTools); ++i) {
    if (!kTools[i].name) {
      tools_->addSeparator();
      continue;
    }
    QAction* action =
        tools_->addAction(ToolIcon(kTools[i].picture), QString::fromUtf8(kTools[i].hint));
    action->setObjectName(QString::fromLatin1(kTools[i].name));
    action->setToolTip(QString::fromUtf8(kTools[i].hint));
    tools_->widgetForAction(action)->setObjectName(QString::fromLatin1(kTools[i].name) +
                                                   QStringLiteral("button"));
    tool_actions[i] = action;
  }
  connect(tool_actions[0], &QAction::triggered, this, &MainWindow::itemupClick);
  connect(tool_actions[1], &QAction::triggered, this, &MainWindow::itemdownClick);
  connect(tool_actions[2], &QAction::triggered, this, &MainWindow::edititemClick);
  connect(tool_actions[3], &QAction::triggered, this, &MainWindow::checkitemClick);
  connect(tool_actions[4], &QAction::triggered, this, &MainWindow::deleteitemClick);
  insertlog_ = tool_actions[6];
  simplemode_ = tool_actions[7];
  connect(insertlog_, &QAction::triggered, this, &MainWindow::insertlogClick);
  connect(simplemode_, &QAction::triggered, this, &MainWindow::simplemodeClick);

  evaluate_ = new QListWidget(group);
  evaluate_->setObjectName(QStringLiteral("evaluate"));
  evaluate_->setToolTip(QString::fromUtf8(kTexts.evaluate_hint));
  evaluate_->setSelectionMode(QAbstractItemView::SingleSelection);
  evaluate_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(evaluate_, &QListWidget::itemDoubleClicked, this, &MainWindow::edititemClick);

  // The pop-up menu's shortcuts act while the list has the focus.
  auto* popup = new QMenu(evaluate_);
  popup->setObjectName(QStringLiteral("evaluatepopup"));
  const std::function<void()> popup_handlers[] = {
      [this] { itemupClick(); },     {}, [this] { edititemClick(); }, [this] { checkitemClick(); },
      [this] { deleteitemClick(); }, {}, [this] { itemdownClick(); }};
  for (size_t i = 0; i < std::size(kPopup); ++i) {
    if (!kPopup[i].name) {
      popup->addSeparator();
      continue;
    }
    QAction* action = popup->addAction(QString::fromUtf8(kPopup[i].caption));
    action->setObjectName(QString::fromLatin1(kPopup[i].name));
    action->setShortcut(QKeySequence(QString::fromLatin1(kPopup[i].shortcut)));
    action->setShortcutContext(Qt::WidgetShortcut);
    evaluate_->addAction(action);
    connect(action, &QAction::triggered, this, popup_handlers[i]);
  }
  connect(evaluate_, &QWidget::customContextMenuRequested, this, [this, popup](const QPoint& at) {
    popup->popup(evaluate_->viewport()->mapToGlobal(at));
  });
  // Enter on the list solves the selected expression.
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* solve_key =
        new QShortcut(QKeySequence(key), evaluate_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(solve_key, &QShortcut::activated, this, &MainWindow::solveClick);
  }

  auto* column = new QVBoxLayout(group);
  column->addWidget(tools_);
  column->addWidget(evaluate_, 1);
  static_cast<QVBoxLayout*>(parent->layout())->addWidget(group, 1);
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

  auto* row = new QHBoxLayout;
  row->addWidget(solutionlabel_);
  row->addStretch();
  row->addWidget(clear_);
  row->addWidget(solve_);
  static_cast<QVBoxLayout*>(parent->layout())->addLayout(row);

  connect(solutionlabel_, &LinkLabel::clicked, this, &MainWindow::solutionlabelClick);
  connect(clear_, &QPushButton::clicked, this, &MainWindow::clearClick);
  connect(solve_, &QPushButton::clicked, this, &MainWindow::solveClick);
}

void MainWindow::BuildStatusBar() {
  QStatusBar* status = statusBar();
  status->setObjectName(QStringLiteral("status"));
  for (int i = 0; i < 4; ++i) {
    panels_[i] = new QLabel(status);
    panels_[i]->setObjectName(QStringLiteral("panel%1").arg(i));
    panels_[i]->setMinimumWidth(kPanelWidths[i]);
    panels_[i]->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    panels_[i]->setTextFormat(Qt::PlainText);
    status->addWidget(panels_[i], i == 3 ? 1 : 0);
  }
  panels_[0]->setText(QString::fromUtf8(kTexts.first_bit_panel));
}

void MainWindow::BuildMenus() {
  std::map<std::string, QAction*> actions;
  for (const MenuTable& table : kMenus) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(table.title));
    menu->setObjectName(QString::fromUtf8(table.title).toLower() + QStringLiteral("menus"));
    for (const MenuEntry& entry : table.entries) {
      if (!entry.name) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(QString::fromUtf8(entry.caption));
      action->setObjectName(QString::fromLatin1(entry.name));
      if (*entry.shortcut) {
        action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
        shortcut_keys_.push_back(action->shortcut());
      }
      actions[entry.name] = action;
    }
  }
  auto on = [&](const char* name, auto handler) {
    connect(actions.at(name), &QAction::triggered, this, handler);
  };
  insertmenu_ = actions.at("insertmenu");
  solvemenu_ = actions.at("solvemenu");
  clearmenu_ = actions.at("clearmenu");
  on("insertmenu", [this] { insertClick(); });
  on("solvemenu", [this] { solveClick(); });
  on("clearmenu", [this] { clearClick(); });
  on("simplemodemenu", [this] { simplemode_->trigger(); });
  on("exitmenu", [this] { close(); });
  on("copyanswermenu", [this] { copyanswermenuClick(); });
  on("pasteexpressionmenu", [this] { Guarded([this] { PasteAndSolve(false); }); });
  on("pastefunctionmenu", [this] { Guarded([this] { PasteAndSolve(true); }); });
  on("insertlogmenu", [this] { insertlog_->trigger(); });
  on("errorlogmenu", [this] {
    if (peers_.error_log) BringUp(peers_.error_log);
  });
  on("solutionmenu", [this] { solutionlabelClick(); });
  on("constantmenu", [this] {
    if (peers_.constants) BringUp(peers_.constants);
  });
  on("functionmenu", [this] {
    if (peers_.functions) BringUp(peers_.functions);
  });
  on("lastinsertionmenu", [this] { lastinsertionmenuClick(); });
  on("maskmenu", [this] { maskmenuClick(); });
  on("uservariablesmenu", [this] {
    if (peers_.user_variables) BringUp(peers_.user_variables);
  });
  on("generalmenu", [this] { generalmenuClick(); });

  plug_ins_ = {actions.at("graphmenu"),       actions.at("plotinfomenu"),
               actions.at("plotoptionsmenu"), actions.at("benchmarkmenu"),
               actions.at("bugmenu"),         actions.at("homepagemenu"),
               actions.at("donatemenu"),      actions.at("tutorialsmenu"),
               actions.at("historymenu"),     actions.at("aboutmenu")};
  for (QAction* action :
       {plug_ins_.graphmenu, plug_ins_.plotinfomenu, plug_ins_.plotoptionsmenu,
        plug_ins_.benchmarkmenu, plug_ins_.bugmenu, plug_ins_.homepagemenu, plug_ins_.donatemenu,
        plug_ins_.tutorialsmenu, plug_ins_.historymenu, plug_ins_.aboutmenu})
    action->setEnabled(false);
}

void MainWindow::AttachWindows(const MainWindowPeers& peers) {
  peers_ = peers;
  connect(peers_.edit, &EditWindow::replaceRequested, this, &MainWindow::ReplaceSelectedItem);
  for (CatalogueBrowser* browser : {peers_.functions, peers_.constants})
    connect(browser, &CatalogueBrowser::insertRequested, this, &MainWindow::InsertFromCatalogue);
  connect(peers_.mask_options, &MaskOptionsDialog::settingsLoaded, this,
          &MainWindow::ShowMaskSettings);
  connect(peers_.general_options, &GeneralOptionsDialog::settingsLoaded, this,
          &MainWindow::ShowGeneralSettings);
  connect(peers_.simple, &SimpleWindow::closed, this, [this] { BringUp(this); });
}

void MainWindow::Guarded(const std::function<void()>& work) { RunHandler(messages_, work); }

// ---- Solving and the failure channel ----

void MainWindow::SolveThis(const QString& text, bool plot) {
  if (isActiveWindow()) input_->setFocus();
  if (plot) {
    calculator_.plotter.SolvePlot(text.toStdString());
    return;
  }
  Engine& engine = calculator_.engine;
  if (!engine.Solve(text.toStdString())) return;
  const ShownAnswer shown =
      ShowAnswer(engine.tokens()[0], calculator_.mask, calculator_.general, LocaleThousandsText());
  engine.set_stored_answer(shown.stored_answer);
  engine.set_decimal_separator(shown.decimal_separator);
  panels_[0]->setText(QString::fromStdString(shown.bit_count));
  if (shown.failure) {
    if (shown.failure->kind == AnswerFailure::Kind::kConversion) {
      ReportError(shown.failure->message, shown.failure->title);
      return;
    }
    throw FormatFailure(shown.failure->message);
  }
  answer_->setText(QString::fromStdString(shown.text));
  RefreshOpenSolution();
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

void MainWindow::ReportError(const std::string& message, const std::string& title) {
  if (peers_.error_log) peers_.error_log->AppendError(QString::fromStdString(message));
  answer_->setText(QString::fromStdString(title) + QString::fromUtf8(kTexts.error_pointer));
  RefreshOpenSolution();
}

void MainWindow::solutionlabelClick() {
  if (!peers_.solution) return;
  peers_.solution->SetSteps(calculator_.engine.steps());
  BringUp(peers_.solution);
}

// While the Solution window is open every request refreshes it; it stays
// where it is, so typing in the main window goes on undisturbed.
void MainWindow::RefreshOpenSolution() {
  if (peers_.solution && peers_.solution->isVisible())
    peers_.solution->SetSteps(calculator_.engine.steps());
}

// ---- Input, insertion and the list ----

void MainWindow::InputUpdate() {
  const bool has_text = !input_->currentText().isEmpty();
  insert_->setEnabled(has_text);
  if (insertmenu_) insertmenu_->setEnabled(has_text);
}

void MainWindow::UpdateListActions() {
  const bool has_items = evaluate_->count() > 0;
  for (QPushButton* button : {solve_, clear_}) button->setEnabled(has_items);
  for (QAction* action : {solvemenu_, clearmenu_})
    if (action) action->setEnabled(has_items);
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

void MainWindow::SetAnswerText(const QString& text) { answer_->setText(text); }

void MainWindow::insertClick() {
  const QString text = input_->currentText();
  if (text.isEmpty()) return;
  QListWidgetItem* item = NewListItem(text, plotcheck_->isChecked());
  evaluate_->addItem(item);
  evaluate_->setCurrentItem(item);
  if (calculator_.general.store_input) AddToInputHistory();
  if (calculator_.general.log_input)
    AppendToInsertionLog(calculator_.data, text.toStdString(), messages_);
  SetInputText(QString());
  InputUpdate();
  UpdateListActions();
  if (isActiveWindow()) input_->setFocus();
}

int MainWindow::SelectedIndex() const {
  const QListWidgetItem* item = evaluate_->currentItem();
  return item && item->isSelected() ? evaluate_->row(item) : -1;
}

bool MainWindow::SelectItemWithText(const QString& text) {
  for (int row = 0; row < evaluate_->count(); ++row) {
    if (evaluate_->item(row)->text() == text) {
      evaluate_->setCurrentRow(row);
      return true;
    }
  }
  return false;
}

void MainWindow::solveClick() {
  Guarded([this] {
    const int row = SelectedIndex();
    if (row < 0) return;
    const QListWidgetItem* selected = evaluate_->item(row);
    if (selected->checkState() != Qt::Checked) {
      SolveThis(selected->text(), false);
      return;
    }
    if (calculator_.plotter.settings().mode != PlotMode::kMultipleAll) {
      SolveThis(selected->text(), true);
      return;
    }
    for (int i = 0; i < evaluate_->count(); ++i) {
      const QListWidgetItem* item = evaluate_->item(i);
      if (item->checkState() == Qt::Checked) SolveThis(item->text(), true);
    }
  });
}

void MainWindow::clearClick() {
  evaluate_->clear();
  UpdateListActions();
  input_->setFocus();
}

void MainWindow::MoveSelectedItem(int offset) {
  const int row = SelectedIndex();
  QListWidgetItem* item = evaluate_->takeItem(row);
  evaluate_->insertItem(row + offset, item);
  evaluate_->setCurrentRow(row + offset);
}

void MainWindow::itemupClick() {
  if (SelectedIndex() > 0) MoveSelectedItem(-1);
}

void MainWindow::itemdownClick() {
  const int row = SelectedIndex();
  if (row >= 0 && row < evaluate_->count() - 1) MoveSelectedItem(1);
}

void MainWindow::edititemClick() {
  const int row = SelectedIndex();
  if (row < 0 || !peers_.edit) return;
  peers_.edit->EditExpression(evaluate_->item(row)->text());
}

void MainWindow::checkitemClick() {
  const int row = SelectedIndex();
  if (row < 0) return;
  QListWidgetItem* item = evaluate_->item(row);
  item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void MainWindow::deleteitemClick() {
  const int count = evaluate_->count();
  if (count == 1) {
    clearClick();
    return;
  }
  const int row = SelectedIndex();
  if (count < 2 || row < 0) return;
  delete evaluate_->takeItem(row);
  evaluate_->setCurrentRow(std::min(row, evaluate_->count() - 1));
}

void MainWindow::ReplaceSelectedItem(const QString& text) {
  const int row = SelectedIndex();
  if (row < 0) return;
  evaluate_->item(row)->setText(text);
  if (calculator_.general.log_input)
    AppendToInsertionLog(calculator_.data, text.toStdString(), messages_);
}

void MainWindow::insertlogClick() {
  Lines list;
  for (int row = 0; row < evaluate_->count(); ++row)
    list.push_back(evaluate_->item(row)->text().toStdString());
  const auto logged = InsertLog(calculator_.data, list, messages_);
  if (!logged) return;
  for (const std::string& line : *logged)
    evaluate_->addItem(NewListItem(QString::fromStdString(line), false));
  if (evaluate_->count() > 0) evaluate_->setCurrentRow(evaluate_->count() - 1);
  UpdateListActions();
}

void MainWindow::simplemodeClick() {
  if (!peers_.simple) return;
  peers_.simple->Start(input_->currentText());
  hide();
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
  const Engine& engine = calculator_.engine;
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(FloatToStr(engine.stored_answer(), engine.decimal_separator())));
}

// ---- Settings ----

void MainWindow::maskmenuClick() {
  if (peers_.mask_options) peers_.mask_options->OpenDialog();
}

void MainWindow::generalmenuClick() {
  if (peers_.general_options) peers_.general_options->OpenDialog();
}

void MainWindow::ShowMaskSettings() {
  panels_[2]->setText(QString::fromStdString(MaskStatusText(calculator_.mask)));
}

void MainWindow::ShowGeneralSettings() {
  calculator_.ApplyGeneralSettings();
  completer_->set_enabled(calculator_.general.auto_complete);
  panels_[1]->setText(QString::fromStdString(NumberSystemName(calculator_.general.number_system)));
}

void MainWindow::RefreshPlotStatus() {
  panels_[3]->setText(QString::fromStdString(PlotStatusText(calculator_.plotter.settings())));
}

// ---- Start and end ----

StartUpSteps MainWindow::MakeStartUpSteps() {
  StartUpSteps steps = SettingsStartUpSteps(
      calculator_.data,
      {calculator_.catalogues, calculator_.variables, calculator_.mask, calculator_.general},
      messages_);
  const auto then = [](std::function<void()> step, std::function<void()> after) {
    return [step = std::move(step), after = std::move(after)] {
      if (step) step();
      after();
    };
  };
  steps.load_catalogues = [this, load = steps.load_catalogues] {
    if (!load()) return false;
    QStringList names;
    for (const Catalogue* catalogue :
         {&calculator_.catalogues.functions, &calculator_.catalogues.constants})
      for (const std::string& name : catalogue->names()) names << QString::fromStdString(name);
    completer_->set_names(names);
    return true;
  };
  steps.load_variables = then(steps.load_variables, [this] {
    if (peers_.user_variables) peers_.user_variables->RefreshTable();
  });
  steps.load_mask_settings = then(steps.load_mask_settings, [this] { ShowMaskSettings(); });
  steps.load_general_settings =
      then(steps.load_general_settings, [this] { ShowGeneralSettings(); });
  steps.load_plot_settings = then(hooks_.load_plot_settings, [this] { RefreshPlotStatus(); });
  steps.show_splash = hooks_.show_splash;
  steps.show_start_screen = hooks_.show_start_screen;
  return steps;
}

void MainWindow::FormActivate() {
  const StartUpOutcome outcome =
      RunStartUpSequence(first_activation_, MakeStartUpSteps(), calculator_.data, messages_);
  if (outcome == StartUpOutcome::kMustClose) close();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && first_activation_.is_set())
    FormActivate();
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // A desktop without a window manager may never activate the window; the
  // first showing then starts the sequence (it runs only once either way).
  if (!activation_queued_) {
    activation_queued_ = true;
    QTimer::singleShot(0, this, [this] {
      if (first_activation_.is_set()) FormActivate();
    });
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // The input box claims some keys the menu uses (Ctrl+E and Ctrl+U edit
  // the line on some desktops); the menu's shortcuts win.
  if ((watched == input_ || watched == input_->lineEdit()) &&
      event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QKeySequence& shortcut : shortcut_keys_) {
      if (shortcut == pressed) {
        event->ignore();
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  calculator_.plotter.RemoveSeries(false);
  for (QWidget* window : findChildren<QWidget*>())
    if (window->isWindow() && window->isVisible()) window->hide();
  event->accept();
  QMainWindow::closeEvent(event);
}

}  // namespace korvex
