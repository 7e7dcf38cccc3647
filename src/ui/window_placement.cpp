// Placing windows beside the main window and remembering where they were.
#include "ui/window_placement.h"

#include <QByteArray>
#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QStringList>
#include <algorithm>
#include <array>
#include <string>

namespace korvex {
namespace {

constexpr int kGap = 8;
constexpr const char* kModeKey = "Form1.mode";
// The toolkit's geometry record of a window, in base 64, under
// "<object name>.geometry".
constexpr const char* kGeometrySuffix = ".geometry";

WindowRect FromQRect(const QRect& rect) {
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

int ClampStart(int start, int length, int screen_start, int screen_length) {
  return std::clamp(start, screen_start, screen_start + std::max(0, screen_length - length));
}

// Right, left, below and above `anchor`, each slid along the other axis
// onto the screen, in the order they are preferred.
std::array<QRect, 4> Sides(const QSize& size, const QRect& anchor, const QRect& screen) {
  const int y = ClampStart(anchor.top(), size.height(), screen.top(), screen.height());
  const int x = ClampStart(anchor.left(), size.width(), screen.left(), screen.width());
  return {QRect(QPoint(anchor.right() + 1 + kGap, y), size),
          QRect(QPoint(anchor.left() - kGap - size.width(), y), size),
          QRect(QPoint(x, anchor.bottom() + 1 + kGap), size),
          QRect(QPoint(x, anchor.top() - kGap - size.height()), size)};
}

QRect OntoScreen(QRect rect, const QRect& screen) {
  rect.moveTo(ClampStart(rect.left(), rect.width(), screen.left(), screen.width()),
              ClampStart(rect.top(), rect.height(), screen.top(), screen.height()));
  return rect;
}

long long Area(const QRect& rect) {
  return rect.isEmpty() ? 0 : static_cast<long long>(rect.width()) * rect.height();
}

QMargins Margins(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect inner = window->geometry();
  return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
          frame.bottom() - inner.bottom()};
}

// The frame margins a window will get: its own once the window manager has
// framed it, else those of the anchor, which the same window manager
// decorates. A window that was created but never shown has none yet.
QMargins FrameMargins(const QWidget* window, const QWidget* anchor) {
  const QMargins own = Margins(window);
  if (!own.isNull() || anchor == nullptr) return own;
  return Margins(anchor);
}

QRect ScreenArea(const QWidget* window) {
  const QScreen* screen = window->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

// The main window's input box, which a window placed over the main window
// must leave visible; the whole main window where it has none.
QRect KeepClear(const QWidget* main) {
  const auto* input = main->findChild<const QWidget*>(QStringLiteral("input"));
  if (input == nullptr || !input->isVisible()) return main->frameGeometry();
  return {input->mapToGlobal(QPoint(0, 0)), input->size()};
}

}  // namespace

QRect PlaceBeside(const QSize& wanted, const QRect& anchor, const QRect& keep_clear,
                  const QRect& screen, const QSize& minimum, const std::vector<QRect>& others) {
  const QSize size = wanted.boundedTo(screen.size());
  const std::array<QRect, 4> sides = Sides(size, anchor, screen);
  // Whole sides first, then sides with three quarters and with half the
  // room wanted, where the window is a little smaller rather than over the
  // main window's buttons; within that order, one that covers none of the
  // other windows wins.
  std::vector<QRect> candidates;
  for (const QRect& side : sides)
    if (screen.contains(side)) candidates.push_back(side);
  for (const int eighths : {6, 4}) {
    for (const QRect& side : sides) {
      const QRect room = side & screen;
      if (room.width() * 8 >= size.width() * eighths &&
          room.height() * 8 >= size.height() * eighths && room.width() >= minimum.width() &&
          room.height() >= minimum.height())
        candidates.push_back(room);
    }
  }
  const auto covers_others = [&others](const QRect& place) {
    return std::any_of(others.begin(), others.end(),
                       [&place](const QRect& other) { return place.intersects(other); });
  };
  const auto clear = std::find_if_not(candidates.begin(), candidates.end(), covers_others);
  if (clear != candidates.end()) return *clear;
  if (!candidates.empty()) return candidates.front();
  // No side has room: the side pushed back onto the screen that covers the
  // least of the anchor, as long as the part to keep stays clear.
  std::optional<QRect> best;
  for (const QRect& side : sides) {
    const QRect pushed = OntoScreen(side, screen);
    if (pushed.intersects(keep_clear)) continue;
    if (!best || Area(pushed & anchor) < Area(*best & anchor)) best = pushed;
  }
  if (best) return *best;
  QRect centred(QPoint(0, 0), size);
  centred.moveCenter(anchor.center());
  return OntoScreen(centred, screen);
}

std::vector<WindowRect> AvailableScreens() {
  std::vector<WindowRect> screens;
  for (const QScreen* screen : QGuiApplication::screens())
    screens.push_back(FromQRect(screen->availableGeometry()));
  return screens;
}

void RestoreOrPlaceBeside(QWidget* window, const QWidget* main, const WindowGeometryStore& store,
                          const std::vector<QRect>& others) {
  const std::string key = window->objectName().toStdString();
  const QMargins margins = FrameMargins(window, main);
  const QSize extra(margins.left() + margins.right(), margins.top() + margins.bottom());
  if (const auto record = store.Value(key + kGeometrySuffix)) {
    // The toolkit's record brings a window that would be off every screen
    // back onto one, frame included.
    if (window->restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*record)))) return;
  }
  if (const auto saved = store.Rect(key)) {
    // A place saved by an earlier version: clamped as the frame, restored
    // as the frame's corner and the inner size.
    WindowRect frame = *saved;
    frame.width += extra.width();
    frame.height += extra.height();
    const WindowRect shown = ClampToScreens(frame, AvailableScreens());
    window->resize(std::max(1, shown.width - extra.width()),
                   std::max(1, shown.height - extra.height()));
    window->move(shown.x, shown.y);
    if (store.Value(key + ".maximized") == "1")
      window->setWindowState(window->windowState() | Qt::WindowMaximized);
    return;
  }
  if (main == nullptr || !main->isVisible() || main == window) return;
  const QSize minimum = window->minimumSizeHint().expandedTo(window->minimumSize()) + extra;
  const QRect place = PlaceBeside(window->size() + extra, main->frameGeometry(), KeepClear(main),
                                  ScreenArea(main), minimum, others);
  window->resize(place.size() - extra);
  window->move(place.topLeft());
}

