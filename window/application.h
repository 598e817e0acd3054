#pragma once

#include <QIcon>
#include <QString>

namespace sho {

// The name desktops know the program by ("io.github.sho_euler.ShoEuler"): its desktop entry, its
// icon and its AppStream metainfo are named after it.
QString ApplicationId();

// The program's icon, the same drawing as the icon it installs, at the sizes desktops show.
QIcon ProgramIcon();

// Done once before the window is made: one style everywhere (Fusion, or the one the user names with
// -style), so that the window's colours show as designed whatever the desktop's theme; the desktop
// entry desktops match the window to; the icon of every window; the translations for the user's
// language.
void SetUpApplication(const QString& style_asked = {});

}  // namespace sho
