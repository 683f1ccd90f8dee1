#include "core/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace translations {

namespace {

// Compiled into the program from translations/*.ts (see src/core/CMakeLists.txt).
const QString kOwnFolder = QStringLiteral(":/i18n");

struct Installed {
  QTranslator own;
  QTranslator qt;
};

Installed& Current() {
  static Installed installed;
  return installed;
}

}  // namespace

void Install(const QLocale& locale) {
  Installed& installed = Current();
  QCoreApplication::removeTranslator(&installed.own);
  QCoreApplication::removeTranslator(&installed.qt);
  if (!installed.own.load(locale, QStringLiteral("kolt"), QStringLiteral("_"), kOwnFolder))
    (void)installed.own.load(QStringLiteral("kolt_en"), kOwnFolder);
  QCoreApplication::installTranslator(&installed.own);
  // Qt's translations come with Qt (qt6-translations-l10n); without them its few texts
  // stay English.
  if (installed.qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&installed.qt);
}

}  // namespace translations
