#include <gtest/gtest.h>

#include "window/form1.h"

namespace sho {
namespace {

TEST(ProgramIcon, IsTheWindowsIconAndTheInstalledDrawing) {
  Form1 form;
  const QIcon icon = form.windowIcon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_TRUE(icon.availableSizes().contains(QSize(48, 48)));

  // Points of the drawing, on its own 128 x 128 grid: outside the rounded card, inside the mass,
  // the start of the blue curve, one of the red steps.
  const QImage image = icon.pixmap(QSize(128, 128), 1.0).toImage();
  ASSERT_EQ(image.size(), QSize(128, 128));
  EXPECT_EQ(qAlpha(image.pixel(1, 1)), 0);
  EXPECT_EQ(QColor(image.pixel(28, 72)), QColor(0xff, 0x9a, 0x3c));
  EXPECT_EQ(QColor(image.pixel(50, 50)), QColor(0x1e, 0x4f, 0xe6));
  EXPECT_EQ(QColor(image.pixel(96, 43)), QColor(0xe3, 0x26, 0x1e));
}

}  // namespace
}  // namespace sho
