#include "web/program/page_window.h"

#include <utility>

#include "form/control_table.h"
#include "form/palette.h"
#include "outputs/data_lines.h"
#include "runtime/units.h"

namespace sho {

KeptPlot::KeptPlot(int width, int height, double device_pixel_ratio)
    : drawing_(width, height, device_pixel_ratio,
               PageColour(ControlBackColour(ControlRow("fig")))) {
  drawing_.Clear();
}

void KeptPlot::Clear() {
  points_.clear();
  drawing_.Clear();
}

void KeptPlot::Redraw(double device_pixel_ratio) {
  drawing_.Resize(drawing_.Width(), drawing_.Height(), device_pixel_ratio);
  drawing_.Clear();
  for (const Point& point : points_) drawing_.SetPoint(point.x, point.y, point.colour);
}

PageWindow::PageWindow(double device_pixel_ratio)
    : surface_(NearestPixel(kPlotWidthTwips), NearestPixel(kPlotHeightTwips), device_pixel_ratio) {}

void PageWindow::Run(std::array<std::string, kEntryCount> texts, std::string_view decimal_separator,
                     int chosen) {
  std::string shown = chosen >= 0 && chosen < list_.Count() ? list_.EntryText(chosen)
                                                            : std::string(list_.EditText());
  list_.SetEditText(std::move(shown));
  ForgetRun();
  entries_ = ReadEntryTexts(std::move(texts), decimal_separator);
  PerformRun(*this);
}

void PageWindow::ForgetRun() noexcept {
  files_opened_ = false;
  steps_.clear();
  for (std::string& lines : lines_) lines.clear();
}

void PageWindow::WriteStep(double y, double v) { steps_.push_back({y, v}); }

const std::string& PageWindow::Lines(DataFile file) {
  std::string& lines = lines_[file == DataFile::kPositions ? 0 : 1];
  if (lines.empty()) {
    for (const Step& step : steps_) {
      AppendDataLine(lines, file == DataFile::kPositions ? step.y : step.v);
    }
  }
  return lines;
}

}  // namespace sho
