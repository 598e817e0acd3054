#include "outputs/plot.h"

#include <cmath>
#include <limits>
#include <string>

#include "runtime/number_text.h"
#include "runtime/run_error.h"
#include "runtime/units.h"

namespace sho {
namespace {

// A drawing coordinate is a single-precision number. `too_far` says which curve's point is too far
// from the axis: %1 is the step, %2 the coordinate.
float Narrow(double y_twips, std::int16_t i, const char* too_far) {
  if (std::fabs(y_twips) > std::numeric_limits<float>::max()) {
    char digits[kMaxNumberTextLength];
    const std::string y_text(digits, WriteText15G(digits, y_twips));
    throw RunError(ErrorKind::kOverflow, StepPlace{i}, {too_far, {std::to_string(i), y_text}});
  }
  return static_cast<float>(y_twips);
}

}  // namespace

float Plot::Baseline() const {
  const float height = surface_.HeightInPoints();
  return (height * kTwipsPerPoint) / 2;
}

void Plot::PlotEulerPoint(std::int16_t i, double y) {
  const float b = Baseline();
  surface_.SetPoint(static_cast<float>(i),
                    Narrow((kTwipsPerUnit * y) + b, i,
                           SHO_TRANSLATE_NOOP("RunError",
                                              "In step %1 the Euler position is too far from the "
                                              "axis to plot (%2 twips). Try a smaller time step.")),
                    kEulerColour);
}

void Plot::PlotExactPoint(std::int16_t i, double amplitude, double c) {
  const float b = Baseline();
  surface_.SetPoint(static_cast<float>(i),
                    Narrow(((kTwipsPerUnit * amplitude) * c) + b, i,
                           SHO_TRANSLATE_NOOP("RunError",
                                              "In step %1 the exact position is too far from the "
                                              "axis to plot (%2 twips). Try a smaller time step.")),
                    kExactColour);
}

}  // namespace sho
