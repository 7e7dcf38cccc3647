// Small helpers every window shares: showing a window modally without a
// nested event loop, bringing a modeless one up, and the text of the general
// failure display.
#pragma once

#include <functional>
#include <string>

#include <QString>

class QDialog;
class QWidget;

namespace korvex {

class MessageSeam;

// Shows `dialog` application-modal and returns at once; the dialog's own
// buttons end it. Nothing waits in a nested loop, so a test can drive it.
void ShowModal(QDialog* dialog);

// Shows a modeless window, or brings it to the front when it is open.
void BringUp(QWidget* window);

// The failure's own text, with a full stop when its last character sorts
// after the full stop ("Floating point overflow" -> "Floating point overflow.").
QString FailureDisplayText(const std::string& text);

// Runs one handler's work. A failure that escapes it (an arithmetic failure
// inside a function, a refused mask) abandons the rest of the work and is
// shown in the general failure display; the program goes on.
void RunHandler(MessageSeam& messages, const std::function<void()>& work);

}  // namespace korvex
