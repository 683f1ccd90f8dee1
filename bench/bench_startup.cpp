// Start-up of the window on a large home, beside bare Qt programs that do only the
// drawing: for each number of games (the home of bench_refresh: Steel Panthers, Combat
// Mission, Space Empires IV and a user-defined program),
//   - kolt-helper from start to its first paint, against a bare Qt window (a main window
//     with menus and a status bar) started to its first paint;
//   - kolt-helper from start to a painted, filled games list, against a bare QTreeView
//     given the same rows and columns (the texts kolt-cli list reads), started to its
//     first paint. The list is filled with the rows the last session kept; the figure
//     of every game read again (the check that replaces those rows) is printed after it.
// Each figure is the median of five runs after one to warm the caches. Run it on a
// display (xvfb-run -a); without one it uses the offscreen platform and says so.
// Prints figures; never fails.
//
//   xvfb-run -a bench_startup [GAMES...]      (default: 2000 10000)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "ChildRun.h"

namespace {

constexpr int kColumns = 9;

double Ms(const QElapsedTimer& t) {
  return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

// Ends the run once its window has been painted.
class QuitAtPaint final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return QObject::eventFilter(watched, event);
  }
};

// The bare window: a frame with the main window's menus and a status bar, nothing read.
void AddMenus(QMainWindow& window) {
  for (const char* menu : {"&File", "&Options", "&Help"})
    window.menuBar()->addMenu(QString::fromLatin1(menu));
  window.statusBar()->showMessage(QStringLiteral("Ready"));
  window.resize(1200, 660);
}

int ChildBare(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  AddMenus(window);
  QuitAtPaint quit;
  window.installEventFilter(&quit);
  window.show();
  return QApplication::exec();
}

// The games list's texts, one row a line, cells separated by tabs.
class TextRows final : public QAbstractTableModel {
 public:
  explicit TextRows(std::vector<QStringList> rows) : m_rows(std::move(rows)) {}
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
  }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : kColumns; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return QVariant();
    return m_rows[static_cast<size_t>(index.row())].value(index.column());
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QVariant();
    return QStringLiteral("Column ") + QString::number(section);
  }

 private:
  std::vector<QStringList> m_rows;
};

int ChildTree(int argc, char** argv, const QString& rowsFile) {
  QApplication app(argc, argv);
  QFile file(rowsFile);
  std::vector<QStringList> rows;
  if (file.open(QIODevice::ReadOnly)) {
    const QList<QByteArray> lines = file.readAll().split('\n');
    rows.reserve(static_cast<size_t>(lines.size()));
    for (const QByteArray& line : lines) {
      if (!line.isEmpty()) rows.push_back(QString::fromUtf8(line).split(QChar('\t')));
    }
  }
  TextRows model(std::move(rows));
  QMainWindow window;
  AddMenus(window);
  auto* view = new QTreeView;
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setModel(&model);
  view->header()->setResizeContentsPrecision(200);
  for (int c = 0; c < kColumns; ++c) view->resizeColumnToContents(c);
  window.setCentralWidget(view);
  QuitAtPaint quit;
  window.installEventFilter(&quit);
  window.show();
  return QApplication::exec();
}

using Run = kolt::bench::ChildRun;

Run Spawn(const QStringList& arguments, const QString& output) {
  return kolt::bench::RunChild(arguments, output);
}

Run Timed(const QStringList& arguments, const QString& output) {
  Spawn(arguments, output);
  std::vector<Run> runs;
  runs.reserve(5);
  for (int i = 0; i < 5; ++i) runs.push_back(Spawn(arguments, output));
  std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.ms < b.ms; });
  return runs[runs.size() / 2];
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The rows kolt-cli lists for the home, as the bare tree reads them.
int WriteRows(const QString& json, const QString& rowsFile) {
  const QJsonArray games =
      QJsonDocument::fromJson(ReadAll(json)).object().value(QStringLiteral("games")).toArray();
  QByteArray text;
  for (const auto& g : games) {
    const QJsonObject o = g.toObject();
    QStringList cells;
    for (const char* key : {"game", "file_name", "info", "modified", "size", "status", "mode", "email"})
      cells.append(
          o.value(QLatin1String(key)).toVariant().toString().remove(QChar('\t')).remove(QChar('\n')));
    const QJsonValue waiting = o.value(QStringLiteral("waiting_seconds"));
    cells.append(waiting.isNull() ? QString()
                                  : QString::number(waiting.toDouble() / 86400.0, 'f', 0) + " days");
    text += cells.join(QChar('\t')).toUtf8() + '\n';
  }
  QFile f(rowsFile);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(text);
  return static_cast<int>(games.size());
}

