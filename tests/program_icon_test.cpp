#include <gtest/gtest.h>

#include "window/form1.h"

namespace sho {
namespace {

TEST(ProgramIcon, IsTheWindowsIconAndTheInstalledDrawingAtEverySizeDesktopsAskFor) {
  Form1 form;
  const QIcon icon = form.windowIcon();
  ASSERT_FALSE(icon.isNull());

  // At each size desktops ask for, the drawing fills the whole size: a transparent corner, the
  // orange mass in its place.
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
    ASSERT_EQ(image.size(), QSize(size, size));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(QColor(image.pixel(28 * size / 128, 72 * size / 128)), QColor(0xff, 0x9a, 0x3c));
  }

  // Points of the drawing, on its own 128 x 128 grid: outside the rounded card, inside the mass,
  // the start of the blue curve, one of the red steps.
  const QImage image = icon.pixmap(QSize(128, 128), 1.0).toImage();
  EXPECT_EQ(qAlpha(image.pixel(1, 1)), 0);
  EXPECT_EQ(QColor(image.pixel(28, 72)), QColor(0xff, 0x9a, 0x3c));
  EXPECT_EQ(QColor(image.pixel(50, 50)), QColor(0x1e, 0x4f, 0xe6));
  EXPECT_EQ(QColor(image.pixel(96, 43)), QColor(0xe3, 0x26, 0x1e));
}

}  // namespace
}  // namespace sho
