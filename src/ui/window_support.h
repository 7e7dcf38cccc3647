// Small helpers every window shares: showing a window modally without a
// nested event loop, bringing a modeless one up, and the text of the general
// failure display.
#pragma once

#include <functional>
#include <string>

#include <QString>

class QDialog;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace korvex {

class MessageSeam;

// Shows `dialog` application-modal and returns at once; the dialog's own
// buttons end it. Nothing waits in a nested loop, so a test can drive it.
void ShowModal(QDialog* dialog);

// Whether a window brought up takes the keyboard: a window the user asked
// for does; one the program opens by itself (a plot's Graph and Plot info)
// leaves it in the window the user is typing in.
enum class Activation { kTakeFocus, kKeepFocus };

// Shows a modeless window, or brings it to the front when it is open.
void BringUp(QWidget* window, Activation activation = Activation::kTakeFocus);

// A push button with its object name, caption and hint. It does not become
// the default button by taking the focus; windows choose their default.
QPushButton* MakeButton(const char* name, const char* caption, const char* hint, QWidget* parent);

// The row every settings dialog ends with: "Default" on the left, "OK" (the
// default button) and "Cancel" on the right, each with its hint. The caller
// connects the clicks.
struct SettingsButtons {
  QPushButton* ok;
  QPushButton* cancel;
  QPushButton* defaults;
};
SettingsButtons AddSettingsButtonRow(QVBoxLayout* layout, QWidget* dialog,
                                     const char* defaults_name = "defaultbutton");

// Ends `layout` with the right-aligned "Close" button ("Close current form",
// the default button) that every information window has; the caller
// connects its click.
QPushButton* AddCloseButtonRow(QVBoxLayout* layout, QWidget* window);

// The failure's own text, with a full stop when its last character sorts
// after the full stop ("Floating point overflow" -> "Floating point overflow.").
QString FailureDisplayText(const std::string& text);

// Runs one handler's work. A failure that escapes it (an arithmetic failure
// inside a function, a refused mask) abandons the rest of the work and is
// shown in the general failure display; the program goes on.
void RunHandler(MessageSeam& messages, const std::function<void()>& work);

}  // namespace korvex
