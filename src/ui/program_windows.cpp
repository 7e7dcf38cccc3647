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
#include "ui/plot_run_display.h"
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
    : calculator_(std::make_unique<Calculator>(program_directory, messages)),
      main_(std::make_unique<MainWindow>(*calculator_, messages, shell)) {
  MainWindow* owner = main_.get();
  Calculator& calculator = *calculator_;
  user_variables = new UserVariablesWindow(calculator, messages, owner);
  solution = new SolutionWindow(owner);
  edit = new EditWindow(owner);
  wizard = new VariableWizard(user_variables);
  error_log = new ErrorLogWindow(owner);
  mask_options = new MaskOptionsDialog(calculator, messages, owner);
  functions = new CatalogueBrowser(FunctionsBrowserTexts(), calculator.catalogues().functions,
                                   messages, owner);
  constants = new CatalogueBrowser(ConstantsBrowserTexts(), calculator.catalogues().constants,
                                   messages, owner);
  general_options = new GeneralOptionsDialog(calculator, messages, owner);
  simple = new SimpleWindow(*owner, owner);
  CreatePlotWindows();
  CreateInformationWindows();

  user_variables->set_wizard(wizard);
  owner->AttachWindows({user_variables, solution, edit, error_log, mask_options, functions,
                        constants, general_options, simple});
  ConnectPlotWindows();
  ConnectInformationWindows();
  SetStartUpHooks();
}

// The members go in reverse order: the plot display, then the main window
// with every window it owns, then the calculator they all refer to.
ProgramWindows::~ProgramWindows() { calculator_->set_plot_progress(nullptr); }

// Form12 to Form26 in their order, except where a window needs another at
// construction: the graph's chain (warning, chooser, table) comes first.
void ProgramWindows::CreatePlotWindows() {
  MainWindow* owner = main_.get();
  Calculator& calculator = *calculator_;
  MessageSeam& messages = owner->messages();
  donate = new DonateWindow(owner->shell(), messages, owner);
  plot_warning = new PlotWarningDialog(owner);
  choose_serie = new ChooseSerieDialog(calculator.plotter(), *plot_warning, owner);
  table_stats = new TableStatsWindow(calculator.plotter(), *choose_serie, owner);
  graph = new GraphWindow(calculator, messages, *table_stats, owner);
  plot_options = new PlotOptionsDialog(calculator, owner);
  reminder = new ReminderDialog(owner);
  plot_info = new PlotInfoWindow(owner);
  plot_display_ = std::make_unique<PlotRunDisplay>(
      *plot_info, *reminder, *graph, [owner](const QString& text) { owner->SetAnswerText(text); });
}

void ProgramWindows::CreateInformationWindows() {
  MainWindow* owner = main_.get();
  Calculator& calculator = *calculator_;
  splash = new SplashWindow(owner);
  about = new AboutWindow(owner->shell(), calculator.data().Folder(), owner);
  benchmark = new BenchmarkWindow(calculator, owner->messages(), owner);
  benchmark_result = new BenchmarkResultWindow(owner);
  start_screen = new StartScreen(owner);
  tutorials = new TutorialsWindow(calculator.data(), owner->shell(), owner);
  history = new VersionHistoryWindow(calculator.data(), owner->messages(), owner);
}

void ProgramWindows::ConnectPlotWindows() {
  MainWindow* owner = main_.get();
  Calculator& calculator = *calculator_;
  MessageSeam& messages = owner->messages();
  const PlugInActions& actions = owner->plug_in_actions();

  calculator.set_plot_progress(plot_display_.get());

  QObject::connect(actions.graphmenu, &QAction::triggered, graph,
                   [window = graph, &calculator, &messages] {
                     window->ShowGraph();
                     if (calculator.plotter().chart().series_count() == 0)
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
  QObject::connect(benchmark, &BenchmarkWindow::plotOptionsRestored, owner,
                   &MainWindow::RefreshPlotStatus);
  QObject::connect(plot_options, &PlotOptionsDialog::settingsLoaded, owner,
                   &MainWindow::RefreshPlotStatus);

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

  for (QAction* action :
       {actions.benchmarkmenu, actions.bugmenu, actions.homepagemenu, actions.donatemenu,
        actions.tutorialsmenu, actions.historymenu, actions.aboutmenu})
    action->setEnabled(true);
}

// The start-up steps that need windows other than the main one.
void ProgramWindows::SetStartUpHooks() {
  MainWindow* owner = main_.get();
  StartUpViews& hooks = owner->start_up_hooks();
  // A splash closed by hand ends the program, and the start screen is then
  // not shown.
  auto ending = std::make_shared<bool>(false);
  hooks.show_splash = [owner, window = splash, ending] {
    if (!window->ShowSplash()) {
      *ending = true;
      owner->close();
    }
  };
  hooks.show_start_screen = [window = start_screen, ending] {
    if (!*ending) ShowModal(window);
  };
}

}  // namespace korvex
