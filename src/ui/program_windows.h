// The program's windows, created in their fixed order with the main window
// first; every one lives until the program ends.
#pragma once

#include <filesystem>
#include <memory>

namespace korvex {

class CatalogueBrowser;
class EditWindow;
class ErrorLogWindow;
class GeneralOptionsDialog;
class MainWindow;
class MaskOptionsDialog;
class MessageSeam;
class Shell;
class SimpleWindow;
class SolutionWindow;
class UserVariablesWindow;
class VariableWizard;

class ProgramWindows {
 public:
  // `program_directory` is where the `bin` folder is looked for.
  ProgramWindows(const std::filesystem::path& program_directory, MessageSeam& messages,
                 Shell& shell);
  ~ProgramWindows();
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  MainWindow& main() { return *main_; }

  // The other windows are children of the main window, which owns them.
  UserVariablesWindow* user_variables = nullptr;    // Form2
  SolutionWindow* solution = nullptr;               // Form3
  EditWindow* edit = nullptr;                       // Form4
  VariableWizard* wizard = nullptr;                 // Form5
  ErrorLogWindow* error_log = nullptr;              // Form6
  MaskOptionsDialog* mask_options = nullptr;        // Form7
  CatalogueBrowser* functions = nullptr;            // Form8
  CatalogueBrowser* constants = nullptr;            // Form9
  GeneralOptionsDialog* general_options = nullptr;  // Form10
  SimpleWindow* simple = nullptr;                   // Form11

 private:
  std::unique_ptr<MainWindow> main_;  // Form1
};

}  // namespace korvex
