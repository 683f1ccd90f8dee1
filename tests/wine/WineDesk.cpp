#include "WineDesk.h"

#include <sys/types.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <cstdlib>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace kolt::test {
namespace {

// True once a window manager announces itself on the root window.
bool WindowManagerRuns() {
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool runs =
      XGetWindowProperty(dpy, DefaultRootWindow(dpy), XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False), 0,
                         1, False, XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
      data && count == 1;
  if (data) XFree(data);
  XCloseDisplay(dpy);
  return runs;
}

QProcessEnvironment WineEnvironment(const QString& folder) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("WINEPREFIX"), folder);
  env.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
  return env;
}

// A property's raw items; Xlib hands 32-bit items over as longs.
QByteArray Property(Display* dpy, Window w, const char* name, Atom type) {
  Atom actual = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  QByteArray value;
  if (XGetWindowProperty(dpy, w, XInternAtom(dpy, name, False), 0, 1024, False, type, &actual, &format,
                         &count, &after, &data) == Success &&
      data)
    value = QByteArray(reinterpret_cast<const char*>(data),
                       qsizetype(count) * (format == 32 ? qsizetype(sizeof(long)) : format / 8));
  if (data) XFree(data);
  return value;
}

// A window of the window manager's list titled `title`; 0 when there is none.
Window ClientTitled(Display* dpy, const QString& title) {
  const QByteArray list = Property(dpy, DefaultRootWindow(dpy), "_NET_CLIENT_LIST", XA_WINDOW);
  for (qsizetype i = 0; i + qsizetype(sizeof(long)) <= list.size(); i += qsizetype(sizeof(long))) {
    const Window w = *reinterpret_cast<const unsigned long*>(list.constData() + i);
    if (QString::fromUtf8(Property(dpy, w, "_NET_WM_NAME", XInternAtom(dpy, "UTF8_STRING", False))) == title)
      return w;
  }
  return 0;
}

// Asks the window manager to activate `window`, as a click on it does, until it is the
// active one (at most `ms`).
bool MakeActive(Display* dpy, Window window, int ms) {
  const Window root = DefaultRootWindow(dpy);
  const Atom activeAtom = XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False);
  const auto active = [&] {
    const QByteArray value = Property(dpy, root, "_NET_ACTIVE_WINDOW", XA_WINDOW);
    return value.size() == sizeof(long) ? *reinterpret_cast<const unsigned long*>(value.constData()) : 0;
  };
  QElapsedTimer clock;
  clock.start();
  while (active() != window) {
    if (clock.elapsed() > ms) return false;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = activeAtom;
    e.xclient.format = 32;
    e.xclient.data.l[0] = 2;  // from a pager-like tool: the request is honoured
    XSendEvent(dpy, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XSync(dpy, False);
    QThread::msleep(100);
  }
  return true;
}

}  // namespace

WineDesk& WineDesk::Get() {
  static WineDesk desk;
  return desk;
}

WineDesk::WineDesk() : m_folder(QStringLiteral(KOLT_WINE_FOLDER)) {
  m_missing = QStringLiteral(KOLT_WINE_MISSING).trimmed();
  if (!m_missing.isEmpty()) {
    m_missing = QStringLiteral("not installed:") + QStringLiteral(KOLT_WINE_MISSING);
    return;
  }
  if (qEnvironmentVariableIsEmpty("DISPLAY")) {
    m_missing = QStringLiteral("no X display");
    return;
  }
  // Wine frames its windows only when a window manager runs; players have one.
  const QString wm = QStringLiteral(KOLT_WINDOW_MANAGER);
  if (!wm.isEmpty() && !WindowManagerRuns()) {
    QProcess::startDetached(wm, {QStringLiteral("--sm-disable")}, QString(), &m_windowManager);
    QElapsedTimer clock;
    clock.start();
    while (!WindowManagerRuns() && clock.elapsed() < 20000) QThread::msleep(50);
  }
  // Every Windows program the tests start gets the same quiet Wine (players' profiles
  // often have WINEDEBUG=-all).
  qputenv("WINEDEBUG", "-all");
  // Wine keeps its server's folder in the temporary folder: one of ours, removed at the
  // end of the run, so that a run leaves nothing in /tmp.
  QByteArray scratch = QFile::encodeName(QDir::tempPath() + QStringLiteral("/kolt-wine-XXXXXX"));
  if (::mkdtemp(scratch.data())) {
    m_scratch = QFile::decodeName(scratch);
    qputenv("TMPDIR", scratch);
  }
  QDir(m_folder).removeRecursively();
  QProcess boot;
  QProcessEnvironment env = WineEnvironment(m_folder);
  // No Mono or Gecko set-up: nothing here needs them, and they would ask.
  env.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
  // Wine links the user's Documents and Desktop to the home folder it is set up in;
  // each test has a home of its own that goes away with it, and a file-open window
  // hangs on a link to a folder that is gone.
  const QString home = m_folder + QStringLiteral("-home");
  QDir(home).removeRecursively();
  QDir().mkpath(home);
  env.insert(QStringLiteral("HOME"), home);
  boot.setProcessEnvironment(env);
  boot.setProcessChannelMode(QProcess::ForwardedChannels);
  boot.start(QStringLiteral("wineboot"), {QStringLiteral("-i")});
  bool made = boot.waitForFinished(240000);
  // The registry files are written when the server ends.
  QProcess server;
  server.setProcessEnvironment(env);
  server.start(QStringLiteral("wineserver"), {QStringLiteral("-w")});
  made = server.waitForFinished(120000) && made;
  if (!made || !QFileInfo::exists(m_folder + QStringLiteral("/system.reg")))
    m_broken = QStringLiteral("the Wine folder could not be set up in ") + m_folder;
}

