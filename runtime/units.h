#pragma once

// The units the window is laid out and drawn in, and the two ways a length in twips becomes pixels.
namespace sho {

// A twip is 1/1440 inch: 15 make a pixel at 96 dots per inch, 20 make a point.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kTwipsPerPoint = 20;

// A control's position or size: the nearest whole pixel (15 twips have no half pixel to tie on).
constexpr int NearestPixel(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

// A point of the plot on a screen of this device pixel ratio (1 at 96 dots per inch).
constexpr double DevicePixelsPerTwip(double device_pixel_ratio) {
  return device_pixel_ratio / kTwipsPerPixel;
}

// The device pixel that contains a coordinate of a point of the plot, along one axis of `pixels`
// device pixels: its index, or -1 for a coordinate outside them (or not a number).
constexpr int ContainingDevicePixel(float twips, double device_pixels_per_twip, int pixels) {
  const double at = twips * device_pixels_per_twip;
  return at >= 0 && at < pixels ? static_cast<int>(at) : -1;
}

}  // namespace sho
