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
#include "ui/request_runner.h"
#include "ui/simple_window.h"
#include "ui/solution_window.h"
#include "ui/splash_window.h"
#include "ui/start_screen.h"
#include "ui/table_stats_window.h"
#include "ui/tutorials_window.h"
#include "ui/user_variables_window.h"
#include "ui/variable_wizard.h"
#include "ui/version_history_window.h"
#include "ui/window_placement.h"
#include "ui/window_support.h"

namespace korvex {

template <typename Window>
Window* ProgramWindows::Independent(Window* window) {
  // A window type with no parent is not transient for anything: the window
  // manager lets the main window come to the front over it.
  window->setWindowFlags((window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Window);
  independent_.emplace_back(window);
  placement_->Watch(window);
  return window;
}

ProgramWindows::ProgramWindows(const std::filesystem::path& program_directory,
                               MessageSeam& messages, Shell& shell)
    : calculator_(std::make_unique<Calculator>(program_directory, messages)),
      main_(std::make_unique<MainWindow>(*calculator_, messages, shell)) {
  MainWindow* owner = main_.get();
  Calculator& calculator = *calculator_;
  placement_ = std::make_unique<WindowPlacement>(calculator.data(), owner);
  user_variables = Independent(new UserVariablesWindow(calculator, messages, nullptr));
  solution = Independent(new SolutionWindow(nullptr));
  edit = new EditWindow(owner);
  wizard = new VariableWizard(user_variables);
  error_log = Independent(new ErrorLogWindow(nullptr));
  mask_options = new MaskOptionsDialog(calculator, messages, owner);
  functions = Independent(new CatalogueBrowser(
      FunctionsBrowserTexts(), calculator.catalogues().functions, messages, nullptr));
  constants = Independent(new CatalogueBrowser(
      ConstantsBrowserTexts(), calculator.catalogues().constants, messages, nullptr));
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

  // The main window's mode outlives the program, as its place does.
  owner->set_start_in_simple_mode(placement_->SavedSimpleMode().value_or(false));
  QObject::connect(owner, &MainWindow::simpleModeChanged, owner, [this](bool simple) {
    placement_->RememberSimpleMode(simple);
    placement_->Save();
  });
}

// A request still running is stopped and waited for (milliseconds): it may
// be telling the plot display. Then the members go in reverse order: the
// plot display, the main window with every window it owns, the windows
// beside it, then the calculator they all refer to. Windows that go now
// have not been closed by the user, and their places are not saved.
ProgramWindows::~ProgramWindows() {
  calculator_->RequestStop();
  calculator_->WaitUntilIdle();
  placement_->StopWatching();
}

// Form12 to Form26 in their order, except where a window needs another at
// construction: the graph's chain (warning, chooser, table) comes first.
void ProgramWindows::CreatePlotWindows() {
  MainWindow* owner = main_.get();
  Calculator& calculator = *calculator_;
  MessageSeam& messages = owner->messages();
  donate = Independent(new DonateWindow(owner->shell(), messages, nullptr));
  plot_warning = new PlotWarningDialog(owner);
  choose_serie = new ChooseSerieDialog(calculator.plots(), *plot_warning, owner);
  table_stats = Independent(new TableStatsWindow(calculator.plots(), *choose_serie, nullptr));
  graph = Independent(new GraphWindow(calculator, messages, *table_stats, nullptr));
  plot_options = new PlotOptionsDialog(calculator, owner);
  reminder = new ReminderDialog(owner);
  plot_info = Independent(new PlotInfoWindow(nullptr));
  plot_display_ = std::make_unique<PlotRunDisplay>(
      calculator, *plot_info, *reminder, *graph,
      [owner](const QString& text) { owner->SetAnswerText(text); });
  owner->set_plot_display(plot_display_.get());
}

void ProgramWindows::CreateInformationWindows() {
  MainWindow* owner = main_.get();
  Calculator& calculator = *calculator_;
  splash = new SplashWindow(owner);
  about = new AboutWindow(owner->shell(), calculator.data().Folder(), owner);
  benchmark = new BenchmarkWindow(calculator, owner->messages(), owner);
  benchmark_result = new BenchmarkResultWindow(owner);
  start_screen = new StartScreen(owner);
  tutorials = Independent(
      new TutorialsWindow(calculator.data(), owner->shell(), owner->messages(), nullptr));
  history = Independent(new VersionHistoryWindow(calculator.data(), owner->messages(), nullptr));
}

void ProgramWindows::ConnectPlotWindows() {
  MainWindow* owner = main_.get();
  Calculator& calculator = *calculator_;
  MessageSeam& messages = owner->messages();
  const PlugInActions& actions = owner->plug_in_actions();

  QObject::connect(actions.graphmenu, &QAction::triggered, graph,
                   [window = graph, &calculator, &messages] {
                     window->ShowGraph();
                     if (calculator.plots().chart().series_count() == 0)
                       messages.Inform(QString::fromUtf8(kEmptyGraphMessage));
                   });
  QObject::connect(actions.plotinfomenu, &QAction::triggered, plot_info,
                   [window = plot_info] { BringUp(window); });
  QObject::connect(actions.plotoptionsmenu, &QAction::triggered, plot_options,
                   [dialog = plot_options] { ShowModal(dialog); });

  RequestRunner& runner = owner->runner();
  benchmark->set_runner(&runner, plot_display_.get());
  QObject::connect(plot_info, &PlotInfoWindow::stopRequested, &runner, &RequestRunner::Stop);
  // The windows that change what a request reads (variables, the graph's
  // series and settings, the statistics) hold still while one runs.
  QObject::connect(&runner, &RequestRunner::busyChanged, owner, [this](bool busy) {
    for (QWidget* window : {static_cast<QWidget*>(user_variables), static_cast<QWidget*>(graph),
                            static_cast<QWidget*>(table_stats)})
      window->setEnabled(!busy);
  });

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
