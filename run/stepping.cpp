#include "run/stepping.h"

#include <cmath>
#include <string>

#include "runtime/run_error.h"

namespace sho {
namespace {

// Not pi: the value the program has always used, so that its curves stay as they were.
constexpr double kPi = 3.14159;

[[noreturn]] void ThrowStepOverflow(std::int16_t i, const char* what) {
  throw RunError(ErrorKind::kOverflow, StepPlace{i},
                 "In step " + std::to_string(i) + " the " + what +
                     " left the range of a double. Try a smaller time step or smaller values.");
}

[[noreturn]] void ThrowEntryOverflow(int index, const char* what) {
  const std::string caption = kEntryCaptions[static_cast<std::size_t>(index)];
  throw RunError(ErrorKind::kOverflow, EntryPlace{index, caption},
                 std::string("The ") + what + " given by \"" + caption +
                     "\" is beyond the range of a double. Try a smaller value.");
}

}  // namespace

RunState PrepareRun(const EntryTexts& entries) {
  RunState run;
  run.entries = entries;
  const double degrees = EntryNumber(entries, kEntryPhiDegrees);
  run.phi = ((degrees * 2) * kPi) / 360;
  if (!std::isfinite(run.phi)) ThrowEntryOverflow(kEntryPhiDegrees, "phase");

  run.y0 = EntryNumber(entries, kEntryY0);
  const double v0 = ((-run.y0) * run.system.Omega()) * std::tan(run.phi);
  run.amplitude = run.y0 / std::cos(run.phi);
  if (!std::isfinite(v0)) ThrowEntryOverflow(kEntryY0, "start velocity");
  if (!std::isfinite(run.amplitude)) ThrowEntryOverflow(kEntryY0, "amplitude");
  run.state = {run.y0, v0};
  return run;
}

OscillatorState AdvanceStep(RunState& run, std::int16_t i) {
  if (!run.dt) run.dt = EntryNumber(run.entries, kEntryTimeStep);
  run.state = EulerStep(run.system, run.state, *run.dt);
  if (!std::isfinite(run.state.y)) ThrowStepOverflow(i, "position");
  if (!std::isfinite(run.state.v)) ThrowStepOverflow(i, "velocity");
  return run.state;
}

double ExactFactor(const RunState& run, std::int16_t i) {
  const double angle = ((run.system.Omega() * i) * run.dt.value()) + run.phi;
  if (!std::isfinite(angle)) ThrowStepOverflow(i, "time");
  return std::cos(angle);
}

}  // namespace sho
