#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>

#include "run/entries.h"
#include "run/oscillator.h"
#include "runtime/run_error.h"

namespace sho {

// What preparing a run fixes for all of its steps.
struct RunConstants {
  Oscillator system;       // k = 25, m = 1
  double phi = 0.0;        // phase at t = 0, in radians
  double y0 = 0.0;         // position at t = 0
  double amplitude = 0.0;  // of the exact curve y(t) = A cos(omega t + phi): A = y0 / cos(phi)
  OscillatorState start{0.0, 0.0};

  // The time step is read with the other entries, but what is wrong with it stops the run only in
  // step 1, where the steps first need it.
  double dt = 0.0;
  std::shared_ptr<const RunError> time_step_fault;
};

// Prepares a run: reads entry 1 and turns the degrees into phi, then reads entry 0 into y0, and
// starts at y0 with the velocity that the phase gives, v0 = -y0 omega tan(phi). Throws a type
// mismatch or an overflow naming the entry.
RunConstants PrepareRun(const EntryTexts& entries);

// `message` says what left the double range; %1 is the step.
[[noreturn]] void ThrowStepOverflow(std::int16_t i, const char* message);

// The state after one Euler step from `state`. Throws in step 1 what is wrong with the time step
// (a type mismatch or an overflow naming entry 2), and an overflow in step i when the state leaves
// the double range.
inline OscillatorState AdvanceStep(const RunConstants& run, OscillatorState state, std::int16_t i) {
  if (run.time_step_fault) [[unlikely]]
    throw RunError(*run.time_step_fault);
  const OscillatorState s = EulerStep(run.system, state, run.dt);
  constexpr double kLargest = std::numeric_limits<double>::max();
  if (!((std::fabs(s.y) <= kLargest) & (std::fabs(s.v) <= kLargest))) [[unlikely]] {
    ThrowStepOverflow(i, std::isfinite(s.y)
                             ? SHO_TRANSLATE_NOOP("RunError",
                                                  "In step %1 the velocity left the range of a "
                                                  "double. Try a smaller time step or smaller "
                                                  "values.")
                             : SHO_TRANSLATE_NOOP("RunError",
                                                  "In step %1 the position left the range of a "
                                                  "double. Try a smaller time step or smaller "
                                                  "values."));
  }
  return s;
}

// The exact curve of a run: c_i = cos(omega i dt + phi), so that the exact position of step i is
// A c_i. All factors are worked out before the first step, so that the cosines run side by side
// in vector registers and the steps call nothing.
class ExactCurve {
 public:
  ExactCurve(const RunConstants& run, std::int16_t steps);

  // For step i of 1 to `steps`. Throws an overflow in step i when omega i dt + phi leaves the
  // double range.
  double ExactFactor(std::int16_t i) const {
    const double c = factors_[i - 1];
    if (std::isnan(c)) [[unlikely]]
      ThrowStepOverflow(i, SHO_TRANSLATE_NOOP("RunError",  // omega i dt + phi: not finite
                                              "In step %1 the time left the range of a double. "
                                              "Try a smaller time step or smaller values."));
    return c;
  }

 private:
  std::unique_ptr<double[]> factors_;  // left uninitialised: every one is worked out
};

}  // namespace sho
