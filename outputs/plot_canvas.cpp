#include "outputs/plot_canvas.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace sho {
namespace {

constexpr double kTwipsPerPixel = 15;
constexpr double kTwipsPerPoint = 20;

QRgb ToRgb(Colour colour) {
  return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QAccessibleInterface* ChartInterface(const QString&, QObject* object) {
  auto* canvas = dynamic_cast<PlotCanvas*>(object);
  return canvas ? new QAccessibleWidget(canvas, QAccessible::Chart) : nullptr;
}

}  // namespace

void PlotCanvas::Span::Add(int column, int row) {
  left = std::min(left, column);
  right = std::max(right, column);
  top = std::min(top, row);
  bottom = std::max(bottom, row);
}

void PlotCanvas::Span::Add(const Span& other) {
  if (other.IsEmpty()) return;
  Add(other.left, other.top);
  Add(other.right, other.bottom);
}

PlotCanvas::PlotCanvas(QWidget* parent) : QWidget(parent) {
  [[maybe_unused]] static const bool chart_known =
      (QAccessible::installFactory(ChartInterface), true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotCanvas::Clear() {
  const double ratio = devicePixelRatioF();
  const QSize pixels = size() * ratio;
  if (image_.size() != pixels || image_.devicePixelRatio() != ratio) {
    image_ = QImage(pixels, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    changed_.Add(0, 0);
    changed_.Add(pixels.width() - 1, pixels.height() - 1);
  }
  image_.fill(palette().color(backgroundRole()));
  pixels_ = reinterpret_cast<QRgb*>(image_.bits());
  pixels_per_row_ = image_.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
  columns_ = image_.width();
  rows_ = image_.height();
  device_pixels_per_twip_ = ratio / kTwipsPerPixel;
  changed_.Add(drawn_);
  drawn_ = {};
  euler_ = exact_ = {};
}

float PlotCanvas::HeightInPoints() const {
  return static_cast<float>(height() * kTwipsPerPixel / kTwipsPerPoint);
}

void PlotCanvas::SetPoint(float x, float y, Colour colour) {
  // The one device pixel that contains the point.
  const double column = x * device_pixels_per_twip_;
  const double row = y * device_pixels_per_twip_;
  if (!(column >= 0 && column < columns_)) return;
  const bool inside = row >= 0 && row < rows_;
  Trace& trace = colour == kEulerColour ? euler_ : exact_;
  if (trace.count++ == 0) trace.first_x = x;
  trace.last_x = x;
  trace.last_y = y;
  trace.last_inside = inside;
  if (!inside) return;
  const int c = static_cast<int>(column);
  const int r = static_cast<int>(row);
  pixels_[r * pixels_per_row_ + c] = ToRgb(colour);
  drawn_.Add(c, r);
}

void PlotCanvas::ShowChanges() {
  changed_.Add(drawn_);
  if (changed_.IsEmpty()) return;
  const double ratio = image_.devicePixelRatio();
  const QPoint top_left(static_cast<int>(std::floor(changed_.left / ratio)),
                        static_cast<int>(std::floor(changed_.top / ratio)));
  const QPoint bottom_right(static_cast<int>(std::ceil((changed_.right + 1) / ratio)),
                            static_cast<int>(std::ceil((changed_.bottom + 1) / ratio)));
  update(QRect(top_left, bottom_right - QPoint(1, 1)));
  changed_ = {};
}

void PlotCanvas::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, image_); }

void PlotCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The area has a fixed size in the window; a new size starts a blank drawing.
  if (image_.size() != size() * devicePixelRatioF()) Clear();
}

}  // namespace sho
