// What the desktop knows the program by: name, version, desktop entry and
// window icon.
#pragma once

namespace korvex {

// Also the name of the desktop entry and the AppStream id in data/desktop. On
// Wayland it becomes the windows' app id, which is how a task bar finds the
// entry (and so the icon and name) that belongs to a window.
inline constexpr char kDesktopFileName[] = "io.github.korvex.Korvex";

// Call once, after the QApplication exists and before the first window opens,
// so that every window picks up the icon.
void SetApplicationIdentity();

}  // namespace korvex
