// The search for korvex-primecount.
#include "settings/helper_programs.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "settings/data_directory.h"

#if !defined(KORVEX_INSTALLED_LIBEXEC_FROM_BINDIR) || !defined(KORVEX_INSTALL_FULL_LIBEXECDIR)
#error "the build passes the install's libexec folder, relative to the program folder and in full"
#endif

namespace korvex {
namespace {

namespace fs = std::filesystem;

bool IsExecutableFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

fs::path InstalledPrimeCountHelper(const fs::path& executable_directory) {
  return (executable_directory / KORVEX_INSTALLED_LIBEXEC_FROM_BINDIR / "korvex" /
          kPrimeCountHelperName)
      .lexically_normal();
}

fs::path PrimeCountHelperPath(const HelperProgramInputs& inputs) {
  if (inputs.override_path) return *inputs.override_path;
  const fs::path beside = inputs.executable_directory / kPrimeCountHelperName;
  if (IsExecutableFile(beside)) return beside;
  const fs::path installed = InstalledPrimeCountHelper(inputs.executable_directory);
  if (IsExecutableFile(installed)) return installed;
  return fs::path(KORVEX_INSTALL_FULL_LIBEXECDIR) / "korvex" / kPrimeCountHelperName;
}

fs::path PrimeCountHelperPath() {
  HelperProgramInputs inputs;
  if (const char* value = std::getenv(kPrimeCountHelperVariable); value && *value)
    inputs.override_path = value;
  inputs.executable_directory = ExecutableDirectory();
  return PrimeCountHelperPath(inputs);
}

}  // namespace korvex
