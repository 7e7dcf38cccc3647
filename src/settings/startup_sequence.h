// The start-up sequence run at the main window's first activation: catalogues,
// var.ini, mask.ini, general.ini, plot.ini, splash, then the start screen when
// other.ini asks for it. The order lives here; the windows (or the CLI) supply
// the steps.
#pragma once

#include <functional>

#include "engine/user_variables.h"
#include "settings/answer_settings.h"
#include "settings/catalogue_files.h"
#include "settings/data_directory.h"
#include "settings/messages.h"

namespace korvex {

inline constexpr const char* kCatalogueNeededMessage =
    "This file is needed for Korvex to run properly!";
inline constexpr const char* kWillCloseMessage = "Korvex will now close";

// The steps in the order they run. An empty step is skipped (a missing
// load_catalogues counts as loaded).
struct StartUpSteps {
  // GetDatabase: false when a catalogue could not be read (it has shown which).
  std::function<bool()> load_catalogues;
  std::function<void()> load_variables;
  std::function<void()> load_mask_settings;
  std::function<void()> load_general_settings;
  std::function<void()> load_plot_settings;
  // Shows the splash window modally; returns once it has closed.
  std::function<void()> show_splash;
  // Shows the start screen modally; called only when other.ini asked for it.
  std::function<void()> show_start_screen;
};

// The splash window's "not yet started" flag: set when it is created and
// taken by the first activation of the main window.
class FirstActivationFlag {
 public:
  // True exactly once.
  bool Take() {
    const bool was_set = set_;
    set_ = false;
    return was_set;
  }
  bool is_set() const { return set_; }

 private:
  bool set_ = true;
};

enum class StartUpOutcome {
  kAlreadyStarted,  // a later activation: nothing was done
  kReady,           // every step ran
  kMustClose,       // a catalogue is missing: the program ends, no other file was read
};

// Runs the sequence once per flag. When the catalogues fail, shows
// "This file is needed for Korvex to run properly!" and "Korvex will now
// close" and stops. After the splash, other.ini is read (LoadOtherSettings)
// and the start screen shown when it asks.
StartUpOutcome RunStartUpSequence(FirstActivationFlag& first_activation, const StartUpSteps& steps,
                                  const DataDirectory& data, Messages& messages);

// Where the settings layer's own steps load into; the owners outlive the
// steps made from them.
struct StartUpTargets {
  Catalogues& catalogues;
  VariableTable& variables;
  MaskSettings& mask;
  GeneralSettings& general;
};

// Steps for catalogues, var.ini, mask.ini and general.ini bound to `targets`;
// the caller adds plot settings, splash and start screen (and may wrap any
// step, for example to refresh a status bar after it).
StartUpSteps SettingsStartUpSteps(const DataDirectory& data, const StartUpTargets& targets,
                                  Messages& messages);

}  // namespace korvex
