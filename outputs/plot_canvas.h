#pragma once

#include <QImage>
#include <QWidget>

#include "outputs/plot.h"
#include "outputs/plot_drawing.h"

namespace sho {

// The drawing area: a widget that shows a PlotDrawing, so the drawing survives being covered and
// costs nothing to repaint. Setting a point only changes the drawing; ShowChanges() then repaints
// the part of the area that changed, once. Screen readers know it as a chart.
class PlotCanvas : public QWidget, public PlotSurface {
 public:
  explicit PlotCanvas(QWidget* parent = nullptr);

  // The drawing takes the area's size, the screen's device pixel ratio and the area's background
  // at every Clear(), as a run starts.
  void Clear() override;
  float HeightInPoints() const override { return drawing_.HeightInPoints(); }
  void SetPoint(float x, float y, Colour colour) override { drawing_.SetPoint(x, y, colour); }

  // Repaints what changed since the last call: the points cleared and the points set.
  void ShowChanges();

  // A copy of the drawing in device pixels, without the child controls: later points leave it as
  // it is.
  QImage Drawing() const;
  // The drawing as it stands, for what it shows.
  const PlotDrawing& Drawn() const { return drawing_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The drawing's pixels as an image, valid while the drawing is left as it is.
  QImage View() const;

  PlotDrawing drawing_{0, 0, 1, 0x00FFFFFF};
};

}  // namespace sho
