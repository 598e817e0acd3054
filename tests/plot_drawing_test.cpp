#include "outputs/plot_drawing.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace sho {
namespace {

constexpr Colour kWhite = 0x00FFFFFF;

// The four bytes of one device pixel, as a browser's canvas or Qt's RGBA image reads them.
std::array<unsigned char, 4> Bytes(const PlotDrawing& drawing, int column, int row) {
  std::array<unsigned char, 4> bytes{};
  std::memcpy(bytes.data(), &drawing.Pixels().at(row * drawing.Columns() + column), 4);
  return bytes;
}

TEST(PlotDrawing, APointColoursTheDevicePixelThatContainsItAsRgbaBytes) {
  PlotDrawing drawing(352, 345, 1.25, kWhite);
  EXPECT_EQ(drawing.HeightInPoints(), 258.75f);
  EXPECT_EQ(drawing.Columns(), 440);
  EXPECT_EQ(drawing.Rows(), 431);
  EXPECT_EQ(Bytes(drawing, 0, 0), (std::array<unsigned char, 4>{255, 255, 255, 255}));

  drawing.SetPoint(1, 2637.5f, kEulerColour);        // row 219.79
  drawing.SetPoint(11.9f, 0, kExactColour);          // column 0.99
  drawing.SetPoint(12, 0, kEulerColour);             // column 1
  drawing.SetPoint(5279.9f, 5171.9f, kExactColour);  // (439.99, 430.99)
  EXPECT_EQ(Bytes(drawing, 0, 219), (std::array<unsigned char, 4>{255, 0, 0, 255}));
  EXPECT_EQ(Bytes(drawing, 0, 0), (std::array<unsigned char, 4>{0, 0, 255, 255}));
  EXPECT_EQ(drawing.Pixels().at(1), 0xFF0000FFu);
  EXPECT_EQ(drawing.Pixels().back(), 0xFFFF0000u);

  // Outside the drawing nothing is coloured; points above or below it still count as shown.
  const std::vector<std::uint32_t> before = drawing.Pixels();
  drawing.SetPoint(-0.5f, 10, kEulerColour);
  drawing.SetPoint(5280, 10, kEulerColour);
  drawing.SetPoint(10, -0.01f, kExactColour);
  drawing.SetPoint(10, 5174.9f, kExactColour);  // row 431.24 of 431
  drawing.SetPoint(20, 3e38f, kExactColour);
  EXPECT_EQ(drawing.Pixels(), before);
  const PlotTrace& red = drawing.Shown(kEulerColour);
  const PlotTrace& blue = drawing.Shown(kExactColour);
  EXPECT_EQ(red.count, 2);  // beside the drawing is not shown
  EXPECT_EQ(red.first_x, 1);
  EXPECT_EQ(red.last_x, 12);
  EXPECT_TRUE(red.last_inside);
  EXPECT_EQ(blue.count, 5);
  EXPECT_EQ(blue.last_y, 3e38f);
  EXPECT_FALSE(blue.last_inside);
}

// Left, top, right and bottom.
std::array<int, 4> Corners(const PixelSpan& span) {
  return {span.left, span.top, span.right, span.bottom};
}

TEST(PlotDrawing, TellsWhichPixelsChangedSinceLastAsked) {
  PlotDrawing drawing(352, 345, 1, kWhite);
  PixelSpan changed = drawing.TakeChanged();  // the new drawing, all of it
  EXPECT_EQ(changed.left, 0);
  EXPECT_EQ(changed.bottom, 344);
  EXPECT_TRUE(drawing.TakeChanged().IsEmpty());

  drawing.SetPoint(150, 600, kEulerColour);  // pixel (10, 40)
  drawing.SetPoint(450, 300, kExactColour);  // pixel (30, 20)
  changed = drawing.TakeChanged();
  EXPECT_EQ(Corners(changed), (std::array{10, 20, 30, 40}));

  // A new run clears those points and draws elsewhere: both places.
  drawing.Clear();
  EXPECT_EQ(drawing.Shown(kEulerColour).count, 0);
  drawing.SetPoint(3000, 4500, kEulerColour);  // pixel (200, 300)
  changed = drawing.TakeChanged();
  EXPECT_EQ(Corners(changed), (std::array{10, 20, 200, 300}));
  EXPECT_EQ(drawing.Pixels().at(40 * 352 + 10), 0xFFFFFFFFu);

  drawing.Resize(352, 345, 1);  // the same size: the drawing stays
  EXPECT_EQ(drawing.Pixels().at(300 * 352 + 200), 0xFF0000FFu);
  drawing.Resize(352, 345, 2);  // a new ratio: blank
  EXPECT_EQ(drawing.Columns(), 704);
  EXPECT_EQ(drawing.Pixels().at(600 * 704 + 400), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace sho
