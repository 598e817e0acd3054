#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "outputs/plot.h"
#include "runtime/units.h"

namespace sho {

// The points of one colour set since the last Clear() within the drawing's width, whether above,
// on or below it: how many, the first and last of them in the order they were set, in twips, and
// whether the last lies on the drawing.
struct PlotTrace {
  int count = 0;
  float first_x = 0, last_x = 0, last_y = 0;
  bool last_inside = false;
};

// A span of device pixels, by the first and last column and row it covers; empty when none.
struct PixelSpan {
  static constexpr int kNone = 1 << 30;
  int left = kNone, top = kNone, right = -kNone, bottom = -kNone;

  bool IsEmpty() const { return right < left; }
  void Add(int column, int row) {
    left = column < left ? column : left;
    right = column > right ? column : right;
    top = row < top ? row : top;
    bottom = row > bottom ? row : bottom;
  }
  void Add(const PixelSpan& other) {
    if (other.IsEmpty()) return;
    Add(other.left, other.top);
    Add(other.right, other.bottom);
  }
};

// The plot's drawing as device pixels, for any screen to show: row by row, one value a device
// pixel, the colour 0x00BBGGRR with 0xFF in the top byte, so that in memory (little-endian) each
// pixel is the bytes R, G, B, 255. A point colours the one device pixel that contains it.
class PlotDrawing final : public PlotSurface {
 public:
  // A blank drawing of width x height pixels (352 x 345 for the plot) on a screen of this device
  // pixel ratio.
  PlotDrawing(int width, int height, double device_pixel_ratio, Colour background);

  // A new size or ratio starts a blank drawing; the same ones change nothing.
  void Resize(int width, int height, double device_pixel_ratio);
  // The colour Clear() leaves everywhere.
  void SetBackground(Colour background) { background_ = PixelValue(background); }

  void Clear() override;
  float HeightInPoints() const override;
  void SetPoint(float x, float y, Colour colour) override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  double DevicePixelRatio() const { return device_pixel_ratio_; }
  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
  static constexpr std::uint32_t PixelValue(Colour colour) { return colour | 0xFF000000u; }

  // The device pixels that may differ from what they were when last asked: the points cleared
  // since then and the points set since the last Clear(). Asking forgets them.
  PixelSpan TakeChanged();

  const PlotTrace& Shown(Colour colour) const { return colour == kEulerColour ? euler_ : exact_; }

 private:
  int width_, height_;
  double device_pixel_ratio_;
  std::uint32_t background_;
  int columns_ = 0, rows_ = 0;
  double device_pixels_per_twip_ = 0;
  std::vector<std::uint32_t> pixels_;
  PixelSpan drawn_;    // the points in the drawing now
  PixelSpan changed_;  // what else differs since last asked
  PlotTrace euler_, exact_;
};

// The one store a point costs, inline so that a run's points do not each pay a call.
inline void PlotDrawing::SetPoint(float x, float y, Colour colour) {
  const int column = ContainingDevicePixel(x, device_pixels_per_twip_, columns_);
  if (column < 0) return;
  const int row = ContainingDevicePixel(y, device_pixels_per_twip_, rows_);
  PlotTrace& trace = colour == kEulerColour ? euler_ : exact_;
  if (trace.count++ == 0) trace.first_x = x;
  trace.last_x = x;
  trace.last_y = y;
  trace.last_inside = row >= 0;
  if (row < 0) return;
  pixels_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
          static_cast<std::size_t>(column)] = PixelValue(colour);
  drawn_.Add(column, row);
}

}  // namespace sho
