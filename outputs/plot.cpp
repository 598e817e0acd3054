#include "outputs/plot.h"

#include <cmath>
#include <limits>
#include <string>

#include "runtime/number_text.h"
#include "runtime/run_error.h"

namespace sho {
namespace {

// A drawing coordinate is a single-precision number.
float Narrow(double y_twips, std::int16_t i, const char* curve) {
  if (std::fabs(y_twips) > std::numeric_limits<float>::max()) {
    char digits[kMaxNumberTextLength];
    const std::string y_text(digits, WriteText15G(digits, y_twips));
    throw RunError(ErrorKind::kOverflow, StepPlace{i},
                   "In step " + std::to_string(i) + " the " + curve + " position is too far from " +
                       "the axis to plot (" + y_text + " twips). Try a smaller time step.");
  }
  return static_cast<float>(y_twips);
}

}  // namespace

float Plot::Baseline() const {
  const float height = surface_.HeightInPoints();
  return (height * 20) / 2;
}

void Plot::PlotEulerPoint(std::int16_t i, double y) {
  const float b = Baseline();
  surface_.SetPoint(static_cast<float>(i), Narrow((kTwipsPerUnit * y) + b, i, "Euler"),
                    kEulerColour);
}

void Plot::PlotExactPoint(std::int16_t i, double amplitude, double c) {
  const float b = Baseline();
  surface_.SetPoint(static_cast<float>(i),
                    Narrow(((kTwipsPerUnit * amplitude) * c) + b, i, "exact"), kExactColour);
}

}  // namespace sho
