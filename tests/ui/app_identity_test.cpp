// The program's identity on the desktop: the embedded window icon in every size.
#include "ui/app_identity.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QIcon>
#include <QImage>

#include "ui/ui_test_support.h"

namespace korvex {
namespace {

TEST(ApplicationIdentity, WindowIconHasAnOpaqueImageForEveryRenderedSize) {
  testing::TestApp();
  SetApplicationIdentity();
  const QIcon icon = QApplication::windowIcon();
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    const QImage image = icon.pixmap(QSize(size, size)).toImage();
    ASSERT_EQ(image.size(), QSize(size, size));
    // The middle of the icon is the calculator body, never background.
    EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  }
}

}  // namespace
}  // namespace korvex
