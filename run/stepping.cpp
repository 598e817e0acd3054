#include "run/stepping.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "runtime/correctly_rounded.h"
#include "runtime/cosine.h"
#include "runtime/run_error.h"

namespace sho {
namespace {

// Not pi: the value the program has always used, so that its curves stay as they were.
constexpr double kPi = 3.14159;

// `message` names what left the range; %1 is the entry's caption.
[[noreturn]] void ThrowEntryOverflow(int index, const char* message) {
  const std::string caption = kEntryCaptions[static_cast<std::size_t>(index)];
  throw RunError(ErrorKind::kOverflow, EntryPlace{index, caption}, {message, {caption}});
}

}  // namespace

RunConstants PrepareRun(const EntryTexts& entries) {
  RunConstants run;
  const double degrees = EntryNumber(entries, kEntryPhiDegrees);
  run.phi = ((degrees * 2) * kPi) / 360;
  if (!std::isfinite(run.phi)) {
    ThrowEntryOverflow(kEntryPhiDegrees,
                       SHO_TRANSLATE_NOOP("RunError",
                                          "The phase given by \"%1\" is beyond the range of a "
                                          "double. Try a smaller value."));
  }

  run.y0 = EntryNumber(entries, kEntryY0);
  const double v0 = ((-run.y0) * run.system.Omega()) * CorrectlyRoundedTan(run.phi);
  run.amplitude = run.y0 / CorrectlyRoundedCos(run.phi);
  if (!std::isfinite(v0)) {
    ThrowEntryOverflow(kEntryY0,
                       SHO_TRANSLATE_NOOP("RunError",
                                          "The start velocity given by \"%1\" is beyond the range "
                                          "of a double. Try a smaller value."));
  }
  if (!std::isfinite(run.amplitude)) {
    ThrowEntryOverflow(kEntryY0,
                       SHO_TRANSLATE_NOOP("RunError",
                                          "The amplitude given by \"%1\" is beyond the range of a "
                                          "double. Try a smaller value."));
  }
  run.start = {run.y0, v0};

  try {
    run.dt = EntryNumber(entries, kEntryTimeStep);
  } catch (const RunError& fault) {
    run.time_step_fault = std::make_shared<const RunError>(fault);
  }
  return run;
}

ExactCurve::ExactCurve(const RunConstants& run, std::int16_t steps)
    : factors_(new double[static_cast<std::size_t>(steps)]) {
  const double omega = run.system.Omega();
  constexpr int kBlock = 256;
  double angles[kBlock];
  for (int first = 1; first <= steps; first += kBlock) {
    const int count = std::min(kBlock, steps - first + 1);
    for (int k = 0; k < count; ++k) angles[k] = ((omega * (first + k)) * run.dt) + run.phi;
    Cosines(std::span(angles, count), std::span(&factors_[first - 1], count));
  }
}

void ThrowStepOverflow(std::int16_t i, const char* message) {
  throw RunError(ErrorKind::kOverflow, StepPlace{i}, {message, {std::to_string(i)}});
}

}  // namespace sho
