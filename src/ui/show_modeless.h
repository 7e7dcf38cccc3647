// Showing a modeless window, or bringing it to the front when it is open.
#pragma once

#include <QApplication>
#include <QWidget>

#include "ui/window_support.h"

namespace korvex {

// A window shown while a modal one is open (the start screen opening the
// tutorials, say) could not be used until that one closed; it therefore
// opens modal itself in that case, and modeless otherwise.
inline void ShowModeless(QWidget& window) {
  if (!window.isVisible()) {
    QWidget* modal = QApplication::activeModalWidget();
    window.setWindowModality(modal != nullptr && modal != &window ? Qt::ApplicationModal
                                                                  : Qt::NonModal);
  }
  BringUp(&window);
}

}  // namespace korvex
