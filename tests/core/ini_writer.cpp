// Test helper: writes keys into an INI file and reports each write once it returned.
//   ini_writer FILE SECTION PREFIX COUNT
// writes PREFIX<i> = value-<i> for i in [0, COUNT) and prints "i" after each write.
#include <QCoreApplication>
#include <QString>
#include <cstdio>

#include "core/Settings.h"

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  const QString file = QString::fromLocal8Bit(argv[1]);
  const QString section = QString::fromLocal8Bit(argv[2]);
  const QString prefix = QString::fromLocal8Bit(argv[3]);
  const int count = QString::fromLocal8Bit(argv[4]).toInt();
  for (int i = 0; i < count; ++i) {
    kolt::IniWrite(section, prefix + QString::number(i), QStringLiteral("value-") + QString::number(i), file);
    std::printf("%d\n", i);
    std::fflush(stdout);
  }
  return 0;
}
