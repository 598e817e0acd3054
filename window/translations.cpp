#include "window/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace sho {
namespace {

void Install(const QString& name, const QString& directory) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(QLocale(), name, QStringLiteral("_"), directory)) {
    QCoreApplication::installTranslator(translator);
  } else {
    delete translator;
  }
}

}  // namespace

void InstallTranslators() {
  Install(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  Install(QStringLiteral("sho-euler"), QStringLiteral(":/i18n"));
}

QString TranslatedRunText(const RunMessage& message) {
  const QString text = QCoreApplication::translate("RunError", message.text);
  return QString::fromStdString(FillIn(text.toStdString(), message.parts));
}

}  // namespace sho
