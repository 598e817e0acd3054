#pragma once

#include <string>

#include "outputs/plot_drawing.h"

namespace sho {

// What a sighted user sees in the plot after a run, for a description in words.
struct PlotFacts {
  bool any_step_shown = false;
  int first_step = 0, last_step = 0;  // the steps shown, by the curve that reaches further
  // Whether both curves end at the same step; the rest is about that step and only then known.
  bool ends_together = false;
  double distance = 0;  // between the red and the blue point, in units of position
  bool red_outside = false, blue_outside = false;
};

PlotFacts FactsOf(const PlotTrace& euler, const PlotTrace& exact);
// What the drawing shows: its red points, Euler's, against its blue ones, the exact curve's.
PlotFacts FactsOf(const PlotDrawing& drawing);

// A distance as a listener would want it: three significant digits as printf's "%.3g" writes them
// ("0.0123", "45.6", "1.5e-05"), and from 100 up the whole number ("%.0f": "263524"), ASCII digits.
std::string DistanceText(double distance);

}  // namespace sho
