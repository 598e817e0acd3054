#include "outputs/shown_png.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QSaveFile>

namespace sho {
namespace {

constexpr double kMetresPerInch = 0.0254;

}  // namespace

QImage ShownImage(QWidget& widget) {
  QWidget* window = widget.window();
  QImage image = window->grab(QRect(widget.mapTo(window, QPoint(0, 0)), widget.size())).toImage();
  const int dots_per_metre =
      qRound(widget.logicalDpiX() * image.devicePixelRatio() / kMetresPerInch);
  image.setDotsPerMeterX(dots_per_metre);
  image.setDotsPerMeterY(dots_per_metre);
  return image;
}

QString SaveShownAsPng(QWidget& widget, const QString& path) {
  const QImage image = ShownImage(widget);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  if (!image.save(&file, "PNG")) {
    file.cancelWriting();
    return QCoreApplication::translate("ShownPng", "The image could not be written as PNG");
  }
  if (!file.commit()) return file.errorString();
  return {};
}

}  // namespace sho
