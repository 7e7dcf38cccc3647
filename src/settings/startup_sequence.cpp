// The start-up order and the settings layer's own steps.
#include "settings/startup_sequence.h"

#include "settings/general_file.h"
#include "settings/mask_file.h"
#include "settings/other_file.h"
#include "settings/variables_file.h"

namespace korvex {
namespace {

void Run(const std::function<void()>& step) {
  if (step) step();
}

}  // namespace

StartUpOutcome RunStartUpSequence(FirstActivationFlag& first_activation, const StartUpSteps& steps,
                                  const DataDirectory& data, Messages& messages) {
  if (!first_activation.Take()) return StartUpOutcome::kAlreadyStarted;
  if (steps.load_catalogues && !steps.load_catalogues()) {
    messages.Show(kCatalogueNeededMessage);
    messages.Show(kWillCloseMessage);
    return StartUpOutcome::kMustClose;
  }
  Run(steps.load_variables);
  Run(steps.load_mask_settings);
  Run(steps.load_general_settings);
  Run(steps.load_plot_settings);
  Run(steps.show_splash);
  if (LoadOtherSettings(data, messages)) Run(steps.show_start_screen);
  return StartUpOutcome::kReady;
}

StartUpSteps SettingsStartUpSteps(const DataDirectory& data, const StartUpTargets& targets,
                                  Messages& messages) {
  // Copies of the references and the directory, so the steps do not depend
  // on the lifetime of `targets` or `data`.
  StartUpSteps steps;
  steps.load_catalogues = [data, &catalogues = targets.catalogues, &messages] {
    return GetDatabase(data, catalogues, messages);
  };
  steps.load_variables = [data, &variables = targets.variables, &messages] {
    LoadVariables(data, variables, messages);
  };
  steps.load_mask_settings = [data, &mask = targets.mask, &messages] {
    LoadMaskSettings(data, mask, messages);
  };
  steps.load_general_settings = [data, &general = targets.general, &messages] {
    LoadGeneralSettings(data, general, messages);
  };
  return steps;
}

}  // namespace korvex
