#pragma once

#include <cmath>

namespace sho {

// The system: a mass m on a spring of constant k, y'' = -(k / m) y.
class Oscillator {
 public:
  explicit Oscillator(double k = 25, double m = 1)
      : k_(k), m_(m), omega_(std::sqrt(k / m)), minus_k_over_m_(-(k / m)) {}

  double k() const { return k_; }
  double m() const { return m_; }
  // The angular frequency sqrt(k / m).
  double Omega() const { return omega_; }
  double Acceleration(double y) const { return minus_k_over_m_ * y; }

 private:
  double k_, m_;
  // Worked out once: the same numbers as working them out at every step.
  double omega_, minus_k_over_m_;
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
