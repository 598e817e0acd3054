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

QString Translated(const Message& message) {
  const Translate translate = [](const char* context, const char* text) {
    return QCoreApplication::translate(context, text).toStdString();
  };
  return QString::fromStdString(Render(message, translate));
}

NumberSymbols LocaleNumberSymbols() {
  const QLocale locale;
  return {locale.zeroDigit().toUcs4().value(0, U'0'), locale.decimalPoint().toStdString()};
}

}  // namespace sho
