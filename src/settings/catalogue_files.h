// GetDatabase: the two catalogue files read into memory at start-up.
#pragma once

#include "engine/catalogue.h"
#include "settings/data_directory.h"
#include "settings/messages.h"

namespace korvex {

inline constexpr const char* kConstantsFile = "constants/constants.ini";
inline constexpr const char* kFunctionsFile = "functions/functions.ini";

struct Catalogues {
  Catalogue functions;
  Catalogue constants;
};

// Reads the constant catalogue, then the function catalogue. Shows "Could not
// find or open 'bin/...'" and returns false at the first file that cannot be
// read; the catalogues are then left as they were.
bool GetDatabase(const DataDirectory& data, Catalogues& catalogues, Messages& messages);

}  // namespace korvex
