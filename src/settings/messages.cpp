#include "settings/messages.h"

namespace korvex {

void ShowSaveFailureMessages(Messages& messages, const std::string& relative_name) {
  messages.Show("Could not save to file 'bin/" + relative_name + "'");
  messages.Show(kReadOnlyDeviceMessage);
}

}  // namespace korvex
