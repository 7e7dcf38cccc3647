// What every settings file does alike when something is wrong with it: a file
// that is there but cannot be read is never written over, and a folder that
// cannot be written is reported once by the loads that meet it (and at every
// save the user asks for), not again at every reload.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "settings/general_file.h"
#include "settings/insertion_log.h"
#include "settings/mask_file.h"
#include "settings/other_file.h"
#include "settings/plot_file.h"
#include "settings/variables_file.h"
#include "settings_test_support.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using settings_test::DataDirectoryTest;
using settings_test::kReadOnly;
using settings_test::ReadRaw;
using settings_test::RecordingMessages;
using settings_test::WriteRaw;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Unreadable(const std::string& name) {
  return "Could not read file 'bin/" + name +
         "'; it is left untouched and not saved to until it can be read";
}
std::vector<std::string> SaveRefused(const std::string& name) {
  return {"Could not save to file 'bin/" + name + "'",
          "The file exists but cannot be read, so it is left untouched"};
}
std::vector<std::string> SaveFailed(const std::string& name) {
  return {"Could not save to file 'bin/" + name + "'", kReadOnly};
}

std::string Join(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines) joined += line + "|";
  return joined;
}

// One settings file: a load into values that start as the defaults, giving
// those values afterwards as text, and the dialog's save.
struct SettingsFileCase {
  const char* name;
  std::function<std::string(const DataDirectory&, Messages&)> load;
  std::function<bool(const DataDirectory&, Messages&)> save;
  std::string defaults;  // what `load` gives when it keeps the defaults
  std::string readable;  // a file's bytes
  std::string read;      // what `load` gives for them
};

std::vector<SettingsFileCase> SettingsFiles() {
  return {
      {"var.ini",
       [](const DataDirectory& data, Messages& messages) {
         VariableTable table;
         LoadVariables(data, table, messages);
         return Join(FormatVariableLines(table));
       },
       [](const DataDirectory& data, Messages& messages) {
         return SaveVariables(data, {{"x", "1"}}, messages);
       },
       "", "r#5\r\n", "r#5|"},
      {"mask.ini",
       [](const DataDirectory& data, Messages& messages) {
         MaskSettings settings;
         LoadMaskSettings(data, settings, messages);
         return MaskStatusText(settings);
       },
       [](const DataDirectory& data, Messages& messages) {
         return SaveMaskSettings(data, MaskSettings{}, messages);
       },
       "= ", "> \r\n0.0\r\n kg\r\n", "> 0.0 kg"},
      {"general.ini",
       [](const DataDirectory& data, Messages& messages) {
         GeneralSettings settings;
         LoadGeneralSettings(data, settings, messages);
         return Join(GeneralSettingsToLines(settings));
       },
       [](const DataDirectory& data, Messages& messages) {
         return SaveGeneralSettings(data, GeneralSettings{}, messages);
       },
       Join(GeneralSettingsToLines(GeneralSettings{})), "0\r\n1\r\n0\r\n2500\r\n",
       "0|1|0|2500|8000|1|32|0|0|"},
      {"plot.ini",
       [](const DataDirectory& data, Messages& messages) {
         PlotSettings settings;
         LoadPlotSettings(data, settings, messages);
         return PlotStatusText(settings);
       },
       [](const DataDirectory& data, Messages& messages) {
         return SavePlotSettings(data, PlotSettings{}, messages);
       },
       "x E[-10;10] inc: 0,1", "t\r\n0\r\n5\r\n0,5\r\n", "t E[0;5] inc: 0,5"},
      {"other.ini",
       [](const DataDirectory& data, Messages& messages) {
         return std::string(LoadOtherSettings(data, messages) ? "start screen" : "none");
       },
       [](const DataDirectory& data, Messages& messages) {
         return SaveOtherSettings(data, messages);
       },
       "none", "1\r\n", "start screen"},
  };
}

class SettingsFilesTest : public DataDirectoryTest {
 protected:
  // Ways for a file to be there yet unreadable, which hold for root too.
  struct Blocker {
    const char* what;
    std::function<void(const fs::path&)> make;
    std::function<bool(const fs::path&)> intact;
  };
  std::vector<Blocker> Blockers() const {
    const fs::path elsewhere = root_ / "elsewhere";
    return {
        {"a folder in its place", [](const fs::path& file) { fs::create_directory(file); },
         [](const fs::path& file) { return fs::is_directory(fs::symlink_status(file)); }},
        // A rename over the file would replace the link itself.
        {"a link to a folder",
         [elsewhere](const fs::path& file) {
           fs::create_directories(elsewhere);
           fs::create_directory_symlink(elsewhere, file);
         },
         [elsewhere](const fs::path& file) {
           return fs::is_symlink(fs::symlink_status(file)) && fs::read_symlink(file) == elsewhere;
         }},
        {"a link to itself", [](const fs::path& file) { fs::create_symlink(file, file); },
         [](const fs::path& file) {
           return fs::is_symlink(fs::symlink_status(file)) && fs::read_symlink(file) == file;
         }},
    };
  }
};

