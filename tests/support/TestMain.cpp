#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <clocale>

#include "core/Translations.h"

#ifdef KOLT_TEST_GUI
#include <QApplication>
using TestApp = QApplication;
#else
#include <QCoreApplication>
using TestApp = QCoreApplication;
#endif

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  ::testing::InitGoogleTest(&argc, argv);
  // Nothing a test does may reach the real desktop: Qt keeps file dialog history and
  // other state under the home and XDG folders, so the whole run gets its own.
  QTemporaryDir home;
  for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
    const QString folder = home.path() + QStringLiteral("/") + QString::fromLatin1(name);
    QDir().mkpath(folder);
    qputenv(name, QFile::encodeName(folder));
  }
  TestApp app(argc, argv);
  // English, with its plural forms, whatever the machine's language.
  translations::Install(QLocale(QLocale::English));
  return RUN_ALL_TESTS();
}
