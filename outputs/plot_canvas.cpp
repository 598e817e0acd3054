#include "outputs/plot_canvas.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QRectF>
#include <bit>

namespace sho {
namespace {

// The drawing's pixels are the bytes R, G, B, 255 only where the first byte of a number is its
// lowest.
static_assert(std::endian::native == std::endian::little);

QAccessibleInterface* ChartInterface(const QString&, QObject* object) {
  auto* canvas = dynamic_cast<PlotCanvas*>(object);
  return canvas ? new QAccessibleWidget(canvas, QAccessible::Chart) : nullptr;
}

Colour ColourOf(const QColor& colour) {
  return static_cast<Colour>(colour.red()) | static_cast<Colour>(colour.green()) << 8 |
         static_cast<Colour>(colour.blue()) << 16;
}

}  // namespace

PlotCanvas::PlotCanvas(QWidget* parent) : QWidget(parent) {
  [[maybe_unused]] static const bool chart_known =
      (QAccessible::installFactory(ChartInterface), true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotCanvas::Clear() {
  drawing_.SetBackground(ColourOf(palette().color(backgroundRole())));
  drawing_.Resize(width(), height(), devicePixelRatioF());
  drawing_.Clear();
}

QImage PlotCanvas::View() const {
  // Every pixel is opaque: an image without alpha paints without blending.
  QImage view(reinterpret_cast<const uchar*>(drawing_.Pixels().data()), drawing_.Columns(),
              drawing_.Rows(), QImage::Format_RGBX8888);
  view.setDevicePixelRatio(drawing_.DevicePixelRatio());
  return view;
}

QImage PlotCanvas::Drawing() const { return View().convertToFormat(QImage::Format_RGB32); }

void PlotCanvas::ShowChanges() {
  const PixelSpan changed = drawing_.TakeChanged();
  if (changed.IsEmpty()) return;
  const QRectF device_pixels(QPointF(changed.left, changed.top),
                             QPointF(changed.right + 1, changed.bottom + 1));
  const double ratio = drawing_.DevicePixelRatio();
  update(
      QRectF(device_pixels.topLeft() / ratio, device_pixels.bottomRight() / ratio).toAlignedRect());
}

void PlotCanvas::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, View()); }

void PlotCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The area has a fixed size in the window; a new size starts a blank drawing.
  drawing_.Resize(width(), height(), devicePixelRatioF());
}

}  // namespace sho
