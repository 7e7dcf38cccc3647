// The link label: hover style, cursor and what counts as a click.
#include "ui/link_label.h"

#include <gtest/gtest.h>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "ui/ui_test_support.h"

namespace korvex {
namespace {

bool HasNoStyle(const QFont& font) {
  return !font.bold() && !font.italic() && !font.underline() && !font.strikeOut() &&
         !font.overline();
}

TEST(LinkLabel, HoverSetsExactlyUnderlineAndLeavingClearsEveryStyle) {
  testing::TestApp();
  LinkLabel label(QStringLiteral("Visit homepage"));
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
  QFont styled = label.font();
  styled.setBold(true);
  styled.setItalic(true);
  label.setFont(styled);
  label.show();

  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), label.mapToGlobal(QPointF(2, 2)));
  QCoreApplication::sendEvent(&label, &enter);
  EXPECT_TRUE(label.font().underline());
  EXPECT_FALSE(label.font().bold());
  EXPECT_FALSE(label.font().italic());
  EXPECT_FALSE(label.font().strikeOut());

  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&label, &leave);
  EXPECT_TRUE(HasNoStyle(label.font()));
}

TEST(LinkLabel, ClickCountsOnlyForLeftButtonReleasedOverTheLabel) {
  testing::TestApp();
  struct Case {
    const char* what;
    std::function<void(LinkLabel&)> act;
    int clicks;
  };
  const Case cases[] = {
      {"left click", [](LinkLabel& l) { QTest::mouseClick(&l, Qt::LeftButton); }, 1},
      {"right click", [](LinkLabel& l) { QTest::mouseClick(&l, Qt::RightButton); }, 0},
      {"released outside",
       [](LinkLabel& l) {
         QTest::mousePress(&l, Qt::LeftButton, {}, QPoint(2, 2));
         QTest::mouseRelease(&l, Qt::LeftButton, {}, QPoint(l.width() + 20, 2));
       },
       0},
      {"space key", [](LinkLabel& l) { QTest::keyClick(&l, Qt::Key_Space); }, 1},
      {"other key", [](LinkLabel& l) { QTest::keyClick(&l, Qt::Key_A); }, 0},
  };
  for (const Case& c : cases) {
    LinkLabel label(QStringLiteral("Get XviD"));
    label.show();
    QSignalSpy clicked(&label, &LinkLabel::clicked);
    c.act(label);
    EXPECT_EQ(clicked.count(), c.clicks) << c.what;
  }
}

}  // namespace
}  // namespace korvex
