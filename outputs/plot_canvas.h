#pragma once

#include <QImage>
#include <QWidget>

#include "outputs/plot.h"

namespace sho {

// The drawing area: a widget that keeps its drawing in an image and paints the image, so the
// drawing survives being covered and costs nothing to repaint. Setting a point only changes the
// image; the owner calls update() once the run is over.
class PlotCanvas : public QWidget, public PlotSurface {
 public:
  explicit PlotCanvas(QWidget* parent = nullptr);

  void Clear() override;
  float HeightInPoints() const override;
  void SetPoint(float x, float y, Colour colour) override;

  // The drawing in device pixels, without the child controls.
  const QImage& Drawing() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage image_;
  double device_pixels_per_twip_ = 0;
};

}  // namespace sho
