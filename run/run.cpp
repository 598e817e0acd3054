#include "run/run.h"

#include "run/stepping.h"
#include "runtime/run_error.h"

namespace sho {

void PerformRun(RunHost& host) {
  int entries_set = 0;
  try {
    host.ClearPlot();
    const EntryTexts entries = host.ReadEntries();
    const RunConstants run = PrepareRun(entries);
    host.OpenDataFiles();
    host.SetListHeader();
    ExactCurve exact(run, kStepCount);
    OscillatorState s = run.start;
    for (std::int16_t i = 1; i <= kStepCount; ++i) {
      s = AdvanceStep(run, s, i);
      host.SetListEntry(i, s.y, s.v);
      entries_set = i;
      host.SetListHeader();
      host.PlotEulerPoint(i, s.y);
      host.PlotExactPoint(i, run.amplitude, exact.ExactFactor(i));
      host.WriteStep(s.y, s.v);
    }
    host.CloseAllFiles();
  } catch (...) {
    host.KeepListEntries(entries_set);
    try {
      host.CloseAllFiles();
    } catch (const RunError&) {
      // The first error is the one to report; the files keep only whole steps either way.
    }
    throw;
  }
}

}  // namespace sho
