#pragma once

#include <QString>
#include <QWidget>

namespace sho {

// Saves what the screen shows of the widget as a PNG file at path: the widget with its children
// and whatever controls of its window lie over it, one image pixel for each device pixel, with the
// resolution recorded so that the file shows at the widget's size. Returns an empty text when
// saved, else what went wrong. A file that cannot be written leaves whatever was at path as it was.
QString SaveShownAsPng(QWidget& widget, const QString& path);

}  // namespace sho
