#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

#include "outputs/plot.h"

namespace sho {

// The drawing area: a widget that keeps its drawing in an image and paints the image, so the
// drawing survives being covered and costs nothing to repaint. Setting a point only changes the
// image; ShowChanges() then repaints the part of the area that changed, once. Screen readers know
// it as a chart.
class PlotCanvas : public QWidget, public PlotSurface {
 public:
  explicit PlotCanvas(QWidget* parent = nullptr);

  void Clear() override;
  float HeightInPoints() const override;
  void SetPoint(float x, float y, Colour colour) override;

  // Repaints what changed since the last call: the points cleared and the points set.
  void ShowChanges();

  // The drawing in device pixels, without the child controls.
  const QImage& Drawing() const { return image_; }

  // The points of one colour set since the last Clear() within the area's width, whether above,
  // on or below it: how many, the first and last of them in the order they were set, in twips,
  // and whether the last lies on the area.
  struct Trace {
    int count = 0;
    float first_x = 0, last_x = 0, last_y = 0;
    bool last_inside = false;
  };
  const Trace& Shown(Colour colour) const { return colour == kEulerColour ? euler_ : exact_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Device pixels holding points, as the rows and columns they span.
  struct Span {
    static constexpr int kNone = 1 << 30;
    int left = kNone, top = kNone, right = -kNone, bottom = -kNone;
    bool IsEmpty() const { return right < left; }
    void Add(int column, int row);
    void Add(const Span& other);
  };

  QImage image_;
  QRgb* pixels_ = nullptr;  // the image's first row, so that a point is one store
  qsizetype pixels_per_row_ = 0;
  int columns_ = 0, rows_ = 0;  // the image's size in device pixels
  double device_pixels_per_twip_ = 0;
  Span drawn_;    // the points in the image now
  Span changed_;  // what differs from the last repaint
  Trace euler_, exact_;
};

}  // namespace sho
