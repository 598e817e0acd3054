#include "window/application.h"

#include <QApplication>

#include "window/translations.h"
#include "window/window_style.h"

namespace sho {

QString ApplicationId() { return QStringLiteral(SHO_APPLICATION_ID); }

// Qt's SVG icon engine draws the icon at a size only when that size is asked for.
QIcon ProgramIcon() { return QIcon(QStringLiteral(":/icons/%1.svg").arg(ApplicationId())); }

void SetUpApplication(const QString& style_asked) {
  QApplication::setStyle(NewWindowStyle(style_asked));
  QGuiApplication::setDesktopFileName(ApplicationId());
  QApplication::setWindowIcon(ProgramIcon());
  InstallTranslators();
}

}  // namespace sho
