#pragma once

#include <cstdint>
#include <optional>

#include "run/entries.h"
#include "run/oscillator.h"

namespace sho {

// Everything a run computes with, from preparation to its last step.
struct RunState {
  Oscillator system;       // k = 25, m = 1
  double phi = 0.0;        // phase at t = 0, in radians
  double y0 = 0.0;         // position at t = 0
  double amplitude = 0.0;  // of the exact curve y(t) = A cos(omega t + phi): A = y0 / cos(phi)
  OscillatorState state{0.0, 0.0};
  EntryTexts entries;  // the time step stays text until step 1 reads it
  std::optional<double> dt;
};

// Prepares a run: reads entry 1 and turns the degrees into phi, then reads entry 0 into y0, and
// starts at y0 with the velocity that the phase gives, v0 = -y0 omega tan(phi). Throws a type
// mismatch or an overflow naming the entry.
RunState PrepareRun(const EntryTexts& entries);

// Advances the oscillator by one Euler step and returns the new state. Step 1 reads the time step
// from entry 2. Throws a type mismatch naming entry 2, or an overflow in step i when the state
// leaves the double range.
OscillatorState AdvanceStep(RunState& run, std::int16_t i);

// c_i = cos(omega i dt + phi): the exact position of step i is A c_i.
double ExactFactor(const RunState& run, std::int16_t i);

}  // namespace sho
