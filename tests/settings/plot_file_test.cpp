// plot.ini: defaults, the line encodings, short files, and read/write
// failures.
#include "settings/plot_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

namespace korvex {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RecordingMessages : public Messages {
 public:
  void Show(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

std::filesystem::path MakeDataRoot() {
  std::string pattern = std::filesystem::temp_directory_path() / "korvex-plotini-XXXXXX";
  const std::filesystem::path root = ::mkdtemp(pattern.data());
  std::filesystem::create_directory(root / "bin");
  return root;
}

class PlotSettingsFileTest : public ::testing::Test {
 protected:
  ~PlotSettingsFileTest() override { std::filesystem::remove_all(root_); }

  std::filesystem::path root_ = MakeDataRoot();
  DataDirectory data{root_};
  RecordingMessages messages;
};

Lines DefaultLines() {
  return {"x",   "-10", "10", "0,1",   "1",        "0",        "0,001",    "1",  "0",  "0",
          "-10", "10",  "10", "1",     "0",        "0",        "-10",      "10", "10", "0",
          "0",   "0",   "0",  "46180", "12632256", "16777215", "12632256", "0",  "15"};
}

TEST_F(PlotSettingsFileTest, FirstLoadWritesTheDefaults) {
  PlotSettings settings;
  LoadPlotSettings(data, settings, messages);
  EXPECT_THAT(messages.shown, IsEmpty());
  EXPECT_EQ(settings, PlotSettings());
  const auto lines = ReadLines(data.File("plot.ini"));
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(*lines, DefaultLines());
  EXPECT_EQ(PlotStatusText(settings), "x E[-10;10] inc: 0,1");
}

TEST_F(PlotSettingsFileTest, SaveThenLoadKeepsEveryField) {
  PlotSettings changed;
  changed.variable = "t";
  changed.mode = PlotMode::kMultipleAll;
  changed.derivative = true;
  changed.x_axis = {false, true, true, "-3", "7", "2"};
  changed.y_axis.logarithmic = true;
  changed.points = true;
  changed.vertical_grid = true;
  changed.back_colour = 255;
  changed.view_3d = true;
  changed.percent_3d = 35;
  ASSERT_TRUE(SavePlotSettings(data, changed, messages));
  PlotSettings loaded;
  LoadPlotSettings(data, loaded, messages);
  EXPECT_EQ(loaded, changed);
  EXPECT_EQ(PlotSettingsToLines(changed)[4], "0");  // MultipleAll
}

TEST(PlotSettingsLines, EachLineDecodesOnItsOwn) {
  struct Case {
    size_t line;
    std::string text;
    void (*check)(const PlotSettings&);
  };
  const Case cases[] = {
      {4, "1", [](const PlotSettings& s) { EXPECT_EQ(s.mode, PlotMode::kSingle); }},
      {4, "2", [](const PlotSettings& s) { EXPECT_EQ(s.mode, PlotMode::kMultiple); }},
      {4, "3", [](const PlotSettings& s) { EXPECT_EQ(s.mode, PlotMode::kMultipleAll); }},
      {4, "", [](const PlotSettings& s) { EXPECT_EQ(s.mode, PlotMode::kMultipleAll); }},
      {5, "1", [](const PlotSettings& s) { EXPECT_TRUE(s.derivative); }},
      {5, "true", [](const PlotSettings& s) { EXPECT_FALSE(s.derivative); }},
      {7, " 1", [](const PlotSettings& s) { EXPECT_FALSE(s.x_axis.automatic); }},
      {13, "0", [](const PlotSettings& s) { EXPECT_FALSE(s.y_axis.automatic); }},
      {27, "1", [](const PlotSettings& s) { EXPECT_TRUE(s.view_3d); }},
      {10, "-0,5", [](const PlotSettings& s) { EXPECT_EQ(s.x_axis.minimum, "-0,5"); }},
      {11, "5", [](const PlotSettings& s) { EXPECT_EQ(s.x_axis.maximum, "5"); }},
      {18, "2", [](const PlotSettings& s) { EXPECT_EQ(s.y_axis.log_base, "2"); }},
      {23, "255", [](const PlotSettings& s) { EXPECT_EQ(s.graph_colour, 255); }},
      {23, "ff", [](const PlotSettings& s) { EXPECT_EQ(s.graph_colour, 46180); }},
      {24, "", [](const PlotSettings& s) { EXPECT_EQ(s.point_colour, 12632256); }},
      {25, "1,5", [](const PlotSettings& s) { EXPECT_EQ(s.back_colour, 16777215); }},
      {26, "0", [](const PlotSettings& s) { EXPECT_EQ(s.grid_colour, 0); }},
      {28, "40", [](const PlotSettings& s) { EXPECT_EQ(s.percent_3d, 40); }},
      {28, "abc", [](const PlotSettings& s) { EXPECT_EQ(s.percent_3d, 15); }},
      {28, "500", [](const PlotSettings& s) { EXPECT_EQ(s.percent_3d, 100); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.line) + " '" + c.text + "'");
    Lines lines = DefaultLines();
    lines[c.line] = c.text;
    PlotSettings settings;
    ApplyPlotSettingsLines(lines, settings);
    c.check(settings);
  }
}

TEST(PlotSettingsLines, ShortFileKeepsTheRest) {
  PlotSettings settings;
  settings.grid_colour = 99;
  settings.view_3d = true;
  ApplyPlotSettingsLines({"t", "0", "5", "0,5", "2", "1"}, settings);
  EXPECT_EQ(PlotStatusText(settings), "t E[0;5] inc: 0,5");
  EXPECT_EQ(settings.mode, PlotMode::kMultiple);
  EXPECT_TRUE(settings.derivative);
  EXPECT_EQ(settings.epsilon, "0,001");
  EXPECT_EQ(settings.grid_colour, 99);
  EXPECT_TRUE(settings.view_3d);
}

TEST(PlotSettingsLines, StrToIntTakesWholeNumbersOnly) {
  EXPECT_EQ(StrToInt("-10"), -10);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  for (const char* bad : {"", "-", "+-1", "0,5", "1e3", " 1", "1 ", "2147483648", "0x10"})
    EXPECT_FALSE(StrToInt(bad).has_value()) << bad;
}

TEST_F(PlotSettingsFileTest, UnwritableFileShowsTwoMessagesAndKeepsTheValues) {
  const DataDirectory missing(root_ / "no-such-folder");
  PlotSettings settings;
  settings.variable = "v";
  LoadPlotSettings(missing, settings, messages);
  EXPECT_THAT(messages.shown,
              ElementsAre("Could not save to file 'bin/plot.ini'",
                          "This can occur if you are using Korvex on a read only device, like a "
                          "CD or DVD"));
  EXPECT_EQ(settings.variable, "v");
  messages.shown.clear();
  EXPECT_FALSE(SavePlotSettings(missing, settings, messages));
  EXPECT_EQ(messages.shown.size(), 2u);
}

}  // namespace
}  // namespace korvex
