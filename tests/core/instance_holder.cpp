// Test helper: takes an instance folder below HOME_ARG, prints it, and keeps it until
// its standard input closes.
#include <QString>
#include <cstdio>

#include "core/Startup.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const QString folder = kolt::AcquireInstanceFolder(QString::fromLocal8Bit(argv[1]));
  std::printf("%s\n", folder.toLocal8Bit().constData());
  std::fflush(stdout);
  char buf[64];
  while (std::fread(buf, 1, sizeof buf, stdin) > 0) {
  }
  return 0;
}
