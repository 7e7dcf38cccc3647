// The start-up order: which steps run, in which order, which files each one
// creates, and the early end when a catalogue is missing.
#include "settings/startup_sequence.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <type_traits>

#include "settings_test_support.h"

namespace korvex {
namespace {

using settings_test::DataDirectoryTest;
using settings_test::ReadRaw;
using settings_test::WriteRaw;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class StartUpSequenceTest : public DataDirectoryTest {
 protected:
  StartUpSequenceTest() {
    WriteRaw(File("constants/constants.ini"), "pi#w#3,14159265358979#Ratio of circumference\r\n");
    WriteRaw(File("functions/functions.ini"), "sin#t#1#Sine of n1\r\n");
  }

  // The settings layer's steps plus the window hooks, each recording its name
  // and the settings files present once it has run.
  StartUpSteps RecordingSteps() {
    StartUpSteps steps = SettingsStartUpSteps(data, targets, messages);
    auto record = [this](std::string name, auto step) {
      return [this, name, step] {
        auto finish = [&] { calls.push_back(name + ":" + PresentFiles()); };
        if constexpr (std::is_same_v<decltype(step()), bool>) {
          const bool loaded = step();
          finish();
          return loaded;
        } else {
          step();
          finish();
        }
      };
    };
    steps.load_catalogues = record("catalogues", steps.load_catalogues);
    steps.load_variables = record("var", steps.load_variables);
    steps.load_mask_settings = record("mask", steps.load_mask_settings);
    steps.load_general_settings = record("general", steps.load_general_settings);
    steps.load_plot_settings = record("plot", [] {});
    steps.show_splash = record("splash", [] {});
    steps.show_start_screen =
        record("start screen", [this] { other_ini_at_start_screen = ReadRaw(File("other.ini")); });
    return steps;
  }

  std::string PresentFiles() const {
    std::string present;
    for (const char* name : {"var.ini", "mask.ini", "general.ini", "other.ini"}) {
      if (std::filesystem::exists(File(name))) present += std::string(" ") + name;
    }
    return present;
  }

  Catalogues catalogues;
  VariableTable variables;
  MaskSettings mask;
  GeneralSettings general;
  StartUpTargets targets{catalogues, variables, mask, general};
  FirstActivationFlag first_activation;
  std::vector<std::string> calls;
  std::string other_ini_at_start_screen;
};

TEST_F(StartUpSequenceTest, FirstStartCreatesEachSettingsFileInOrder) {
  EXPECT_EQ(RunStartUpSequence(first_activation, RecordingSteps(), data, messages),
            StartUpOutcome::kReady);
  EXPECT_THAT(calls, ElementsAre("catalogues:", "var: var.ini", "mask: var.ini mask.ini",
                                 "general: var.ini mask.ini general.ini",
                                 "plot: var.ini mask.ini general.ini",
                                 "splash: var.ini mask.ini general.ini"));
  EXPECT_THAT(messages.shown, IsEmpty());
  EXPECT_EQ(ReadRaw(File("var.ini")), "");
  EXPECT_EQ(ReadRaw(File("mask.ini")), "= \r\n\r\n\r\n");
  EXPECT_EQ(ReadRaw(File("general.ini")), "1\r\n0\r\n1\r\n1000\r\n8000\r\n1\r\n32\r\n0\r\n0\r\n");
  EXPECT_EQ(ReadRaw(File("other.ini")), "0\r\n");
  EXPECT_EQ(catalogues.constants.names(), std::vector<std::string>{"pi"});
  EXPECT_EQ(catalogues.functions.names(), std::vector<std::string>{"sin"});

  // Later activations of the main window do nothing.
  calls.clear();
  EXPECT_EQ(RunStartUpSequence(first_activation, RecordingSteps(), data, messages),
            StartUpOutcome::kAlreadyStarted);
  EXPECT_THAT(calls, IsEmpty());
}

TEST_F(StartUpSequenceTest, FilesAreLoadedIntoTheTargets) {
  WriteRaw(File("var.ini"), "r#5\r\n");
  WriteRaw(File("mask.ini"), "x = \r\n0.00\r\n\r\n");
  WriteRaw(File("general.ini"), "0\r\n1\r\n0\r\n2000\r\n3000\r\n0\r\n16\r\n1\r\n1\r\n");
  ASSERT_EQ(RunStartUpSequence(first_activation, RecordingSteps(), data, messages),
            StartUpOutcome::kReady);
  EXPECT_EQ(variables, (VariableTable{{"r", "5"}}));
  EXPECT_EQ(mask, (MaskSettings{"x = ", "0.00", ""}));
  EXPECT_EQ(general, (GeneralSettings{false, true, false, 2000, 3000, 0, 16, true, true}));
}

TEST_F(StartUpSequenceTest, StartScreenRequestIsConsumedBeforeTheScreenAfterTheSplash) {
  WriteRaw(File("other.ini"), "1\r\n");
  ASSERT_EQ(RunStartUpSequence(first_activation, RecordingSteps(), data, messages),
            StartUpOutcome::kReady);
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[calls.size() - 2].substr(0, 7), "splash:");
  EXPECT_EQ(calls.back().substr(0, 13), "start screen:");
  EXPECT_EQ(other_ini_at_start_screen, "0\r\n");

  // The next start shows none.
  FirstActivationFlag next_start;
  calls.clear();
  ASSERT_EQ(RunStartUpSequence(next_start, RecordingSteps(), data, messages),
            StartUpOutcome::kReady);
  EXPECT_EQ(calls.back().substr(0, 7), "splash:");

  // Steps a caller leaves out (no windows, say) are skipped.
  FirstActivationFlag bare;
  WriteRaw(File("other.ini"), "1\r\n");
  EXPECT_EQ(RunStartUpSequence(bare, StartUpSteps{}, data, messages), StartUpOutcome::kReady);
  EXPECT_EQ(ReadRaw(File("other.ini")), "0\r\n");
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(StartUpSequenceTest, MissingCatalogueEndsTheStartAndReadsNothingElse) {
  struct Case {
    const char* removed;
    const char* message;
  } cases[] = {
      {"constants/constants.ini", "Could not find or open 'bin/constants/constants.ini'"},
      {"functions/functions.ini", "Could not find or open 'bin/functions/functions.ini'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.removed);
    WriteRaw(File("constants/constants.ini"), "pi#w#3,14#Ratio\r\n");
    WriteRaw(File("functions/functions.ini"), "sin#t#1#Sine\r\n");
    std::filesystem::remove(File(c.removed));
    FirstActivationFlag flag;
    calls.clear();
    messages.shown.clear();
    EXPECT_EQ(RunStartUpSequence(flag, RecordingSteps(), data, messages),
              StartUpOutcome::kMustClose);
    EXPECT_THAT(messages.shown,
                ElementsAre(c.message, "This file is needed for Korvex to run properly!",
                            "Korvex will now close"));
    EXPECT_THAT(calls, ElementsAre("catalogues:"));
    EXPECT_EQ(PresentFiles(), "");
    EXPECT_TRUE(catalogues.constants.empty());
  }
}

}  // namespace
}  // namespace korvex