void RememberGeometry(const QWidget* window, WindowGeometryStore& store) {
  const std::string key = window->objectName().toStdString();
  if (key.empty()) return;
  store.SetValue(key + kGeometrySuffix, window->saveGeometry().toBase64().toStdString());
}

WindowPlacement::WindowPlacement(const DataDirectory& data, QWidget* main)
    : store_(data), main_(main) {
  store_.Load();
  Watch(main);
}

void WindowPlacement::Watch(QWidget* window) {
  window->installEventFilter(this);
  watched_.push_back(window);
}

void WindowPlacement::StopWatching() {
  for (QWidget* window : watched_) window->removeEventFilter(this);
  watched_.clear();
}

bool WindowPlacement::eventFilter(QObject* object, QEvent* event) {
  auto* window = qobject_cast<QWidget*>(object);
  if (window == nullptr || !window->isWindow()) return QObject::eventFilter(object, event);
  switch (event->type()) {
    case QEvent::Show:
      closing_.remove(window);
      // The first showing only: later ones keep where the user left it.
      if (!event->spontaneous() && !placed_.contains(window)) {
        placed_.insert(window);
        RestoreOrPlaceBeside(window, main_, store_, OtherFrames(window));
      }
      break;
    case QEvent::Close:
      // What the window system reports while taking a window away is no
      // place the user chose.
      closing_.insert(window);
      if (window == main_) {
        for (QWidget* other : watched_)
          if (other != main_ && other->isVisible()) other->hide();
      }
      break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowStateChange:
      // Taken while the window is in view: once hidden, some window systems
      // no longer report the frame around it.
      if (window->isVisible() && placed_.contains(window) && !closing_.contains(window))
        RememberGeometry(window, store_);
      break;
    case QEvent::Hide:
      // A minimised window is hidden by the window system; its place stays.
      // The place taken while it was in view is written again, so it wins
      // over what another program saved for it meanwhile.
      if (!event->spontaneous() && placed_.contains(window)) {
        const std::string key = window->objectName().toStdString() + kGeometrySuffix;
        if (const auto record = store_.Value(key)) store_.SetValue(key, *record);
        store_.Save();
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(object, event);
}

std::vector<QRect> WindowPlacement::OtherFrames(const QWidget* window) const {
  std::vector<QRect> frames;
  for (const QWidget* other : watched_)
    if (other != window && other != main_ && other->isVisible())
      frames.push_back(other->frameGeometry());
  return frames;
}

void WindowPlacement::RememberSplitter(const QSplitter* splitter) {
  QStringList sizes;
  for (const int size : splitter->sizes()) sizes << QString::number(size);
  store_.SetValue(
      (splitter->window()->objectName() + QLatin1Char('.') + splitter->objectName()).toStdString(),
      sizes.join(QLatin1Char(',')).toStdString());
}

bool WindowPlacement::RestoreSplitter(QSplitter* splitter) const {
  const auto text = store_.Value(
      (splitter->window()->objectName() + QLatin1Char('.') + splitter->objectName()).toStdString());
  if (!text) return false;
  QList<int> sizes;
  for (const QString& part : QString::fromStdString(*text).split(QLatin1Char(','))) {
    bool ok = false;
    const int size = part.toInt(&ok);
    if (!ok || size < 0) return false;
    sizes << size;
  }
  if (sizes.size() != splitter->count()) return false;
  splitter->setSizes(sizes);
  return true;
}

void WindowPlacement::RememberSimpleMode(bool simple) {
  store_.SetValue(kModeKey, simple ? "simple" : "normal");
}

std::optional<bool> WindowPlacement::SavedSimpleMode() const {
  const auto mode = store_.Value(kModeKey);
  if (mode == "simple") return true;
  if (mode == "normal") return false;
  return std::nullopt;
}

}  // namespace korvex
