#include "outputs/plot_drawing.h"

#include <algorithm>

namespace sho {
namespace {

// A length in pixels as device pixels, rounded to the nearest as Qt sizes a widget's device.
int DevicePixels(int pixels, double device_pixel_ratio) {
  return static_cast<int>(pixels * device_pixel_ratio + 0.5);
}

}  // namespace

PlotDrawing::PlotDrawing(int width, int height, double device_pixel_ratio, Colour background)
    : width_(-1), height_(-1), device_pixel_ratio_(0), background_(PixelValue(background)) {
  Resize(width, height, device_pixel_ratio);
}

void PlotDrawing::Resize(int width, int height, double device_pixel_ratio) {
  if (width == width_ && height == height_ && device_pixel_ratio == device_pixel_ratio_) return;
  width_ = width;
  height_ = height;
  device_pixel_ratio_ = device_pixel_ratio;
  columns_ = DevicePixels(width, device_pixel_ratio);
  rows_ = DevicePixels(height, device_pixel_ratio);
  device_pixels_per_twip_ = DevicePixelsPerTwip(device_pixel_ratio);
  pixels_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), background_);
  drawn_ = {};
  euler_ = exact_ = {};
  if (pixels_.empty()) return;
  changed_.Add(0, 0);
  changed_.Add(columns_ - 1, rows_ - 1);
}

void PlotDrawing::Clear() {
  std::fill(pixels_.begin(), pixels_.end(), background_);
  changed_.Add(drawn_);
  drawn_ = {};
  euler_ = exact_ = {};
}

float PlotDrawing::HeightInPoints() const {
  return static_cast<float>(static_cast<double>(height_) * kTwipsPerPixel / kTwipsPerPoint);
}

PixelSpan PlotDrawing::TakeChanged() {
  PixelSpan changed = changed_;
  changed.Add(drawn_);
  changed_ = {};
  return changed;
}

}  // namespace sho
