// Packs and unpacks about 200 MB of game-like files (10 KB to 5 MB each; compressible
// records and random data) with the archive wrapper and with Info-ZIP's zip -9 and
// unzip on the same files, and prints both times and their ratio (goal: at most 1.3).
// Usage: bench_archive [megabytes]   (default 200). Prints figures; never fails.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/UiPort.h"
#include "exchange/archive/ArchiveWrapper.h"
#include "exchange/archive/MemoryArchiveLog.h"

using namespace kolt;

namespace {

class QuietUi final : public UiPort {
 public:
  Answer ShowMessageBox(const QString& text, Buttons, Icon, const QString&, int) override {
    std::fprintf(stderr, "%s\n", qPrintable(text));
    return Answer::Ok;
  }
  std::optional<QString> InputBox(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  void ShowStatus(const QString&) override {}
  void DoEvents() override {}
};

quint64 g_seed = 88172645463325252ull;
quint64 Next() {
  g_seed ^= g_seed << 13;
  g_seed ^= g_seed >> 7;
  g_seed ^= g_seed << 17;
  return g_seed;
}

// Save-game-like content: fixed-size unit records with a few varying fields.
QByteArray Records(qint64 size) {
  QByteArray b;
  b.reserve(size);
  int unit = 0;
  while (b.size() < size) {
    QByteArray rec = "UNIT" + QByteArray::number(unit++).rightJustified(5, '0') + "|Sherman M4A3|";
    rec += QByteArray::number(static_cast<int>(Next() % 100)) + "|" +
           QByteArray::number(static_cast<int>(Next() % 64));
    rec = rec.leftJustified(48, '\0');
    b += rec;
  }
  b.truncate(size);
  return b;
}

QByteArray Random(qint64 size) {
  QByteArray b(size, '\0');
  for (qint64 i = 0; i + 8 <= size; i += 8) {
    const quint64 v = Next();
    std::memcpy(b.data() + i, &v, 8);
  }
  return b;
}

double Seconds(const QElapsedTimer& t) {
  return t.nsecsElapsed() / 1e9;
}

bool RunTool(const QString& program, const QStringList& args, const QString& folder) {
  QProcess p;
  p.setWorkingDirectory(folder);
  p.start(program, args);
  return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  QCoreApplication app(argc, argv);
  const qint64 megabytes = argc > 1 ? QByteArray(argv[1]).toLongLong() : 200;
  const qint64 total = std::max<qint64>(1, megabytes) * 1000 * 1000;

  QTemporaryDir dir;
  const QString root = dir.path() + "/root";
  QDir().mkpath(root + "/SPWAW");
  qint64 made = 0;
  int files = 0;
  while (made < total) {
    // Sizes spread evenly on a log scale between 10 KB and 5 MB.
    const double f = static_cast<double>(Next() % 10000) / 10000.0;
    const qint64 size =
        std::min<qint64>(static_cast<qint64>(10000 * std::pow(500.0, f)), total - made + 10000);
    QFile out(root + "/SPWAW/game" + QString::number(files).rightJustified(4, '0') +
              (files % 3 ? ".dat" : ".bin"));
    if (!out.open(QIODevice::WriteOnly)) return 1;
    out.write(files % 3 ? Records(size) : Random(size));
    made += size;
    ++files;
  }
  QFile sender(root + "/SENDER.TXT");
  if (!sender.open(QIODevice::WriteOnly)) return 1;
  sender.write("me@example.org\r\n(GMT+1) CET\r\n-60\r\n3.0.0\r\n");
  sender.close();
  std::printf("archive: %d files, %.1f MB (one in three random)\n", files, made / 1e6);

  QuietUi ui;
  MemoryArchiveLog log;
  ArchiveWrapper wrapper(ui, log);

  QElapsedTimer t;
  t.start();
  wrapper.ZipInit();
  const bool zipped = wrapper.Zip(dir.path() + "/ours.zip", root, {"SPWAW\\*", "SENDER.TXT"});
  const double oursZip = Seconds(t);
  t.restart();
  const bool izZipped =
      RunTool("zip", {"-9", "-q", "-r", dir.path() + "/iz.zip", "SPWAW", "SENDER.TXT"}, root);
  const double izZip = Seconds(t);

  // Both unpack the same (Info-ZIP made) archive.
  t.restart();
  wrapper.UnzipInit();
  wrapper.SetZipFName(dir.path() + "/iz.zip");
  wrapper.SetExtractRoot(dir.path() + "/ours");
  const bool unzipped = wrapper.Unzip();
  const double oursUnzip = Seconds(t);
  t.restart();
  const bool izUnzipped =
      RunTool("unzip", {"-q", "-o", dir.path() + "/iz.zip", "-d", dir.path() + "/iz"}, root);
  const double izUnzip = Seconds(t);

  std::printf(
      "archive: pack    Zip   %7.2f s (%.1f MB)%s | zip -9 -q %7.2f s (%.1f MB)%s | ratio %.2f (goal: at "
      "most 1.3)\n",
      oursZip, QFileInfo(dir.path() + "/ours.zip").size() / 1e6, zipped ? "" : " FAILED", izZip,
      QFileInfo(dir.path() + "/iz.zip").size() / 1e6, izZipped ? "" : " FAILED", oursZip / izZip);
  std::printf("archive: unpack  Unzip %7.2f s%s | unzip -q  %7.2f s%s | ratio %.2f (goal: at most 1.3)\n",
              oursUnzip, unzipped ? "" : " FAILED", izUnzip, izUnzipped ? "" : " FAILED",
              oursUnzip / izUnzip);
  return 0;
}
