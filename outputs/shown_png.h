#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace sho {

// What the screen shows of the widget: the widget with its children and whatever controls of its
// window lie over it, one image pixel for each device pixel, with the resolution recorded so that
// the picture shows at the widget's size.
QImage ShownImage(QWidget& widget);

// Saves ShownImage(widget) as a PNG file at path. Returns an empty text when saved, else what went
// wrong. A file that cannot be written leaves whatever was at path as it was.
QString SaveShownAsPng(QWidget& widget, const QString& path);

}  // namespace sho
