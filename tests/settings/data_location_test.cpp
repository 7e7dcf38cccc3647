// The start-up choice of the data folder: --data-dir, a writable bin beside
// the program, or a per-user folder filled from the shipped copy without ever
// replacing what the user has there.
#include "settings/data_location.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <map>
#include <optional>
#include <string>

#include "settings_test_support.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using settings_test::ReadRaw;
using settings_test::WriteRaw;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Every file under `root` with its bytes.
std::map<std::string, std::string> Tree(const fs::path& root) {
  std::map<std::string, std::string> files;
  if (!fs::exists(root)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = entry.path().lexically_relative(root).string();
    files[name] = entry.is_regular_file() ? ReadRaw(entry.path()) : "<folder>";
  }
  return files;
}

fs::path MakeTemporaryRoot() {
  std::string pattern = fs::temp_directory_path() / "korvex-location-XXXXXX";
  return ::mkdtemp(pattern.data());
}

TEST(FolderWritable, NeedsAnExistingFolderAndLeavesNothingBehind) {
  const fs::path root = MakeTemporaryRoot();
  fs::create_directory(root / "folder");
  WriteRaw(root / "file", "x");
  EXPECT_TRUE(FolderWritable(root / "folder"));
  EXPECT_THAT(Tree(root / "folder"), IsEmpty());
  EXPECT_FALSE(FolderWritable(root / "missing"));
  EXPECT_FALSE(FolderWritable(root / "file"));
  // Root may create files whatever the mode says; for anyone else this is
  // the read-only program folder of an installed copy.
  if (::geteuid() != 0) {
    fs::create_directory(root / "read-only");
    fs::permissions(root / "read-only", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(FolderWritable(root / "read-only"));
  }
  fs::remove_all(root);
}

// An installed layout in a folder of its own: <root>/usr/bin for the program,
// the shipped data where an installed program finds it, and a home folder.
class DataLocationTest : public ::testing::Test {
 protected:
  DataLocationTest() {
    fs::create_directories(program_);
    WriteRaw(shipped_ / "constants/constants.ini", "pi#3,14\r\n");
    WriteRaw(shipped_ / "functions/functions.ini", "sin#1\r\n");
    WriteRaw(shipped_ / "history.rtf", "{\\rtf1}");
    fs::create_directory(home_);
  }
  ~DataLocationTest() override { fs::remove_all(root_); }

  DataLocationInputs Inputs() const {
    DataLocationInputs inputs;
    inputs.executable_directory = program_;
    inputs.xdg_data_home = (root_ / "xdg").string();
    inputs.home = home_.string();
    return inputs;
  }

  const fs::path root_ = MakeTemporaryRoot();
  const fs::path program_ = root_ / "usr" / "bin";
  const fs::path shipped_ = InstalledDataFolder(program_);
  const fs::path home_ = root_ / "home";
  const fs::path user_ = root_ / "xdg" / "korvex";
};

TEST_F(DataLocationTest, ShippedCopyIsFoundFromTheProgramFolder) {
  EXPECT_EQ(shipped_, root_ / "usr" / "share" / "korvex" / "bin");
}

TEST_F(DataLocationTest, ChoosesTheFolderInOrder) {
  const fs::path option = root_ / "chosen";
  const std::string xdg = (root_ / "xdg").string();
  const fs::path home_data = home_ / ".local/share/korvex";
  struct Case {
    const char* name;
    bool with_option;
    bool bin_beside;       // a bin folder beside the program...
    bool beside_writable;  // ...that the program may write in
    std::optional<std::string> xdg_data_home;
    DataLocation::Kind kind;
    fs::path expected;
  };
  using Kind = DataLocation::Kind;
  const Case cases[] = {
      {"option wins", true, true, true, xdg, Kind::kOption, option},
      {"build tree", false, true, true, xdg, Kind::kBesideExecutable, program_},
      {"installed", false, false, true, xdg, Kind::kPerUser, user_},
      {"read-only bin", false, true, false, xdg, Kind::kPerUser, user_},
      {"XDG_DATA_HOME unset", false, false, true, std::nullopt, Kind::kPerUser, home_data},
      {"XDG_DATA_HOME empty", false, false, true, "", Kind::kPerUser, home_data},
      {"XDG_DATA_HOME relative", false, false, true, "xdg", Kind::kPerUser, home_data},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(program_ / "bin");
    fs::remove_all(root_ / "xdg");
    fs::remove_all(home_ / ".local");
    if (c.bin_beside) WriteRaw(program_ / "bin" / "functions" / "functions.ini", "cos#1\r\n");
    DataLocationInputs inputs = Inputs();
    if (c.with_option) inputs.option = option;
    inputs.xdg_data_home = c.xdg_data_home;
    inputs.writable = [&](const fs::path& folder) {
      return (c.beside_writable || folder != program_ / "bin") && FolderWritable(folder);
    };

    const DataLocation location = LocateDataDirectory(inputs);
    ASSERT_TRUE(location.ok()) << location.failure;
    EXPECT_EQ(location.kind, c.kind);
    EXPECT_EQ(location.program_directory, c.expected);
    if (c.kind != Kind::kPerUser) {
      // Nothing of the user's is touched when the folder is elsewhere.
      EXPECT_FALSE(fs::exists(root_ / "xdg"));
      EXPECT_THAT(Tree(home_), IsEmpty());
    }
  }
}

TEST_F(DataLocationTest, InstalledProgramGetsAPrivateFilledCopyAndWritesNothingBesideItself) {
  const auto installed_before = Tree(root_ / "usr");
  const DataLocation location = LocateDataDirectory(Inputs());
  ASSERT_TRUE(location.ok()) << location.failure;
  ASSERT_EQ(location.program_directory, user_);
  EXPECT_EQ(Tree(user_ / "bin"), Tree(shipped_));
  EXPECT_EQ(Tree(root_ / "usr"), installed_before);
  EXPECT_EQ(fs::status(user_).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST_F(DataLocationTest, TutorialVideosStayWithTheShippedData) {
  WriteRaw(shipped_ / "tutorials/single plot.avi", "RIFF");
  const DataLocation location = LocateDataDirectory(Inputs());
  ASSERT_TRUE(location.ok()) << location.failure;
  EXPECT_TRUE(fs::exists(user_ / "bin" / "history.rtf"));
  EXPECT_FALSE(fs::exists(user_ / "bin" / "tutorials"));
  EXPECT_EQ(ShippedDataFolder(program_), shipped_);
}

TEST_F(DataLocationTest, LaterStartsKeepTheUsersFilesAndOnlyAddMissingOnes) {
  ASSERT_TRUE(LocateDataDirectory(Inputs()).ok());
  const fs::path bin = user_ / "bin";
  WriteRaw(bin / "constants/constants.ini", "pi#3,14\r\nmine#42\r\n");
  WriteRaw(bin / "general.ini", "1\r\n0\r\n");
  fs::remove(bin / "history.rtf");  // as if the first start had stopped short
  WriteRaw(shipped_ / "functions/functions.ini", "sin#1\r\ncos#1\r\n");  // an upgrade

  const DataLocation second = LocateDataDirectory(Inputs());
  ASSERT_TRUE(second.ok()) << second.failure;
  EXPECT_EQ(second.program_directory, user_);
  EXPECT_EQ(ReadRaw(bin / "constants/constants.ini"), "pi#3,14\r\nmine#42\r\n");
  EXPECT_EQ(ReadRaw(bin / "general.ini"), "1\r\n0\r\n");
  EXPECT_EQ(ReadRaw(bin / "functions/functions.ini"), "sin#1\r\n");
  EXPECT_EQ(ReadRaw(bin / "history.rtf"), "{\\rtf1}");
  // No copy in progress is left behind.
  EXPECT_EQ(Tree(bin).size(), 6u);
}

TEST_F(DataLocationTest, ReadOnlyBinBesideTheProgramIsTheSourceOfTheCopy) {
  // A portable copy on a read-only medium: its own data, not an installed one.
  WriteRaw(program_ / "bin" / "functions" / "functions.ini", "cos#1\r\n");
  fs::permissions(program_ / "bin" / "functions" / "functions.ini",
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  DataLocationInputs inputs = Inputs();
  inputs.writable = [&](const fs::path& folder) {
    return folder != program_ / "bin" && FolderWritable(folder);
  };
  const DataLocation location = LocateDataDirectory(inputs);
  ASSERT_TRUE(location.ok()) << location.failure;
  EXPECT_EQ(Tree(user_ / "bin"), Tree(program_ / "bin"));
  // The copy is the user's to change, even though the original was read-only.
  EXPECT_NE(
      fs::status(user_ / "bin/functions/functions.ini").permissions() & fs::perms::owner_write,
      fs::perms::none);
}

TEST_F(DataLocationTest, NoUsableFolderIsAFailureThatSaysWhy) {
  struct Case {
    const char* name;
    bool unset_environment;
    const char* expected;
  };
  const Case cases[] = {
      {"no XDG_DATA_HOME and no HOME", true, "neither XDG_DATA_HOME nor HOME"},
      {"a file where the folder goes", false, "Could not create the data folder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataLocationInputs inputs = Inputs();
    if (c.unset_environment) {
      inputs.xdg_data_home.reset();
      inputs.home.reset();
    } else {
      WriteRaw(root_ / "xdg", "not a folder");
    }
    const DataLocation location = LocateDataDirectory(inputs);
    EXPECT_FALSE(location.ok());
    EXPECT_THAT(location.failure, HasSubstr(c.expected));
    EXPECT_TRUE(location.program_directory.empty());
  }
}

}  // namespace
}  // namespace korvex
