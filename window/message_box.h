#pragma once

#include <QMessageBox>
#include <QString>

namespace sho {

// Opens a message over `window` with an OK button, `text` and below it `details`; `name` is its
// object name. It keeps the window from input until dismissed, then goes away and leaves the
// window usable.
QMessageBox* OpenMessageBox(QWidget& window, QMessageBox::Icon icon, const char* name,
                            const QString& title, const QString& text, const QString& details);

}  // namespace sho
