// The search for korvex-primecount: the override, beside the program, the
// install relative to the program, the configured install.
#include "settings/helper_programs.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "settings/data_directory.h"
#include "settings_test_support.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using settings_test::WriteRaw;

constexpr fs::perms kExecutable = fs::perms::owner_all;
constexpr fs::perms kNotExecutable = fs::perms::owner_read | fs::perms::owner_write;

// <root>/usr/bin is the program's folder in each case.
class HelperProgramsTest : public ::testing::Test {
 protected:
  ~HelperProgramsTest() override { fs::remove_all(root_); }

  static fs::path MakeRoot() {
    std::string pattern = fs::temp_directory_path() / "korvex-helpers-XXXXXX";
    return ::mkdtemp(pattern.data());
  }

  void Place(const fs::path& path, fs::perms mode) {
    WriteRaw(path, "#!/bin/sh\n");
    fs::permissions(path, mode);
  }

  fs::path root_ = MakeRoot();
  fs::path bin_ = root_ / "usr" / "bin";
  fs::path beside_ = bin_ / kPrimeCountHelperName;
  fs::path installed_ = InstalledPrimeCountHelper(bin_);
};

TEST_F(HelperProgramsTest, TakesTheFirstOfOverrideBesideInstalledConfigured) {
  fs::create_directories(bin_);
  const fs::path configured = PrimeCountHelperPath({std::nullopt, bin_});
  EXPECT_TRUE(configured.is_absolute()) << configured;
  EXPECT_EQ(configured.filename(), kPrimeCountHelperName);
  EXPECT_NE(configured, installed_);

  // Files that cannot be run are passed over.
  Place(installed_, kNotExecutable);
  Place(beside_, kNotExecutable);
  fs::create_directories(bin_ / "dir" / kPrimeCountHelperName);
  EXPECT_EQ(PrimeCountHelperPath({std::nullopt, bin_}), configured);
  EXPECT_EQ(PrimeCountHelperPath({std::nullopt, bin_ / "dir"}), configured);

  fs::permissions(installed_, kExecutable);
  EXPECT_EQ(PrimeCountHelperPath({std::nullopt, bin_}), installed_);
  fs::permissions(beside_, kExecutable);
  EXPECT_EQ(PrimeCountHelperPath({std::nullopt, bin_}), beside_);
  // Taken as given, even where nothing exists.
  EXPECT_EQ(PrimeCountHelperPath({"/elsewhere/counter", bin_}), "/elsewhere/counter");
}

TEST_F(HelperProgramsTest, ProcessChoiceReadsTheEnvironment) {
  const char* saved = std::getenv(kPrimeCountHelperVariable);
  const std::string previous = saved ? saved : "";
  ::setenv(kPrimeCountHelperVariable, "/elsewhere/counter", 1);
  EXPECT_EQ(PrimeCountHelperPath(), "/elsewhere/counter");
  // Empty counts as unset. The build puts this test beside the helper, as it
  // does every program: the tests that count through a calculator rely on it.
  ::setenv(kPrimeCountHelperVariable, "", 1);
  EXPECT_EQ(PrimeCountHelperPath(), ExecutableDirectory() / kPrimeCountHelperName);
  if (saved) {
    ::setenv(kPrimeCountHelperVariable, previous.c_str(), 1);
  } else {
    ::unsetenv(kPrimeCountHelperVariable);
  }
}

}  // namespace
}  // namespace korvex
