#include "window/application.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace sho {

QString ApplicationId() { return QStringLiteral(SHO_APPLICATION_ID); }

QIcon ProgramIcon() {
  QSvgRenderer drawing(QStringLiteral(":/icons/%1.svg").arg(ApplicationId()));
  QIcon icon;
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawing.render(&painter);
    painter.end();
    icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

void SetUpApplication() {
  QApplication::setStyle("Fusion");
  QGuiApplication::setDesktopFileName(ApplicationId());
  QApplication::setWindowIcon(ProgramIcon());
}

}  // namespace sho
