#pragma once

#include <cmath>

namespace sho {

// The system: a mass m on a spring of constant k, y'' = -(k / m) y.
struct Oscillator {
  double k = 25.0;
  double m = 1.0;

  double Omega() const { return std::sqrt(k / m); }
  double Acceleration(double y) const { return (-(k / m)) * y; }
};

// The state: position and velocity.
struct OscillatorState {
  double y;
  double v;
};

// The stepper: one explicit (forward) Euler step. Both updates use the state before the step.
inline OscillatorState EulerStep(const Oscillator& system, const OscillatorState& s, double dt) {
  const double a = system.Acceleration(s.y);
  return {s.y + (s.v * dt), s.v + (a * dt)};
}

}  // namespace sho
