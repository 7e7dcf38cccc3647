#include "settings/catalogue_files.h"

#include "settings/line_file.h"

namespace korvex {

bool GetDatabase(const DataDirectory& data, Catalogues& catalogues, Messages& messages) {
  auto constants = ReadLines(data.File(kConstantsFile));
  if (!constants) {
    messages.Show(std::string("Could not find or open 'bin/") + kConstantsFile + "'");
    return false;
  }
  auto functions = ReadLines(data.File(kFunctionsFile));
  if (!functions) {
    messages.Show(std::string("Could not find or open 'bin/") + kFunctionsFile + "'");
    return false;
  }
  catalogues.constants = Catalogue::FromLines(std::move(*constants));
  catalogues.functions = Catalogue::FromLines(std::move(*functions));
  return true;
}

}  // namespace korvex
