#include "settings/data_directory.h"

#include <system_error>

namespace korvex {

std::filesystem::path ExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error);
  return exe.parent_path();
}

}  // namespace korvex