void PointEnvironmentAt(const QString& root, const QString& home) {
  kolt::bench::PointHomeAt(root, home);
  // No desktop bus: the tray and notifications are absent alike in every run.
  qputenv("DBUS_SESSION_BUS_ADDRESS", "");
}

double Mb(long kb) {
  return static_cast<double>(kb) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && QByteArray(argv[1]) == "--child") {
    const QByteArray mode = argv[2];
    if (mode == "bare") return ChildBare(argc, argv);
    if (mode == "tree" && argc > 3) return ChildTree(argc, argv, QString::fromLocal8Bit(argv[3]));
    return 2;
  }
  const QString self = QString::fromLocal8Bit(argv[0]);
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::max(1, atoi(argv[i])));
  if (counts.empty()) counts = {2000, 10000};
  const bool display = !qEnvironmentVariableIsEmpty("DISPLAY");
  qputenv("QT_QPA_PLATFORM", display ? "xcb" : "offscreen");
  std::printf("bench_startup: %s, %ld cores, load average at start: %s\n",
              display ? "on the display (xcb)" : "no display: offscreen platform",
              ::sysconf(_SC_NPROCESSORS_ONLN), ReadAll("/proc/loadavg").trimmed().constData());

  QTemporaryDir dir;
  const QString out = dir.path() + "/out.txt";
  for (const int games : counts) {
    const QString root = dir.path() + "/g" + QString::number(games);
    Spawn({QStringLiteral(BENCH_REFRESH), "--child", "home", root, QString::number(games)}, out);
    const QString home = QString::fromLocal8Bit(ReadAll(out).trimmed());
    PointEnvironmentAt(root, home);
    // A player's files were written a while ago (see bench_refresh).
    QThread::sleep(3);
    Spawn({QStringLiteral(KOLT_CLI), "--yes", "list", "--json"}, out);
    const QString rowsFile = root + "/rows.tsv";
    const int rows = WriteRows(out, rowsFile);

    const Run bare = Timed({self, "--child", "bare"}, out);
    const Run tree = Timed({self, "--child", "tree", rowsFile}, out);
    qputenv("KOLT_EXIT_AT", "painted");
    const Run painted = Timed({QStringLiteral(KOLT_HELPER)}, out);
    // Reading every game first also keeps its rows for the next start, which shows them.
    qputenv("KOLT_EXIT_AT", "filled");
    const Run filled = Timed({QStringLiteral(KOLT_HELPER)}, out);
    qputenv("KOLT_EXIT_AT", "shown");
    const Run shown = Timed({QStringLiteral(KOLT_HELPER)}, out);
    qunsetenv("KOLT_EXIT_AT");
    std::printf("\n%d games (%d rows listed), load average now %s\n", games, rows,
                ReadAll("/proc/loadavg").trimmed().constData());
    auto line = [](const char* what, const Run& run) {
      std::printf("  %-40s %6.0f ms (CPU %5.0f ms), peak %5.1f MB, exit %d\n", what, run.ms, run.cpuMs,
                  Mb(run.maxRssKb), run.status);
    };
    line("bare Qt window to first paint:", bare);
    line("kolt-helper to first paint:", painted);
    line("bare QTreeView, same rows, painted:", tree);
    line("kolt-helper to the last session's rows:", shown);
    line("kolt-helper to every game read, painted:", filled);
    std::printf("  first paint: ratio %.2f (CPU %.2f), goal at most 2\n", painted.ms / bare.ms,
                painted.cpuMs / bare.cpuMs);
    std::printf("  filled list: ratio %.2f (CPU %.2f), goal at most 2\n", shown.ms / tree.ms,
                shown.cpuMs / tree.cpuMs);
    std::printf("  every game read: ratio %.2f (CPU %.2f)\n", filled.ms / tree.ms, filled.cpuMs / tree.cpuMs);
    std::fflush(stdout);
  }
  return 0;
}
