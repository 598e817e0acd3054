#include "outputs/plot_canvas.h"

#include <QPainter>
#include <cmath>

namespace sho {
namespace {

constexpr double kTwipsPerPixel = 15;
constexpr double kTwipsPerPoint = 20;

QRgb ToRgb(Colour colour) {
  return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace

PlotCanvas::PlotCanvas(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void PlotCanvas::Clear() {
  const double ratio = devicePixelRatioF();
  const QSize pixels = size() * ratio;
  if (image_.size() != pixels || image_.devicePixelRatio() != ratio) {
    image_ = QImage(pixels, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
  }
  image_.fill(palette().color(backgroundRole()));
  device_pixels_per_twip_ = ratio / kTwipsPerPixel;
}

float PlotCanvas::HeightInPoints() const {
  return static_cast<float>(height() * kTwipsPerPixel / kTwipsPerPoint);
}

void PlotCanvas::SetPoint(float x, float y, Colour colour) {
  // The one device pixel that contains the point.
  const double column = std::floor(x * device_pixels_per_twip_);
  const double row = std::floor(y * device_pixels_per_twip_);
  if (!(column >= 0 && row >= 0 && column < image_.width() && row < image_.height())) return;
  reinterpret_cast<QRgb*>(image_.scanLine(static_cast<int>(row)))[static_cast<int>(column)] =
      ToRgb(colour);
}

void PlotCanvas::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, image_); }

void PlotCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The area has a fixed size in the window; a new size starts a blank drawing.
  if (image_.size() != size() * devicePixelRatioF()) Clear();
}

}  // namespace sho
