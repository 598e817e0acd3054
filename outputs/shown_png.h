#pragma once

#include <QString>
#include <QWidget>

namespace sho {

// Saves the widget as it is shown, with the controls on it, as a PNG file at path: one image pixel
// for each device pixel, and the resolution recorded so that the file shows at the widget's size.
// Returns an empty text when saved, else what went wrong. A file that cannot be written leaves
// whatever was at path as it was.
QString SaveShownAsPng(QWidget& widget, const QString& path);

}  // namespace sho
