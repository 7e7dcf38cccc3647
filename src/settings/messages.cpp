#include "settings/messages.h"

namespace korvex {

std::string SaveFailureText(const std::string& relative_name) {
  return "Could not save to file 'bin/" + relative_name + "'";
}

std::string UnreadableFileText(const std::string& relative_name) {
  return "Could not read file 'bin/" + relative_name +
         "'; it is left untouched and not saved to until it can be read";
}

}  // namespace korvex
