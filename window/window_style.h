#pragma once

#include <QString>
#include <QStyle>

namespace sho {

// Fusion, or the style named as -style names it, drawing each widget's text in the widget's own
// direction. Qt's painter lays text out in the application's direction, whatever the direction of
// the widget it paints: in Persian, where the application reads right to left and the window stays
// left to right, Fusion would push each group box title to the right of its place, move the blanks
// that end the list's column labels before them and turn the ")" that ends "y(0)". The
// application owns the style once set.
QStyle* NewWindowStyle(const QString& name = {});

}  // namespace sho
