#include "window/application.h"

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "window/translations.h"

namespace sho {

QString ApplicationId() { return QStringLiteral(SHO_APPLICATION_ID); }

namespace {

// The icon drawn from its SVG at a size only when that size is asked for, so that starting the
// program draws none it does not show.
class DrawnIconEngine : public QIconEngine {
 public:
  explicit DrawnIconEngine(const QString& file) : file_(file), drawing_(file) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
    drawing_.render(painter, rect);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(&painter, image.rect(), mode, state);
    painter.end();
    return QPixmap::fromImage(image);
  }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) sizes.append(QSize(size, size));
    return sizes;
  }
  QIconEngine* clone() const override { return new DrawnIconEngine(file_); }

 private:
  QString file_;
  QSvgRenderer drawing_;
};

}  // namespace

QIcon ProgramIcon() {
  return QIcon(new DrawnIconEngine(QStringLiteral(":/icons/%1.svg").arg(ApplicationId())));
}

void SetUpApplication() {
  QApplication::setStyle("Fusion");
  QGuiApplication::setDesktopFileName(ApplicationId());
  QApplication::setWindowIcon(ProgramIcon());
  InstallTranslators();
}

}  // namespace sho