bool WineDesk::Has32BitWine() {
  return QFileInfo::exists(QStringLiteral("/usr/lib/wine/wine"));
}

QString WineDesk::InstallGame(const QString& standin, const QString& game, const QString& exe) const {
  QString folder = m_folder + QStringLiteral("/drive_c/Games/") + game;
  QDir(folder).removeRecursively();
  QDir().mkpath(folder);
  QFile::copy(QStringLiteral(KOLT_STANDINS "/") + standin + QStringLiteral(".exe"),
              folder + QChar('/') + exe);
  return folder;
}

void WineDesk::SetVirtualDesktop(const QString& size) const {
  EndPrograms();
  const QString key = QStringLiteral("HKCU\\Software\\Wine\\Explorer");
  QStringList args{QStringLiteral("reg"), QStringLiteral("delete"),  key,
                   QStringLiteral("/v"),  QStringLiteral("Desktop"), QStringLiteral("/f")};
  if (!size.isEmpty()) {
    // One import for both values: each start of Wine's tools takes a second or more.
    const QString file = m_folder + QStringLiteral("/drive_c/desktop.reg");
    QFile reg(file);
    if (!reg.open(QIODevice::WriteOnly)) return;
    reg.write(QStringLiteral("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"
                             "\"Desktop\"=\"Default\"\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"
                             "\"Default\"=\"%1\"\r\n")
                  .arg(size)
                  .toLatin1());
    reg.close();
    args = QStringList{QStringLiteral("reg"), QStringLiteral("import"), QStringLiteral("C:\\desktop.reg")};
  }
  QProcess process;
  process.setProcessEnvironment(WineEnvironment(m_folder));
  process.start(QStringLiteral("wine"), args);
  process.waitForFinished(60000);
  // Wine's own programs started meanwhile keep the desktop they began with.
  EndPrograms();
}

void WineDesk::ActivateOtherWindow() {
  if (!m_display) m_display = XOpenDisplay(nullptr);
  if (!m_display) return;
  if (!m_otherWindow) {
    m_otherWindow =
        XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 300, 200, 0, 0, 0xffffff);
    XStoreName(m_display, m_otherWindow, "Another program");
  }
  XMapRaised(m_display, m_otherWindow);
  XSync(m_display, False);
  MakeActive(m_display, m_otherWindow, 5000);
}

void WineDesk::EndPrograms() const {
  if (!m_missing.isEmpty()) return;
  QProcess kill;
  kill.setProcessEnvironment(WineEnvironment(m_folder));
  kill.start(QStringLiteral("wineserver"), {QStringLiteral("-k")});
  kill.waitForFinished(20000);
  // A server still ending would take the next program's start with it.
  QProcess wait;
  wait.setProcessEnvironment(WineEnvironment(m_folder));
  wait.start(QStringLiteral("wineserver"), {QStringLiteral("-w")});
  wait.waitForFinished(20000);
}

void WineDesk::EndProgram(qint64 pid) {
  if (pid <= 0) return;
  ::kill(pid_t(pid), SIGTERM);
  QElapsedTimer clock;
  clock.start();
  while (::kill(pid_t(pid), 0) == 0 && clock.elapsed() < 5000) QThread::msleep(20);
}

void WineDesk::TearDown() {
  EndPrograms();
  if (m_display) XCloseDisplay(m_display);
  m_display = nullptr;
  if (m_windowManager > 0) ::kill(pid_t(m_windowManager), SIGTERM);
  m_windowManager = 0;
  if (!m_scratch.isEmpty()) QDir(m_scratch).removeRecursively();
  m_scratch.clear();
}

bool HasWindow(const QString& title) {
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) return false;
  XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  const bool found = ClientTitled(dpy, title) != 0;
  XSetErrorHandler(previous);
  XCloseDisplay(dpy);
  return found;
}

bool ActivateWindow(const QString& title, int ms) {
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) return false;
  XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  QElapsedTimer clock;
  clock.start();
  Window found = 0;
  while (!(found = ClientTitled(dpy, title)) && clock.elapsed() < ms) QThread::msleep(50);
  const bool active = found && MakeActive(dpy, found, int(std::max<qint64>(ms - clock.elapsed(), 1000)));
  XSetErrorHandler(previous);
  XCloseDisplay(dpy);
  return active;
}

QString WaitForText(const QString& path, const QString& text, int ms) {
  QElapsedTimer clock;
  clock.start();
  QString content;
  for (;;) {
    QFile f(path);
    content = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    if (content.contains(text) || clock.elapsed() > ms) return content;
    QThread::msleep(50);
  }
}

}  // namespace kolt::test
