// Reads 8 keys of each of 5,000 game records from a KOLT.INI of 40,000 lines and sets
// the time beside that of one plain parse of the file. The parse cache should keep the
// ratio below 3. Prints figures; never fails.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "core/Settings.h"

using namespace kolt;

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/KOLT.INI");
  const char* suffixes[8] = {"", "/S", "/R", "/M", "/P", "/SN", "/HP", "/ME"};
  QByteArray text = "[SPWAW]\r\n";
  int lines = 1;
  for (int r = 0; r < 5000; ++r) {
    for (const char* s : suffixes) {
      text +=
          "game" + QByteArray::number(r) + ".dat" + s + "=value of record " + QByteArray::number(r) + "\r\n";
      ++lines;
    }
  }
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return 1;
  f.write(text);
  f.close();

  // One plain parse: the first read after the cache was emptied reads and parses it all.
  const int rounds = 5;
  qint64 parseNs = 0;
  for (int i = 0; i < rounds; ++i) {
    ClearIniCache();
    QElapsedTimer t;
    t.start();
    IniRead(QStringLiteral("SPWAW"), QStringLiteral("game0.dat"), QString(), path);
    parseNs += t.nsecsElapsed();
  }
  parseNs /= rounds;

  QElapsedTimer t;
  t.start();
  qsizetype total = 0;
  for (int r = 0; r < 5000; ++r) {
    const QString key = QStringLiteral("game") + QString::number(r) + QStringLiteral(".dat");
    for (const char* s : suffixes)
      total += IniRead(QStringLiteral("SPWAW"), key + QLatin1String(s), QString(), path).size();
  }
  const qint64 readNs = t.nsecsElapsed();
  std::printf("settings: %d lines, %lld bytes\n", lines, static_cast<long long>(text.size()));
  std::printf("settings: one plain parse     %8.2f ms\n", parseNs / 1e6);
  std::printf("settings: 40000 cached reads  %8.2f ms (%lld characters)\n", readNs / 1e6,
              static_cast<long long>(total));
  std::printf("settings: ratio reads/parse   %8.2f (goal: below 3)\n", static_cast<double>(readNs) / parseNs);

  // Writes replace the whole file atomically and flush it to disk: their cost is mostly
  // the flush, and grows with the file.
  QElapsedTimer w;
  w.start();
  const int writes = 50;
  for (int i = 0; i < writes; ++i) {
    // A failed write would be timed as a cheap one.
    if (!IniWrite(QStringLiteral("SPWAW"),
                  QStringLiteral("game") + QString::number(i) + QStringLiteral(".dat/R"),
                  QStringLiteral("2026-01-01 00:00:0") + QString::number(i % 10), path)) {
      std::fprintf(stderr, "settings: the write to %s failed\n", qPrintable(path));
      return 1;
    }
  }
  std::printf("settings: one write           %8.2f ms (mean of %d)\n", w.nsecsElapsed() / 1e6 / writes,
              writes);
  return 0;
}