TEST_F(SettingsFilesTest, AnUnreadableFileIsReportedOnceAndNeverWrittenOver) {
  for (const SettingsFileCase& c : SettingsFiles()) {
    for (const Blocker& blocker : Blockers()) {
      SCOPED_TRACE(std::string(c.name) + ", " + blocker.what);
      const fs::path file = File(c.name);
      blocker.make(file);
      RecordingMessages told;

      // Told once; the defaults stay in force, at every later load too.
      EXPECT_EQ(c.load(data, told), c.defaults);
      EXPECT_THAT(told.shown, ElementsAre(Unreadable(c.name)));
      EXPECT_EQ(c.load(data, told), c.defaults);
      EXPECT_EQ(told.shown.size(), 1u);
      EXPECT_TRUE(blocker.intact(file));

      // Every save is refused and says why.
      told.shown.clear();
      EXPECT_FALSE(c.save(data, told));
      EXPECT_EQ(told.shown, SaveRefused(c.name));
      EXPECT_FALSE(c.save(data, told));
      EXPECT_EQ(told.shown.size(), 4u);
      EXPECT_TRUE(blocker.intact(file));
      EXPECT_EQ(c.load(data, told), c.defaults);
      EXPECT_EQ(told.shown.size(), 4u);

      // Readable again: read as usual, and saved to again.
      fs::remove(file);
      WriteRaw(file, c.readable);
      told.shown.clear();
      EXPECT_EQ(c.load(data, told), c.read);
      EXPECT_TRUE(c.save(data, told));
      EXPECT_THAT(told.shown, IsEmpty());
      fs::remove(file);
    }
  }
}

// Permission bits stop no read by root (as in CI), so this one case only runs
// for other users; the blockers above take the same path for root.
TEST_F(SettingsFilesTest, AFileWithoutReadPermissionIsKeptWithItsContent) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads any file whatever its permissions";
  for (const SettingsFileCase& c : SettingsFiles()) {
    SCOPED_TRACE(c.name);
    const fs::path file = File(c.name);
    WriteRaw(file, c.readable);
    fs::permissions(file, fs::perms::none);
    RecordingMessages told;
    EXPECT_EQ(c.load(data, told), c.defaults);
    EXPECT_FALSE(c.save(data, told));
    std::vector<std::string> expected = {Unreadable(c.name)};
    for (const std::string& text : SaveRefused(c.name)) expected.push_back(text);
    EXPECT_EQ(told.shown, expected);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadRaw(file), c.readable);
    fs::remove(file);
  }
}

TEST_F(SettingsFilesTest, AnUnwritableFolderIsReportedOnceByLoadsAndAtEverySave) {
  // `bin` is a plain file, so nothing can be created in it, not even by root.
  const DataDirectory read_only(root_ / "read-only");
  WriteRaw(root_ / "read-only" / "bin", "");
  for (const SettingsFileCase& c : SettingsFiles()) {
    SCOPED_TRACE(c.name);
    // The Options dialog's "OK", then the reload as it closes; then a close
    // without "OK".
    RecordingMessages told;
    EXPECT_FALSE(c.save(read_only, told));
    EXPECT_EQ(c.load(read_only, told), c.defaults);
    EXPECT_EQ(told.shown, SaveFailed(c.name));
    EXPECT_EQ(c.load(read_only, told), c.defaults);
    EXPECT_EQ(told.shown.size(), 2u);

    // The start-up load, then a reload.
    RecordingMessages at_start;
    EXPECT_EQ(c.load(read_only, at_start), c.defaults);
    EXPECT_EQ(c.load(read_only, at_start), c.defaults);
    EXPECT_EQ(at_start.shown, SaveFailed(c.name));
    // A save asked for by the user always says how it went.
    EXPECT_FALSE(c.save(read_only, at_start));
    EXPECT_EQ(at_start.shown.size(), 4u);
  }
}

TEST_F(SettingsFilesTest, AnUnreadableInsertionLogIsReportedOnceAndNeverWrittenOver) {
  fs::create_directory(File("log.ini"));
  AppendToInsertionLog(data, "1+1", messages);
  AppendToInsertionLog(data, "2+2", messages);
  EXPECT_EQ(InsertLog(data, {}, messages), std::nullopt);
  EXPECT_THAT(ShowInsertionLog(data, {"in the box"}, messages), ElementsAre("in the box"));
  EXPECT_THAT(messages.shown, ElementsAre(Unreadable("log.ini")));

  // "Clear" is asked for: refused, and the box keeps its lines.
  messages.shown.clear();
  EXPECT_THAT(ClearInsertionLog(data, {"in the box"}, messages), ElementsAre("in the box"));
  EXPECT_EQ(messages.shown, SaveRefused("log.ini"));
  EXPECT_TRUE(fs::is_directory(File("log.ini")));

  fs::remove(File("log.ini"));
  messages.shown.clear();
  AppendToInsertionLog(data, "3+3", messages);
  EXPECT_EQ(ReadRaw(File("log.ini")), "3+3\r\n");
  EXPECT_THAT(messages.shown, IsEmpty());
}

}  // namespace
}  // namespace korvex
