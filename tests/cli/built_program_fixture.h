// Runs the built korvex-cli on a temporary data folder that holds copies of
// the shipped catalogues.
#pragma once

#include <stdlib.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace korvex {

class BuiltProgramFixture : public ::testing::Test {
 protected:
  explicit BuiltProgramFixture(const char* name) {
    namespace fs = std::filesystem;
    std::string pattern = fs::temp_directory_path() / (std::string("korvex-") + name + "-XXXXXX");
    root_ = ::mkdtemp(pattern.data());
    const char* build = std::getenv("KORVEX_DATA_DIR");
    if (build == nullptr) ADD_FAILURE() << "KORVEX_DATA_DIR is not set";
    fs::create_directories(root_ / "bin");
    if (build != nullptr) {
      program_ = fs::path(build) / "korvex-cli";
      for (const char* folder : {"functions", "constants"})
        fs::copy(fs::path(build) / "bin" / folder, root_ / "bin" / folder);
    }
  }
  ~BuiltProgramFixture() override { std::filesystem::remove_all(root_); }

  std::filesystem::path root_;
  std::filesystem::path program_;
};

}  // namespace korvex
