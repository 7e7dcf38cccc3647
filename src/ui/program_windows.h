// The program's windows, created in their fixed order with the main window
// first; every one lives until the program ends.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

class QWidget;

namespace korvex {

class AboutWindow;
class BenchmarkResultWindow;
class BenchmarkWindow;
class CatalogueBrowser;
class ChooseSerieDialog;
class DonateWindow;
class EditWindow;
class ErrorLogWindow;
class GeneralOptionsDialog;
class GraphWindow;
class Calculator;
class MainWindow;
class MaskOptionsDialog;
class MessageSeam;
class PlotInfoWindow;
class PlotOptionsDialog;
class PlotRunDisplay;
class PlotWarningDialog;
class ReminderDialog;
class Shell;
class SimpleWindow;
class SolutionWindow;
class SplashWindow;
class StartScreen;
class TableStatsWindow;
class TutorialsWindow;
class UserVariablesWindow;
class VariableWizard;
class VersionHistoryWindow;
class WindowPlacement;

class ProgramWindows {
 public:
  // `program_directory` is where the `bin` folder is looked for.
  ProgramWindows(const std::filesystem::path& program_directory, MessageSeam& messages,
                 Shell& shell);
  ~ProgramWindows();
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  MainWindow& main() { return *main_; }
  // Where every window opens and the store of the main window's remembered
  // state (its mode and splitter sizes).
  WindowPlacement& placement() { return *placement_; }

  // The modal dialogs are children of the main window, which owns them. The
  // windows that stay open beside it are top-level windows of their own, so
  // the main window can come to the front over them; this object owns those.
  UserVariablesWindow* user_variables = nullptr;      // Form2
  SolutionWindow* solution = nullptr;                 // Form3
  EditWindow* edit = nullptr;                         // Form4
  VariableWizard* wizard = nullptr;                   // Form5
  ErrorLogWindow* error_log = nullptr;                // Form6
  MaskOptionsDialog* mask_options = nullptr;          // Form7
  CatalogueBrowser* functions = nullptr;              // Form8
  CatalogueBrowser* constants = nullptr;              // Form9
  GeneralOptionsDialog* general_options = nullptr;    // Form10
  SimpleWindow* simple = nullptr;                     // Form11
  DonateWindow* donate = nullptr;                     // Form12
  GraphWindow* graph = nullptr;                       // Form13
  PlotOptionsDialog* plot_options = nullptr;          // Form14
  PlotInfoWindow* plot_info = nullptr;                // Form15
  ReminderDialog* reminder = nullptr;                 // Form16
  TableStatsWindow* table_stats = nullptr;            // Form17
  ChooseSerieDialog* choose_serie = nullptr;          // Form18
  SplashWindow* splash = nullptr;                     // Form19
  AboutWindow* about = nullptr;                       // Form20
  BenchmarkWindow* benchmark = nullptr;               // Form21
  BenchmarkResultWindow* benchmark_result = nullptr;  // Form22
  PlotWarningDialog* plot_warning = nullptr;          // Form23
  StartScreen* start_screen = nullptr;                // Form24
  TutorialsWindow* tutorials = nullptr;               // Form25
  VersionHistoryWindow* history = nullptr;            // Form26

 private:
  void CreatePlotWindows();
  void CreateInformationWindows();
  void ConnectPlotWindows();
  void ConnectInformationWindows();
  // The only place the main window's start-up hooks are assigned.
  void SetStartUpHooks();
  // Makes `window` a top-level window owned here, placed beside the main
  // window on its first showing and remembered in bin/windows.ini.
  template <typename Window>
  Window* Independent(Window* window);

  // Declared in the order they are made; they go in reverse, except that
  // the main window goes before the windows beside it, whose pointers it
  // holds for its whole life.
  std::unique_ptr<Calculator> calculator_;
  std::unique_ptr<WindowPlacement> placement_;
  std::vector<std::unique_ptr<QWidget>> independent_;
  std::unique_ptr<MainWindow> main_;  // Form1
  std::unique_ptr<PlotRunDisplay> plot_display_;
};

}  // namespace korvex
