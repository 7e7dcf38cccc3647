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
// else below, else above. Where none has room, a side with most of the size
// (three quarters, else half, and at least `minimum`) takes the window shrunk
// to its room; of the sides that qualify, one that covers none of `others`
// (the program's other windows in view) is taken first. Failing all that,
// the side pushed back onto the screen that covers least of the anchor
// without touching `keep_clear` (the part that must stay visible, its input
// box); failing that too, centred on the anchor. Always on the screen; a
// window larger than the screen is cut down to it.
QRect PlaceBeside(const QSize& size, const QRect& anchor, const QRect& keep_clear,
                  const QRect& screen, const QSize& minimum = QSize(),
                  const std::vector<QRect>& others = {});

// The available areas of the screens there are now.
std::vector<WindowRect> AvailableScreens();

// Restores the window's saved place (the toolkit's own geometry record,
// which knows frames, screens and scale factors, kept onto the screens), or
// places it beside `main` clear of `others` when nothing is saved; `main`
// may be null or hidden, and the window then keeps the place the toolkit
// gave it.
void RestoreOrPlaceBeside(QWidget* window, const QWidget* main, const WindowGeometryStore& store,
                          const std::vector<QRect>& others = {});
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
  // The frames of the watched windows in view other than `window` and the
  // main window, which a newly placed window keeps clear of.
  std::vector<QRect> OtherFrames(const QWidget* window) const;

  WindowGeometryStore store_;
  QWidget* main_;
  std::vector<QWidget*> watched_;
  QSet<const QWidget*> placed_;
  QSet<const QWidget*> closing_;
};

}  // namespace korvex
