// The mask options (mask.ini) and the general options (general.ini) as plain
// values; the dialogs edit copies and the files are the store.
#pragma once

#include <string>

#include "engine/user_variables.h"

namespace korvex {

// How long a plot runs before the Reminder dialog shows.
inline constexpr int kDefaultReminderMs = 8000;

struct MaskSettings {
  std::string prefix = "= ";
  std::string mask;
  std::string suffix;
  bool operator==(const MaskSettings&) const = default;
};

// Index of the number system in the list of General options.
enum class NumberSystem {
  kHexadecimal = 0,
  kDecimal = 1,
  kOctal = 2,
  kQuaternary = 3,
  kBinary = 4
};

struct GeneralSettings {
  bool log_input = true;                       // "Log evaluate input"
  bool auto_complete = false;                  // "Use AutoComplete"
  bool store_input = true;                     // "Store input expression"
  int loop_limit = kDefaultLoopLimit;          // "Loop control, for user variables:"
  int reminder_interval = kDefaultReminderMs;  // "Reminder control, for plotting:" (ms)
  int number_system = 1;    // index into the number-system list; others convert as binary
  int precision = 32;       // "Mantissa bit precision:"
  bool scientific = false;  // "Scientific notation"
  bool point = false;       // "Point as decimal separator"
  bool operator==(const GeneralSettings&) const = default;
};

}  // namespace korvex
