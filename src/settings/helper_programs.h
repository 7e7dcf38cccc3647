// Where the programs the calculator starts for it live: the build tree puts
// them beside the executables, an install under <libexecdir>/korvex.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace korvex {

inline constexpr const char* kPrimeCountHelperVariable = "KORVEX_PRIMECOUNT_HELPER";
inline constexpr const char* kPrimeCountHelperName = "korvex-primecount";

// Everything the choice depends on, so that it can be made for any folder.
struct HelperProgramInputs {
  // KORVEX_PRIMECOUNT_HELPER; nullopt when it is unset or empty.
  std::optional<std::string> override_path;
  std::filesystem::path executable_directory;
};

// Where an install puts the helper, seen from the folder of the installed
// executables (../libexec/korvex/korvex-primecount from <prefix>/bin with
// the default layout), so that a package unpacked anywhere finds its own.
std::filesystem::path InstalledPrimeCountHelper(const std::filesystem::path& executable_directory);

// The order: the override as given; else korvex-primecount beside the
// executable when that is an executable file (the build tree); else the
// install's copy relative to the executable when it is one; else the
// configured install location. The path need not exist: starting a missing
// helper fails, and the engine then sieves.
std::filesystem::path PrimeCountHelperPath(const HelperProgramInputs& inputs);

// The same for the running process.
std::filesystem::path PrimeCountHelperPath();

}  // namespace korvex
