#include "run/stepping.h"

#include <gtest/gtest.h>

#include <cmath>

#include "run/run.h"
#include "runtime/cosine.h"
#include "runtime/run_error.h"

namespace sho {
namespace {

EntryTexts Entries(std::string y0, std::string degrees, std::string dt) {
  return EntryTexts{{std::move(y0), std::move(degrees), std::move(dt)}, NumberLocale{}};
}

// Runs `steps` Euler steps and returns the last state.
OscillatorState Steps(const RunConstants& run, int steps) {
  OscillatorState state = run.start;
  for (int i = 1; i <= steps; ++i) state = AdvanceStep(run, state, static_cast<std::int16_t>(i));
  return state;
}

// Within one unit in the last place.
void ExpectCloseToCos(double c, double angle) {
  EXPECT_LE(std::fabs(c - std::cos(angle)), std::nextafter(std::fabs(c), INFINITY) - std::fabs(c))
      << angle;
}

TEST(Stepping, FirstStepsAndLastStepOfTheClassicRun) {
  const RunConstants run = PrepareRun(Entries("1", "0", "0.01"));
  EXPECT_EQ(run.start.y, 1.0);
  EXPECT_EQ(run.start.v, 0.0);
  EXPECT_EQ(run.amplitude, 1.0);

  const OscillatorState s1 = AdvanceStep(run, run.start, 1);
  EXPECT_EQ(s1.y, 1.0);
  EXPECT_EQ(s1.v, -0.25);
  const OscillatorState s2 = AdvanceStep(run, s1, 2);
  EXPECT_DOUBLE_EQ(s2.y, 0.9975);
  EXPECT_DOUBLE_EQ(s2.v, -0.5);
  const OscillatorState s3 = AdvanceStep(run, s2, 3);
  EXPECT_DOUBLE_EQ(s3.y, 0.9925);
  EXPECT_DOUBLE_EQ(s3.v, -0.749375);

  OscillatorState state = s3;
  for (int i = 4; i <= 10000; ++i) state = AdvanceStep(run, state, static_cast<std::int16_t>(i));
  EXPECT_NEAR(state.y, -263523.511624393, 1e-9);
  EXPECT_NEAR(state.v, 93344.5858823325, 1e-9);
}

TEST(Stepping, PhaseGivesStartVelocityAndExactAmplitude) {
  const RunConstants run = PrepareRun(Entries("2", "60", "0.01"));
  EXPECT_NEAR(run.phi, 1.0471975511965976, 1e-6);  // pi / 3, with 3.14159 for pi
  EXPECT_EQ(run.start.y, 2.0);

  // The exact curve y(t) = A cos(omega t + phi) starts where the Euler steps start.
  EXPECT_NEAR(run.amplitude * std::cos(run.phi), run.start.y, 1e-15);
  EXPECT_NEAR(-5.0 * run.amplitude * std::sin(run.phi), run.start.v, 1e-14);
}

TEST(Stepping, ExactFactorIsTheCosineAtEachStepsTime) {
  ExactCurve exact(PrepareRun(Entries("1", "0", "0.01")), kStepCount);
  EXPECT_NEAR(exact.ExactFactor(1), 0.99875026039497, 1e-14);
  for (std::int16_t i : {1, 2, 63, 64, 65, 10000, 129, 3}) {  // in and out of order
    const double angle = ((5.0 * i) * 0.01) + 0.0;
    EXPECT_EQ(exact.ExactFactor(i), Cosine(angle)) << i;
    ExpectCloseToCos(exact.ExactFactor(i), angle);
  }

  const double phi = ((45.0 * 2) * 3.14159) / 360;
  ExactCurve shifted(PrepareRun(Entries("1", "45", "0.1")), 200);
  for (std::int16_t i = 1; i <= 200; ++i) {
    EXPECT_EQ(shifted.ExactFactor(i), Cosine(((5.0 * i) * 0.1) + phi)) << i;
  }
}

ErrorPlace PlaceOfError(const EntryTexts& entries, int steps) {
  try {
    Steps(PrepareRun(entries), steps);
  } catch (const RunError& e) {
    return e.place();
  }
  ADD_FAILURE() << "no error";
  return StepPlace{0};
}

int EntryOfError(const EntryTexts& entries, ErrorKind kind) {
  try {
    const RunConstants run = PrepareRun(entries);
    AdvanceStep(run, run.start, 1);
  } catch (const RunError& e) {
    EXPECT_EQ(e.kind(), kind) << e.what();
    EXPECT_NE(std::string(e.what()).find(kEntryCaptions.at(e.entry())), std::string::npos);
    return e.entry();
  }
  ADD_FAILURE() << "no error";
  return -1;
}

TEST(Stepping, EntriesAreReadPhaseFirstThenPositionThenTimeStep) {
  EXPECT_EQ(EntryOfError(Entries("", "", ""), ErrorKind::kTypeMismatch), kEntryPhiDegrees);
  EXPECT_EQ(EntryOfError(Entries("x", "", "0.1"), ErrorKind::kTypeMismatch), kEntryPhiDegrees);
  EXPECT_EQ(EntryOfError(Entries("x", "0", ""), ErrorKind::kTypeMismatch), kEntryY0);
  EXPECT_EQ(EntryOfError(Entries("1", "0", "abc"), ErrorKind::kTypeMismatch), kEntryTimeStep);
  EXPECT_EQ(EntryOfError(Entries("1e400", "0", "0.1"), ErrorKind::kOverflow), kEntryY0);
  EXPECT_EQ(EntryOfError(Entries("1", "-1e400", "0.1"), ErrorKind::kOverflow), kEntryPhiDegrees);
  EXPECT_EQ(EntryOfError(Entries("1", "0", "1e400"), ErrorKind::kOverflow), kEntryTimeStep);

  // The time step is read in step 1, not while preparing.
  EXPECT_NO_THROW(PrepareRun(Entries("1", "0", "not yet")));
}

TEST(Stepping, ArithmeticBeyondTheDoubleRangeIsAnOverflowInItsStep) {
  // Preparation: 1e308 degrees make no finite phase; 1e308 times omega is no finite velocity.
  EXPECT_EQ(EntryOfError(Entries("1", "1e308", "0.1"), ErrorKind::kOverflow), kEntryPhiDegrees);
  EXPECT_EQ(EntryOfError(Entries("1e308", "10", "0.1"), ErrorKind::kOverflow), kEntryY0);

  const ErrorPlace first = PlaceOfError(Entries("1e10", "0", "1e300"), 1);
  ASSERT_TRUE(std::holds_alternative<StepPlace>(first));
  EXPECT_EQ(std::get<StepPlace>(first).step, 1);

  // Unplotted, dt = 0.1 grows by sqrt(1.25) a step until the doubles run out.
  const ErrorPlace later = PlaceOfError(Entries("1", "0", "0.1"), 10000);
  ASSERT_TRUE(std::holds_alternative<StepPlace>(later));
  EXPECT_GT(std::get<StepPlace>(later).step, 6000);
  EXPECT_LT(std::get<StepPlace>(later).step, 6400);
}

}  // namespace
}  // namespace sho
