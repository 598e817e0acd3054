#pragma once

#include <cstdint>

#include "run/entries.h"

namespace sho {

inline constexpr std::int16_t kStepCount = 10000;

// What a run drives: the window's entries and the three outputs (plot, results list, data files).
// Each call raises a RunError when it fails.
class RunHost {
 public:
  virtual ~RunHost() = default;

  virtual void ClearPlot() = 0;
  virtual EntryTexts ReadEntries() = 0;
  virtual void OpenDataFiles() = 0;
  virtual void SetListHeader() = 0;
  virtual void SetListEntry(std::int16_t i, double y, double v) = 0;
  virtual void PlotEulerPoint(std::int16_t i, double y) = 0;
  virtual void PlotExactPoint(std::int16_t i, double amplitude, double c) = 0;
  virtual void WriteStep(double y, double v) = 0;
  virtual void CloseAllFiles() = 0;

  // After a run stopped early: the list keeps its first `count` entries, the ones this run set.
  virtual void KeepListEntries(int count) = 0;
};

// One run, as the Run button performs it. A RunError stops it where it happens: the outputs of the
// completed steps stay, the list loses entries this run did not reach, the data files are closed
// with every completed step's lines, and the error goes on to the caller.
void PerformRun(RunHost& host);

}  // namespace sho
