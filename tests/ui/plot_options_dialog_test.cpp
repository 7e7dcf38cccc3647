// The Plot options dialog: "OK" saves plot.ini, every close reloads it,
// "Default", the enabling rules and the colour panels.
#include "ui/plot_options_dialog.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "core/calculator.h"
#include "engine/test_support.h"
#include "settings/line_file.h"
#include "ui/chart_view.h"
#include "ui/ui_test_support.h"
#include "ui/window_support.h"

inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace korvex {
namespace {

class ScriptedColours : public ColourSeam {
 public:
  std::optional<QColor> ChooseColour(QWidget*, const QColor& initial) override {
    initials.push_back(initial);
    return answer;
  }
  std::optional<QColor> answer;
  std::vector<QColor> initials;
};

class PlotOptionsTest : public ::testing::Test {
 protected:
  PlotOptionsTest()
      : app((testing::TestApp(), 0)),
        calculator(ProgramDirectory(), messages),
        dialog(calculator, nullptr, &colours) {
    calculator.set_error_sink(&sink);
    QObject::connect(&dialog, &PlotOptionsDialog::settingsLoaded, [this] {
      statuses << QString::fromStdString(PlotStatusText(calculator.plot_settings()));
    });
  }

  std::string ProgramDirectory() {
    QDir(directory.path()).mkpath(QStringLiteral("bin"));
    return directory.path().toStdString();
  }
  std::filesystem::path File() const { return calculator.data().File(kPlotSettingsFile); }
  Lines FileLines() const { return ReadLines(File()).value_or(Lines{"<unreadable>"}); }

  template <typename T>
  T* Find(const char* name) {
    T* found = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  void Open() {
    ShowModal(&dialog);
    ASSERT_TRUE(dialog.isVisible());
  }
  void Click(const char* name) { QTest::mouseClick(Find<QWidget>(name), Qt::LeftButton); }
  void Retype(const char* name, const QString& text) {
    QLineEdit* edit = Find<QLineEdit>(name);
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  QString Text(const char* name) { return Find<QLineEdit>(name)->text(); }

  int app;
  QTemporaryDir directory;
  testing::RecordingSink sink;
  testing::RecordingMessages messages;
  Calculator calculator;
  ScriptedColours colours;
  QStringList statuses;
  PlotOptionsDialog dialog;
};

TEST_F(PlotOptionsTest, FirstLoadWritesTheDefaultFile) {
  dialog.LoadPlotSettings();
  EXPECT_EQ(FileLines(), PlotSettingsToLines(PlotSettings()));
  EXPECT_EQ(statuses, QStringList{QStringLiteral("x E[-10;10] inc: 0,1")});
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PlotOptionsTest, OkSavesTheEditsAndTheCloseReloadsThem) {
  dialog.LoadPlotSettings();
  Open();
  Retype("start", QStringLiteral("-5"));
  Click("multiple");
  Click("stairscheck");
  Click("xautocheck");
  Retype("xmax", QStringLiteral("20"));
  Click("ok");

  EXPECT_FALSE(dialog.isVisible());
  const Lines lines = FileLines();
  ASSERT_EQ(lines.size(), 29u);
  EXPECT_EQ(lines[1], "-5");
  EXPECT_EQ(lines[4], "2");
  EXPECT_EQ(lines[7], "0");
  EXPECT_EQ(lines[11], "20");
  EXPECT_EQ(lines[19], "1");
  const PlotSettings& live = calculator.plot_settings();
  EXPECT_EQ(live.start, "-5");
  EXPECT_EQ(live.mode, PlotMode::kMultiple);
  EXPECT_TRUE(live.stairs);
  EXPECT_EQ(statuses.back(), QStringLiteral("x E[-5;10] inc: 0,1"));
}

// "Cancel", Escape and the close box all discard the edits: the file, the
// live settings and the controls keep the file's values.
TEST_F(PlotOptionsTest, EveryOtherCloseDiscardsTheEdits) {
  const std::map<std::string, std::function<void(PlotOptionsDialog&)>> closes = {
      {"Cancel",
       [](PlotOptionsDialog& d) {
         QTest::mouseClick(d.findChild<QWidget*>(QStringLiteral("cancel")), Qt::LeftButton);
       }},
      {"Escape", [](PlotOptionsDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
      {"close box", [](PlotOptionsDialog& d) { d.close(); }},
  };
  dialog.LoadPlotSettings();
  const Lines saved = FileLines();
  for (const auto& [how, close] : closes) {
    SCOPED_TRACE(how);
    statuses.clear();
    Open();
    Retype("start", QStringLiteral("-3"));
    Click("derivative");
    close(dialog);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(FileLines(), saved);
    EXPECT_EQ(calculator.plot_settings(), PlotSettings());
    EXPECT_EQ(Text("start"), QStringLiteral("-10"));
    EXPECT_FALSE(Find<QCheckBox>("derivative")->isChecked());
    EXPECT_EQ(statuses, QStringList{QStringLiteral("x E[-10;10] inc: 0,1")});
  }
}

TEST_F(PlotOptionsTest, DefaultSetsTheControlsOnlyUntilOk) {
  PlotSettings odd;
  odd.start = "1";
  odd.mode = PlotMode::kMultipleAll;
  odd.y_axis.logarithmic = true;
  odd.back_colour = 255;
  odd.view_3d = true;
  odd.percent_3d = 40;
  ASSERT_TRUE(WriteLines(File(), PlotSettingsToLines(odd)));
  dialog.LoadPlotSettings();
  ASSERT_EQ(calculator.plot_settings(), odd);

  Open();
  EXPECT_TRUE(Find<QRadioButton>("multipleall")->isChecked());
  Click("default");
  EXPECT_EQ(dialog.ControlSettings(), PlotSettings());
  EXPECT_TRUE(Find<QRadioButton>("single")->isChecked());
  EXPECT_EQ(Find<QSpinBox>("percentud")->value(), 15);
  Click("cancel");
  EXPECT_EQ(FileLines(), PlotSettingsToLines(odd));
  EXPECT_EQ(dialog.ControlSettings(), odd);

  Open();
  Click("default");
  Click("ok");
  EXPECT_EQ(FileLines(), PlotSettingsToLines(PlotSettings()));
  EXPECT_EQ(calculator.plot_settings(), PlotSettings());
}

// With the defaults every dependent field is disabled; its check box turns
// it on ("Automatic" by being cleared).
TEST_F(PlotOptionsTest, EnablingRulesFollowTheirCheckBoxes) {
  const std::map<std::string, std::vector<const char*>> rules = {
      {"derivative", {"epsilon"}},      {"xautocheck", {"xmax", "xmin"}},
      {"yautocheck", {"ymax", "ymin"}}, {"xlogcheck", {"xlog"}},
      {"ylogcheck", {"ylog"}},          {"dimensioncheck", {"percentud", "percent"}},
  };
  Open();
  for (const auto& [check, dependents] : rules) {
    SCOPED_TRACE(check);
    for (const char* name : dependents) EXPECT_FALSE(Find<QWidget>(name)->isEnabled()) << name;
    Click(check.c_str());
    for (const char* name : dependents) EXPECT_TRUE(Find<QWidget>(name)->isEnabled()) << name;
  }
  // "Default" runs the rules as well.
  Click("default");
  for (const auto& [check, dependents] : rules)
    for (const char* name : dependents) EXPECT_FALSE(Find<QWidget>(name)->isEnabled()) << name;
}

TEST_F(PlotOptionsTest, LoadingRunsTheEnablingRules) {
  PlotSettings loaded;
  loaded.derivative = true;
  loaded.x_axis.automatic = false;
  loaded.view_3d = true;
  ASSERT_TRUE(WriteLines(File(), PlotSettingsToLines(loaded)));
  dialog.LoadPlotSettings();
  Open();
  EXPECT_TRUE(Find<QWidget>("epsilon")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("xmax")->isEnabled());
  EXPECT_FALSE(Find<QWidget>("ymax")->isEnabled());
  EXPECT_TRUE(Find<QWidget>("percentud")->isEnabled());
  EXPECT_TRUE(Find<QLineEdit>("percent")->isReadOnly());
}

TEST_F(PlotOptionsTest, ColourPanelsTakeTheChosenColour) {
  dialog.LoadPlotSettings();
  Open();
  colours.answer = QColor(Qt::red);
  Click("graphc");
  colours.answer = std::nullopt;  // the user cancels the picker
  Click("backc");
  ASSERT_EQ(colours.initials.size(), 2u);
  EXPECT_EQ(colours.initials[0], ToQColor(46180));
  EXPECT_EQ(colours.initials[1], QColor(Qt::white));
  Click("ok");
  const Lines lines = FileLines();
  ASSERT_EQ(lines.size(), 29u);
  EXPECT_EQ(lines[23], "255");
  EXPECT_EQ(lines[25], "16777215");
  EXPECT_EQ(calculator.plot_settings().graph_colour, 255);
}

// When plot.ini is there but cannot be read, "OK" does not write over it and
// says why, once; what "OK" confirmed stays in force.
TEST_F(PlotOptionsTest, UnreadableFileKeepsTheConfirmedSettings) {
  std::filesystem::create_directories(File());  // a folder where the file belongs
  Open();
  Retype("stop", QStringLiteral("5"));
  Click("ok");
  EXPECT_EQ(calculator.plot_settings().stop, "5");
  EXPECT_EQ(messages.shown,
            QStringList({QStringLiteral("Could not save to file 'bin/plot.ini'"),
                         QStringLiteral("The file exists but cannot be read, so it is left "
                                        "untouched")}));
  EXPECT_EQ(statuses.back(), QStringLiteral("x E[-10;5] inc: 0,1"));
  EXPECT_TRUE(std::filesystem::is_directory(File()));
}

// On a folder that cannot be written (here `bin` is a plain file, which stops
// root too), "OK" says so once: the reload as the dialog closes adds nothing.
TEST_F(PlotOptionsTest, UnwritableFolderKeepsTheConfirmedSettingsAndSaysSoOnce) {
  const std::filesystem::path bin = File().parent_path();
  std::filesystem::remove_all(bin);
  { std::ofstream plain(bin); }
  Open();
  Retype("stop", QStringLiteral("5"));
  Click("ok");
  EXPECT_EQ(calculator.plot_settings().stop, "5");
  EXPECT_EQ(messages.shown, QStringList({QStringLiteral("Could not save to file 'bin/plot.ini'"),
                                         QString::fromLatin1(kReadOnlyDeviceMessage)}));
  EXPECT_EQ(statuses.back(), QStringLiteral("x E[-10;5] inc: 0,1"));

  // Opened and closed again without "OK": nothing more to say.
  Open();
  Click("cancel");
  EXPECT_EQ(messages.shown.size(), 2);
}

}  // namespace
}  // namespace korvex
