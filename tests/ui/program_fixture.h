// A fixture that starts the whole program on a temporary program directory
// holding copies of the real catalogues, with recording message boxes, and
// helpers that act on its windows the way a user does.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include "settings/line_file.h"
#include "ui/catalogue_browser.h"
#include "ui/edit_window.h"
#include "ui/error_log_window.h"
#include "ui/general_options_dialog.h"
#include "ui/main_window.h"
#include "ui/mask_options_dialog.h"
#include "ui/program_windows.h"
#include "ui/simple_window.h"
#include "ui/solution_window.h"
#include "ui/user_variables_window.h"
#include "ui/variable_wizard.h"
#include "ui_test_support.h"

// Readable failure output for Qt's strings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
  *out << '{' << list.join(QStringLiteral("|")).toStdString() << '}';
}
QT_END_NAMESPACE

namespace korvex::testing {

// The folder whose bin/ holds the real catalogues: the build directory,
// which CTest passes in; a test run by hand from there finds it as well.
inline std::filesystem::path RealDataDirectory() {
  const char* from_environment = std::getenv("KORVEX_DATA_DIR");
  return from_environment ? std::filesystem::path(from_environment)
                          : std::filesystem::current_path();
}

// Copies the catalogues that exist in the real data directory into
// `program_directory`/bin; `which` picks them ("functions", "constants").
inline void CopyCatalogues(const std::filesystem::path& program_directory, bool functions = true,
                           bool constants = true) {
  namespace fs = std::filesystem;
  const fs::path from = RealDataDirectory() / "bin";
  const fs::path to = program_directory / "bin";
  for (const auto& [wanted, file] : {std::pair{functions, "functions/functions.ini"},
                                     std::pair{constants, "constants/constants.ini"}}) {
    if (!wanted) continue;
    fs::create_directories((to / file).parent_path());
    fs::copy_file(from / file, to / file, fs::copy_options::overwrite_existing);
  }
  fs::create_directories(to);
}

// The window system activates a shown window a moment later; wait until
// the application agrees, so keys and shortcuts go where a user's would.
inline bool WaitActive(QWidget* window) {
  window->activateWindow();
  return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

template <typename T>
T* Child(QObject* root, const char* name) {
  return root->findChild<T*>(QString::fromLatin1(name));
}

class ProgramFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    ASSERT_TRUE(directory_.isValid());
    CopyCatalogues(Directory());
    windows_ = std::make_unique<ProgramWindows>(Directory(), messages_, shell_);
    // The real splash would hold every test for its two seconds.
    Main().start_up_hooks().show_splash = nullptr;
    Main().show();
    ASSERT_TRUE(WaitActive(&Main()));
    // The start-up sequence has run once the status bar shows the settings.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Panel(1).isEmpty(); }));
  }

  void TearDown() override { windows_.reset(); }

  std::filesystem::path Directory() const { return directory_.path().toStdString(); }
  std::filesystem::path BinFile(const std::string& name) const {
    return Directory() / "bin" / name;
  }
  Lines FileLines(const std::string& name) const {
    return ReadLines(BinFile(name)).value_or(Lines{"<missing>"});
  }

  MainWindow& Main() { return windows_->main(); }
  template <typename T>
  T* Find(const char* name) {
    return Child<T>(&Main(), name);
  }
  QLineEdit* Input() { return Find<QComboBox>("input")->lineEdit(); }
  QListWidget* List() { return Find<QListWidget>("evaluate"); }
  QString Answer() { return Find<QLineEdit>("answer")->text(); }
  QString Panel(int index) {
    const QLabel* panel = Find<QLabel>(QStringLiteral("panel%1").arg(index).toLatin1().constData());
    return panel ? panel->text() : QString();
  }
  QStringList Items() {
    QStringList items;
    for (int row = 0; row < List()->count(); ++row) items << List()->item(row)->text();
    return items;
  }
  QString ErrorLog() { return Child<QPlainTextEdit>(windows_->error_log, "log")->toPlainText(); }
  // The Solution window's lines, one per line as its page shows them.
  QString SolutionText() {
    const QListView* page = Child<QListView>(windows_->solution, "solution");
    if (page == nullptr) return QStringLiteral("<no page>");
    QStringList lines;
    for (int row = 0; row < page->model()->rowCount(); ++row)
      lines << page->model()->index(row, 0).data().toString();
    return lines.join(QLatin1Char('\n'));
  }

  // Requests end asynchronously: a request that an action started has been
  // handed back and shown once this returns.
  bool WaitIdle() {
    return QTest::qWaitFor([this] { return !windows_->main().runner().busy(); }, 30000);
  }
  // A click or menu entry as a user makes it, then (when it started a
  // request) until its outcome is shown.
  void Click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton);
    ASSERT_TRUE(WaitIdle());
  }
  void Click(const char* name) { Click(Find<QWidget>(name)); }
  // Menu entries without a shortcut are chosen from the menu.
  void Choose(const char* action_name) {
    QAction* action = Find<QAction>(action_name);
    ASSERT_NE(action, nullptr) << action_name;
    ASSERT_TRUE(action->isEnabled()) << action_name;
    action->trigger();
    ASSERT_TRUE(WaitIdle());
  }
  void Type(const QString& text) {
    Input()->setFocus();
    QTest::keyClicks(Input(), text);
  }
  void InsertExpression(const QString& text) {
    Type(text);
    Click("insert");
  }
  void InsertAndSolve(const QString& text) {
    InsertExpression(text);
    Click("solve");
  }

  QTemporaryDir directory_;
  RecordingMessages messages_;
  RecordingShell shell_;
  std::unique_ptr<ProgramWindows> windows_;
};

}  // namespace korvex::testing
