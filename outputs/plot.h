#pragma once

#include <cstdint>

namespace sho {

// A colour as 0x00BBGGRR.
using Colour = std::uint32_t;
inline constexpr Colour kEulerColour = 0x000000FF;  // red
inline constexpr Colour kExactColour = 0x00FF0000;  // blue

// The plot's vertical scale: twips per unit of position.
inline constexpr double kTwipsPerUnit = 50;

// What the plot draws on. Coordinates are twips from the drawing area's top-left corner, y down.
class PlotSurface {
 public:
  virtual ~PlotSurface() = default;
  virtual void Clear() = 0;
  // The drawing area's height in points (20 twips each): 258.75 for 5175 twips.
  virtual float HeightInPoints() const = 0;
  // Colours the dot at (x, y); a point outside the area is not drawn.
  virtual void SetPoint(float x, float y, Colour colour) = 0;
};

// The plot of a run: step i at x = i twips, the position 50 twips a unit below the baseline
// through the middle of the area, the Euler position in red and the exact one in blue.
class Plot {
 public:
  explicit Plot(PlotSurface& surface) : surface_(surface) {}

  void ClearPlot() { surface_.Clear(); }
  // Throws an overflow in step i when the point's y leaves the single-precision range.
  void PlotEulerPoint(std::int16_t i, double y);
  // The exact position of step i is amplitude * c.
  void PlotExactPoint(std::int16_t i, double amplitude, double c);

 private:
  float Baseline() const;

  PlotSurface& surface_;
};

}  // namespace sho
