// Creates the windows in order and connects them to the main window and to
// each other.
#include "ui/program_windows.h"

#include <QAction>
#include <memory>
#include <utility>

#include "ui/about_window.h"
#include "ui/addresses.h"
#include "ui/benchmark_result_window.h"
#include "ui/benchmark_window.h"
#include "ui/catalogue_browser.h"
#include "ui/choose_serie_dialog.h"
#include "ui/donate_window.h"
#include "ui/edit_window.h"
#include "ui/error_log_window.h"
#include "ui/general_options_dialog.h"
#include "ui/graph_window.h"
#include "ui/main_window.h"
#include "ui/mask_options_dialog.h"
#include "ui/message_seam.h"
#include "ui/plot_info_window.h"
#include "ui/plot_options_dialog.h"
#include "ui/plot_warning_dialog.h"
#include "ui/reminder_dialog.h"
#include "ui/simple_window.h"
#include "ui/solution_window.h"
#include "ui/splash_window.h"
#include "ui/start_screen.h"
#include "ui/table_stats_window.h"
#include "ui/tutorials_window.h"
#include "ui/user_variables_window.h"
#include "ui/variable_wizard.h"
#include "ui/version_history_window.h"
#include "ui/window_support.h"

namespace korvex {

ProgramWindows::ProgramWindows(const std::filesystem::path& program_directory,
                               MessageSeam& messages, Shell& shell)
    : main_(std::make_unique<MainWindow>(program_directory, messages, shell)) {
  MainWindow* owner = main_.get();
  Calculator& calculator = owner->calculator();
  user_variables = new UserVariablesWindow(calculator.variables, calculator.data, messages, owner);
  solution = new SolutionWindow(owner);
  edit = new EditWindow(owner);
  wizard = new VariableWizard(user_variables);
  error_log = new ErrorLogWindow(owner);
  mask_options =
      new MaskOptionsDialog(calculator.mask, calculator.engine, calculator.data, messages, owner);
  functions = new CatalogueBrowser(FunctionsBrowserTexts(), calculator.catalogues.functions,
                                   messages, owner);
  constants = new CatalogueBrowser(ConstantsBrowserTexts(), calculator.catalogues.constants,
                                   messages, owner);
  general_options = new GeneralOptionsDialog(calculator.general, calculator.data, messages, owner);
  simple = new SimpleWindow(*owner, owner);
  CreatePlotWindows();
  CreateInformationWindows();

  user_variables->set_wizard(wizard);
  owner->AttachWindows({user_variables, solution, edit, error_log, mask_options, functions,
                        constants, general_options, simple});
  ConnectPlotWindows();
  ConnectInformationWindows();
}

// The windows hold references to the calculator, which the main window owns
// and destroys before Qt deletes its children: they go first, the plotter
// forgetting its progress display before that display is gone.
ProgramWindows::~ProgramWindows() {
  main_->calculator().plotter.set_progress(nullptr);
  delete benchmark;
  delete plot_info;
  delete graph;
  delete table_stats;
  delete choose_serie;
  delete plot_options;
}

// Form12 to Form26 in their order, except where a window needs another at
// construction: the graph's chain (warning, chooser, table) comes first.
void ProgramWindows::CreatePlotWindows() {
  MainWindow* owner = main_.get();
  Calculator& calculator = owner->calculator();
  MessageSeam& messages = owner->messages();
  donate = new DonateWindow(owner->shell(), messages, owner);
  plot_warning = new PlotWarningDialog(owner);
  choose_serie = new ChooseSerieDialog(calculator.plotter, *plot_warning, owner);
  table_stats = new TableStatsWindow(calculator.plotter, *choose_serie, owner);
  graph = new GraphWindow(calculator, messages, *table_stats, owner);
  plot_options = new PlotOptionsDialog(
      calculator, messages, [owner](const QString&) { owner->RefreshPlotStatus(); }, owner);
  reminder = new ReminderDialog(owner);
  plot_info = new PlotInfoWindow(
      *reminder, *graph, [owner](const QString& text) { owner->SetAnswerText(text); }, owner);
}

void ProgramWindows::CreateInformationWindows() {
  MainWindow* owner = main_.get();
  Calculator& calculator = owner->calculator();
  splash = new SplashWindow(owner);
  about = new AboutWindow(owner->shell(), owner);
  benchmark = new BenchmarkWindow(calculator, owner->messages(), owner);
  benchmark_result = new BenchmarkResultWindow(owner);
  start_screen = new StartScreen(owner);
  tutorials = new TutorialsWindow(calculator.data, owner->shell(), owner);
  history = new VersionHistoryWindow(calculator.data, owner->messages(), owner);
}

void ProgramWindows::ConnectPlotWindows() {
  MainWindow* owner = main_.get();
  Calculator& calculator = owner->calculator();
  MessageSeam& messages = owner->messages();
  const PlugInActions& actions = owner->plug_in_actions();

  calculator.plotter.set_progress(plot_info);
  // The dialog's controls are the live settings, so it is the one that
  // loads plot.ini at start-up; the main window refreshes its status after.
  owner->start_up_hooks().load_plot_settings = [dialog = plot_options] {
    dialog->LoadPlotSettings();
  };

  QObject::connect(actions.graphmenu, &QAction::triggered, graph,
                   [window = graph, &calculator, &messages] {
                     window->ShowGraph();
                     // Read through the const chart: the other accessor counts as a change.
                     if (std::as_const(calculator.plotter).chart().series_count() == 0)
                       messages.Inform(QString::fromUtf8(kEmptyGraphMessage));
                   });
  QObject::connect(actions.plotinfomenu, &QAction::triggered, plot_info,
                   [window = plot_info] { BringUp(window); });
  QObject::connect(actions.plotoptionsmenu, &QAction::triggered, plot_options,
                   [dialog = plot_options] { ShowModal(dialog); });

  QObject::connect(benchmark, &BenchmarkWindow::testFinished, graph, [this] {
    graph->hide();
    plot_info->hide();
  });
  QObject::connect(benchmark, &BenchmarkWindow::plotOptionsRestored, plot_options, [this, owner] {
    plot_options->LoadPlotSettings();
    owner->RefreshPlotStatus();
  });

  for (QAction* action : {actions.graphmenu, actions.plotinfomenu, actions.plotoptionsmenu})
    action->setEnabled(true);
}

void ProgramWindows::ConnectInformationWindows() {
  MainWindow* owner = main_.get();
  const PlugInActions& actions = owner->plug_in_actions();

  QObject::connect(actions.bugmenu, &QAction::triggered, owner,
                   [owner] { ReportBug(owner->shell()); });
  QObject::connect(actions.homepagemenu, &QAction::triggered, about, &AboutWindow::homepageClick);
  QObject::connect(actions.donatemenu, &QAction::triggered, donate, &DonateWindow::ShowWindow);
  QObject::connect(actions.tutorialsmenu, &QAction::triggered, tutorials,
                   &TutorialsWindow::ShowWindow);
  QObject::connect(actions.historymenu, &QAction::triggered, history,
                   &VersionHistoryWindow::ShowWindow);
  QObject::connect(actions.aboutmenu, &QAction::triggered, about,
                   [dialog = about] { ShowModal(dialog); });
  QObject::connect(actions.benchmarkmenu, &QAction::triggered, benchmark,
                   [dialog = benchmark] { ShowModal(dialog); });
  QObject::connect(benchmark, &BenchmarkWindow::benchmarkFinished, benchmark_result,
                   &BenchmarkResultWindow::ShowScore);

  QObject::connect(start_screen, &StartScreen::tutorialsRequested, actions.tutorialsmenu,
                   &QAction::trigger);
  QObject::connect(start_screen, &StartScreen::homepageRequested, actions.homepagemenu,
                   &QAction::trigger);
  QObject::connect(start_screen, &StartScreen::historyRequested, actions.historymenu,
                   &QAction::trigger);

  // The main window's own first-activation flag runs the sequence once; the
  // splash's flag is left unused. A splash closed by hand ends the program,
  // and the start screen is then not shown.
  auto ending = std::make_shared<bool>(false);
  owner->start_up_hooks().show_splash = [owner, window = splash, ending] {
    if (!window->ShowSplash()) {
      *ending = true;
      owner->close();
    }
  };
  owner->start_up_hooks().show_start_screen = [window = start_screen, ending] {
    if (!*ending) ShowModal(window);
  };

  for (QAction* action :
       {actions.benchmarkmenu, actions.bugmenu, actions.homepagemenu, actions.donatemenu,
        actions.tutorialsmenu, actions.historymenu, actions.aboutmenu})
    action->setEnabled(true);
}

}  // namespace korvex
