#include "app/qt/JapaneseTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QTranslator* InstallJapaneseTranslations(QCoreApplication& app) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  auto* translator = new QTranslator(&app);
  // qtbase_ja holds the widgets' texts; qt_ja is the catalogue that names it
  // (and the other modules), and is all some installations ship.
  for (const QString& name : {QStringLiteral("qtbase"), QStringLiteral("qt")}) {
    if (translator->load(japanese, name, QStringLiteral("_"), folder) && QCoreApplication::installTranslator(translator))
      return translator;
  }
  delete translator;
  return nullptr;
}
