#pragma once

#include <functional>

#include "outputs/data_files.h"
#include "outputs/plot.h"
#include "outputs/results_list.h"
#include "run/run.h"

namespace sho {

// The program's own host for a run: its results list, plot and data files, and the entries as the
// window shows them.
class RunOutputs : public RunHost {
 public:
  RunOutputs(std::function<EntryTexts()> read_entries, ResultsList& list, Plot& plot,
             DataFiles& files)
      : read_entries_(std::move(read_entries)), list_(list), plot_(plot), files_(files) {}

  void ClearPlot() override { plot_.ClearPlot(); }
  EntryTexts ReadEntries() override { return read_entries_(); }
  void OpenDataFiles() override { files_.OpenDataFiles(); }
  void SetListHeader() override { list_.SetListHeader(); }
  void SetListEntry(std::int16_t i, double y, double v) override { list_.SetListEntry(i, y, v); }
  void PlotEulerPoint(std::int16_t i, double y) override { plot_.PlotEulerPoint(i, y); }
  void PlotExactPoint(std::int16_t i, double amplitude, double c) override {
    plot_.PlotExactPoint(i, amplitude, c);
  }
  void WriteStep(double y, double v) override { files_.WriteStep(y, v); }
  void CloseAllFiles() override { files_.CloseAllFiles(); }
  void KeepListEntries(int count) override { list_.KeepEntries(count); }

 private:
  std::function<EntryTexts()> read_entries_;
  ResultsList& list_;
  Plot& plot_;
  DataFiles& files_;
};

}  // namespace sho
