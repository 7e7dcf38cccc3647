// The tool pictures read on the desktop's palette, light or dark.
#include "ui/tool_icons.h"

#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <cstdlib>

#include <gtest/gtest.h>

#include "ui/ui_test_support.h"

namespace korvex {
namespace {

// The lightness of the picture's most opaque pixel, against the palette's
// button colour behind it.
int InkLightness(ToolPicture picture) {
  const QImage image = ToolIcon(picture).pixmap(48, 48).toImage();
  int best_alpha = -1;
  int lightness = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor colour = image.pixelColor(x, y);
      if (colour.alpha() > best_alpha) {
        best_alpha = colour.alpha();
        lightness = colour.lightness();
      }
    }
  }
  return lightness;
}

TEST(ToolIcons, ThePicturesStandOutFromALightAndADarkPalette) {
  testing::TestApp();
  const QPalette original = QGuiApplication::palette();
  for (const QColor& button : {QColor(0xef, 0xef, 0xef), QColor(0x35, 0x35, 0x35)}) {
    QPalette palette = original;
    palette.setColor(QPalette::Button, button);
    palette.setColor(QPalette::Window, button);
    QGuiApplication::setPalette(palette);
    for (const ToolPicture picture :
         {ToolPicture::kUp, ToolPicture::kDown, ToolPicture::kEdit, ToolPicture::kCheck,
          ToolPicture::kDelete, ToolPicture::kInsertLog, ToolPicture::kSimpleMode,
          ToolPicture::kSolve, ToolPicture::kStandardMode}) {
      EXPECT_GE(std::abs(InkLightness(picture) - button.lightness()), 90)
          << static_cast<int>(picture) << " on lightness " << button.lightness();
    }
  }
  QGuiApplication::setPalette(original);
}

}  // namespace
}  // namespace korvex
