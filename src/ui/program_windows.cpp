// Creates the windows in order and connects them to the main window.
#include "ui/program_windows.h"

#include "ui/catalogue_browser.h"
#include "ui/edit_window.h"
#include "ui/error_log_window.h"
#include "ui/general_options_dialog.h"
#include "ui/main_window.h"
#include "ui/mask_options_dialog.h"
#include "ui/simple_window.h"
#include "ui/solution_window.h"
#include "ui/user_variables_window.h"
#include "ui/variable_wizard.h"

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

  user_variables->set_wizard(wizard);
  owner->AttachWindows({user_variables, solution, edit, error_log, mask_options, functions,
                        constants, general_options, simple});
}

ProgramWindows::~ProgramWindows() = default;

}  // namespace korvex
