#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "outputs/data_lines.h"
#include "outputs/plot.h"
#include "outputs/plot_drawing.h"
#include "outputs/results_list.h"
#include "run/run.h"

namespace sho {

// The plot's surface in the page: the drawing, and every point of the last run kept, so that the
// drawing can be made again for a new device pixel ratio (the page zoomed, or shown smaller).
class KeptPlot final : public PlotSurface {
 public:
  KeptPlot(int width, int height, double device_pixel_ratio);

  void Clear() override;
  float HeightInPoints() const override { return drawing_.HeightInPoints(); }
  void SetPoint(float x, float y, Colour colour) override {
    points_.push_back({x, y, colour});
    drawing_.SetPoint(x, y, colour);
  }

  // Draws the kept points again on a screen of this device pixel ratio.
  void Redraw(double device_pixel_ratio);
  const PlotDrawing& Drawing() const { return drawing_; }

 private:
  struct Point {
    float x, y;
    Colour colour;
  };
  PlotDrawing drawing_;
  std::vector<Point> points_;
};

// The window as the page's program keeps it between runs, and the host of its runs: the results
// list and the plot as the desktop keeps them, and the lines the last run appended to the two
// data files, which the page's script then keeps in the browser's storage.
class PageWindow final : public RunHost {
 public:
  explicit PageWindow(double device_pixel_ratio);

  // What Run does: the list's edit text becomes what it shows (entry `chosen` of the list when one
  // is chosen, else what it showed), then one run with the three entry texts read with the
  // decimal separator of the user's language. A RunError goes on to the caller with the outputs
  // as the run left them.
  void Run(std::array<std::string, kEntryCount> texts, std::string_view decimal_separator,
           int chosen);

  // Forgets that the last run opened the data files and wrote lines: a run that fails before it
  // starts has written none.
  void ForgetRun() noexcept;

  const ResultsList& List() const { return list_; }
  KeptPlot& PlotSurface() { return surface_; }
  bool FilesOpened() const { return files_opened_; }
  int LinesWritten() const { return static_cast<int>(steps_.size()); }
  // The lines this run appended to `file`, written out from the run's steps when first asked for:
  // the page asks once the run is shown.
  const std::string& Lines(DataFile file);

  void ClearPlot() override { plot_.ClearPlot(); }
  EntryTexts ReadEntries() override { return entries_; }
  void OpenDataFiles() override { files_opened_ = true; }
  void SetListHeader() override { list_.SetListHeader(); }
  void SetListEntry(std::int16_t i, double y, double v) override { list_.SetListEntry(i, y, v); }
  void PlotEulerPoint(std::int16_t i, double y) override { plot_.PlotEulerPoint(i, y); }
  void PlotExactPoint(std::int16_t i, double amplitude, double c) override {
    plot_.PlotExactPoint(i, amplitude, c);
  }
  void WriteStep(double y, double v) override;
  void CloseAllFiles() override {}
  void KeepListEntries(int count) override { list_.KeepEntries(count); }

 private:
  ResultsList list_;
  KeptPlot surface_;
  Plot plot_{surface_};
  EntryTexts entries_;
  struct Step {
    double y, v;
  };
  bool files_opened_ = false;
  std::vector<Step> steps_;           // written to the data files by this run
  std::array<std::string, 2> lines_;  // of file 1, then file 2
};

}  // namespace sho
