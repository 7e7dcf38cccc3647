// Where windows open: a remembered place from bin/windows.ini, else beside
// the main window, and the saving of every watched window's place.
#pragma once

#include <QObject>
#include <QRect>
#include <QSet>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "settings/window_geometry.h"

class QSplitter;

namespace korvex {

// The place for a window whose frame is `size` next to `anchor` (the main
// window's frame) on `screen` (an available area): right of it, else left,
// else below, else above. Where none has room, the first side with three
// quarters of the size (and at least `minimum`) takes the window shrunk to
// its room; else the side pushed back onto the screen that covers least of
// the anchor without touching `keep_clear` (the part that must stay visible,
// its input box); failing that too, centred on the anchor. Always on the
// screen; a window larger than the screen is cut down to it.
QRect PlaceBeside(const QSize& size, const QRect& anchor, const QRect& keep_clear,
                  const QRect& screen, const QSize& minimum = QSize());

// The available areas of the screens there are now.
std::vector<WindowRect> AvailableScreens();

// Restores the window's saved place (brought onto the screens), or places it
// beside `main` when nothing is saved; `main` may be null or hidden, and the
// window then keeps the place the toolkit gave it.
void RestoreOrPlaceBeside(QWidget* window, const QWidget* main, const WindowGeometryStore& store);
// Puts the window's place into `store` under its object name (not saved yet).
void RememberGeometry(const QWidget* window, WindowGeometryStore& store);

// Watches the windows of the program: a watched window gets its place on
// its first showing and saves it each time it is hidden; the main window
// (watched too) gets its own saved place back and, when it closes, hides the
// other watched windows, which do not close with it as children would.
class WindowPlacement : public QObject {
  Q_OBJECT

 public:
  WindowPlacement(const DataDirectory& data, QWidget* main);

  void Watch(QWidget* window);
  // Removes every watch; nothing is saved after this.
  void StopWatching();

  // The store for the main window's other remembered state: mode, splitter.
  WindowGeometryStore& store() { return store_; }
  // Keys are "<object name of the splitter's window>.<splitter name>".
  void RememberSplitter(const QSplitter* splitter);
  // True when the splitter got sizes back.
  bool RestoreSplitter(QSplitter* splitter) const;
  // Simple or normal mode of the main window: "Form1.mode" = "simple"/"normal".
  void RememberSimpleMode(bool simple);
  std::optional<bool> SavedSimpleMode() const;
  // Writes what was remembered.
  void Save() { store_.Save(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  WindowGeometryStore store_;
  QWidget* main_;
  std::vector<QWidget*> watched_;
  QSet<const QWidget*> placed_;
};

}  // namespace korvex
