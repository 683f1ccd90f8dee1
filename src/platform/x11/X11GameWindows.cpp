#include "platform/x11/X11GameWindows.h"

// Qt before Xlib: Xlib's macros (Status, Bool) break Qt's headers.
#include <QElapsedTimer>
#include <QPoint>
#include <QThread>
#include <algorithm>
#include <vector>

#include "platform/x11/X11Typist.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace kolt {
namespace {

// A window that vanished between two requests must not end the program.
int IgnoreErrors(Display*, XErrorEvent*) {
  return 0;
}

QString TitleOf(Display* dpy, Window w) {
  // _NET_WM_NAME (UTF-8) first, as toolkits set it; WM_NAME otherwise.
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom netName = XInternAtom(dpy, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
  if (XGetWindowProperty(dpy, w, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
          Success &&
      data) {
    QString title = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
    XFree(data);
    if (!title.isEmpty()) return title;
  }
  char* name = nullptr;
  if (XFetchName(dpy, w, &name) && name) {
    QString title = QString::fromLocal8Bit(name);
    XFree(name);
    return title;
  }
  return QString();
}

bool ClassIs(Display* dpy, Window w, const QString& exeName) {
  XClassHint hint{};
  if (!XGetClassHint(dpy, w, &hint)) return false;
  const bool match =
      (hint.res_name && QString::fromLocal8Bit(hint.res_name).compare(exeName, Qt::CaseInsensitive) == 0) ||
      (hint.res_class && QString::fromLocal8Bit(hint.res_class).compare(exeName, Qt::CaseInsensitive) == 0);
  if (hint.res_name) XFree(hint.res_name);
  if (hint.res_class) XFree(hint.res_class);
  return match;
}

bool IsShown(Display* dpy, Window w) {
  XWindowAttributes a{};
  return XGetWindowAttributes(dpy, w, &a) && a.map_state == IsViewable;
}

// A 32-bit property's values (CARDINAL, WINDOW, ATOM); empty when it is not set.
std::vector<unsigned long> LongProperty(Display* dpy, Window w, const char* name, Atom type) {
  std::vector<unsigned long> values;
  Atom actual = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(dpy, w, XInternAtom(dpy, name, False), 0, 1024, False, type, &actual, &format,
                         &count, &after, &data) == Success &&
      data && format == 32) {
    const auto* items = reinterpret_cast<const unsigned long*>(data);
    values.assign(items, items + count);
  }
  if (data) XFree(data);
  return values;
}

// Minimised: a window manager unmaps the window and marks it hidden (or iconic in the
// older WM_STATE), yet keeps it in its list.
bool IsMinimised(Display* dpy, Window w) {
  const Atom hidden = XInternAtom(dpy, "_NET_WM_STATE_HIDDEN", False);
  for (unsigned long state : LongProperty(dpy, w, "_NET_WM_STATE", XA_ATOM)) {
    if (state == hidden) return true;
  }
  const Atom wmState = XInternAtom(dpy, "WM_STATE", False);
  const std::vector<unsigned long> icccm = LongProperty(dpy, w, "WM_STATE", wmState);
  return !icccm.empty() && icccm[0] == IconicState;
}

unsigned long ProcessOf(Display* dpy, Window w) {
  const std::vector<unsigned long> pid = LongProperty(dpy, w, "_NET_WM_PID", XA_CARDINAL);
  return pid.empty() ? 0 : pid[0];
}

void AppendChildren(Display* dpy, Window w, int depth, std::vector<Window>& out) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int n = 0;
  if (!XQueryTree(dpy, w, &root, &parent, &children, &n)) return;
  for (unsigned int i = 0; i < n; ++i) {
    out.push_back(children[i]);
    if (depth > 1) AppendChildren(dpy, children[i], depth - 1, out);
  }
  if (children) XFree(children);
}

// The windows a game's may be among: the window manager's list, then the root's
// children down to three levels. Without a window manager that is where clients are;
// under one, frames hold the clients; with Wine's virtual desktop every Windows window
// is a child of the desktop's X window, which is itself inside a frame.
std::vector<Window> CandidateWindows(Display* dpy) {
  std::vector<Window> windows = LongProperty(dpy, DefaultRootWindow(dpy), "_NET_CLIENT_LIST", XA_WINDOW);
  AppendChildren(dpy, DefaultRootWindow(dpy), 3, windows);
  return windows;
}

// The window a window manager knows that holds `w`: `w` itself for a game's own top-level
// window, the desktop's window for a window inside Wine's virtual desktop. Managed
// windows carry WM_STATE; without a window manager it is the root's child.
Window TopLevelOf(Display* dpy, Window w) {
  const Atom wmState = XInternAtom(dpy, "WM_STATE", False);
  for (int depth = 0; depth < 8; ++depth) {
    if (!LongProperty(dpy, w, "WM_STATE", wmState).empty()) return w;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(dpy, w, &root, &parent, &children, &n)) return w;
    if (children) XFree(children);
    if (parent == root || parent == 0) return w;
    w = parent;
  }
  return w;
}

// Inside Wine's virtual desktop no window manager frames a window: Wine draws the
// Windows frame and title bar itself, inside the X window, which is the whole Windows
// window. A game's coordinates begin at its client area, below and right of that frame.
// Wine states the decorations it drew in _MOTIF_WM_HINTS (as it does for a window
// manager); their sizes are Wine's: a frame of 3 px (4 px when the window can be
// resized) and a title bar of 19 px.
QPoint ClientOffset(Display* dpy, Window w) {
  if (TopLevelOf(dpy, w) == w) return {};  // a window manager's frame is outside it
  const Atom motif = XInternAtom(dpy, "_MOTIF_WM_HINTS", False);
  const std::vector<unsigned long> hints = LongProperty(dpy, w, "_MOTIF_WM_HINTS", motif);
  constexpr unsigned long kHasDecorations = 1UL << 1, kResizeFrame = 1UL << 2, kTitle = 1UL << 3;
  if (hints.size() < 3 || !(hints[0] & kHasDecorations) || !(hints[2] & kTitle)) return {};
  const int frame = (hints[2] & kResizeFrame) ? 4 : 3;
  constexpr int kCaption = 19;
  return {frame, frame + kCaption};
}

// A game minimised inside Wine's virtual desktop stays a shown X window: the small title
// bar Wine draws at the foot of the desktop (160x24 px by default), which no window
// manager knows of.
bool IsMinimisedInDesktop(Display* dpy, Window w) {
  XWindowAttributes a{};
  if (TopLevelOf(dpy, w) == w || !XGetWindowAttributes(dpy, w, &a) || a.map_state != IsViewable) return false;
  constexpr int kMaxWidth = 320, kMaxHeight = 40;
  return a.width <= kMaxWidth && a.height <= kMaxHeight;
}

// Waits (a few seconds at most) until Wine has handled what reached `w` so far. Wine
// answers a _NET_WM_PING sent to a window from the thread that takes the window's input,
// after the events before it, by sending it on to the root window. Input that arrives
// while that thread is busy (restoring the window, or on a loaded machine) is otherwise
// taken in late, with the pointer where later events left it. A window that does not
// answer pings is not waited for.
void WaitForWine(Display* dpy, Window w) {
  const Atom protocols = XInternAtom(dpy, "WM_PROTOCOLS", False);
  const Atom ping = XInternAtom(dpy, "_NET_WM_PING", False);
  Atom* list = nullptr;
  int count = 0;
  bool answers = false;
  if (XGetWMProtocols(dpy, w, &list, &count) && list) {
    answers = std::find(list, list + count, ping) != list + count;
    XFree(list);
  }
  if (!answers) return;
  const Window root = DefaultRootWindow(dpy);
  static long token = 0;
  ++token;
  XSelectInput(dpy, root, SubstructureNotifyMask);
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = protocols;
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(ping);
  e.xclient.data.l[1] = token;
  e.xclient.data.l[2] = static_cast<long>(w);
  XSendEvent(dpy, w, False, NoEventMask, &e);
  XSync(dpy, False);
  QElapsedTimer clock;
  clock.start();
  bool answered = false;
  while (!answered && clock.elapsed() < 5000) {
    while (!answered && XPending(dpy) > 0) {
      XEvent event{};
      XNextEvent(dpy, &event);
      answered = event.type == ClientMessage && event.xclient.message_type == protocols &&
                 static_cast<Atom>(event.xclient.data.l[0]) == ping && event.xclient.data.l[1] == token;
    }
    if (!answered) QThread::msleep(5);
  }
  XSelectInput(dpy, root, NoEventMask);
  XSync(dpy, False);
  while (XPending(dpy) > 0) {  // what the root reported meanwhile is of no use here
    XEvent event{};
    XNextEvent(dpy, &event);
  }
}

void FakeClick(Display* dpy, int rootX, int rootY) {
  XTestFakeMotionEvent(dpy, -1, rootX, rootY, CurrentTime);
  XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
  XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
  XSync(dpy, False);
}

void FakeKey(Display* dpy, KeySym key, bool press) {
  const KeyCode code = XKeysymToKeycode(dpy, key);
  if (code) XTestFakeKeyEvent(dpy, code, press ? True : False, CurrentTime);
}

// Restores a game minimised inside Wine's virtual desktop the way Windows lets a player
// do it without a taskbar: a click on its title bar makes it Wine's active window, and
// Alt+Enter restores the active minimised window (Wine's default window procedure; a
// double click would need a title bar the game may not have). Tried once more if it
// stays minimised for long; the bounds are generous for a busy machine, and a healthy one
// returns as soon as the window is back. The desktop must have the keys.
void RestoreInDesktop(Display* dpy, Window w) {
  for (int attempt = 0; attempt < 2 && IsMinimisedInDesktop(dpy, w); ++attempt) {
    XWindowAttributes a{};
    int rootX = 0, rootY = 0;
    Window child = 0;
    if (!XGetWindowAttributes(dpy, w, &a) ||
        !XTranslateCoordinates(dpy, w, DefaultRootWindow(dpy), a.width / 4, a.height / 2, &rootX, &rootY,
                               &child))
      return;
    FakeClick(dpy, rootX, rootY);
    // Wine has read the click once it answers; it makes the window active a moment
    // later, and keys reach the window active when Wine takes them in.
    WaitForWine(dpy, w);
    QThread::msleep(100);
    FakeKey(dpy, XK_Alt_L, true);
    FakeKey(dpy, XK_Return, true);
    FakeKey(dpy, XK_Return, false);
    FakeKey(dpy, XK_Alt_L, false);
    XSync(dpy, False);
    QElapsedTimer step;
    step.start();
    while (IsMinimisedInDesktop(dpy, w) && step.elapsed() < 5000) QThread::msleep(20);
  }
  WaitForWine(dpy, w);  // the restore ends after the window has its size back
}

// Asks the window manager to make `window` the active one and waits (a few seconds at
// most) until it is shown and active. Wine takes keys and clicks only for the window it
// activated itself, which it does when the window manager hands it the focus; a focus
// set directly leaves its keys going to the window that was active before. Without a
// window manager the focus is set directly.
void Activate(Display* dpy, Window target) {
  const Window root = DefaultRootWindow(dpy);
  // Inside Wine's virtual desktop the desktop is what the window manager activates; Wine
  // hands the keys on to the Windows window in front.
  const Window window = TopLevelOf(dpy, target);
  const bool managed = !LongProperty(dpy, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty();
  if (managed) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(dpy, "_NET_ACTIVE_WINDOW", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = 2;  // from a pager-like tool: the request is honoured
    XSendEvent(dpy, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  }
  XSync(dpy, False);
  auto ready = [&] {
    if (!IsShown(dpy, window)) return false;
    if (!managed) return true;
    const std::vector<unsigned long> active = LongProperty(dpy, root, "_NET_ACTIVE_WINDOW", XA_WINDOW);
    return !active.empty() && active[0] == window;
  };
  QElapsedTimer clock;
  clock.start();
  bool waited = false;
  // A generous bound: a busy machine takes its time, a healthy one returns at once.
  while (!ready() && clock.elapsed() < 10000) {
    QThread::msleep(20);
    waited = true;
  }
  if (!managed) {
    XSetInputFocus(dpy, window, RevertToParent, CurrentTime);
    XSync(dpy, False);
  }
  // Wine takes the change a moment after the window manager announced it.
  if (waited) QThread::msleep(200);
}

}  // namespace

std::unique_ptr<X11GameWindows> X11GameWindows::Open() {
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) return nullptr;
  int event = 0, error = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(dpy, &event, &error, &major, &minor)) {
    XCloseDisplay(dpy);
    return nullptr;
  }
  return std::unique_ptr<X11GameWindows>(new X11GameWindows(dpy));
}

X11GameWindows::X11GameWindows(Display* display) : m_display(display) {}

X11GameWindows::~X11GameWindows() {
  XCloseDisplay(m_display);
}

GameWindows::Id X11GameWindows::FindGameWindow(const QString& title, const QString& exeName) {
  XErrorHandler previous = XSetErrorHandler(IgnoreErrors);
  XSync(m_display, False);
  // A shown window first, then a minimised one; the title before the class, which
  // Wine also gives to helper windows of the game (its input-method window).
  Id found = 0;
  const std::vector<Window> windows = CandidateWindows(m_display);
  for (int pass = 0; pass < 4 && found == 0; ++pass) {
    const bool byTitle = pass % 2 == 0;
    const bool shown = pass < 2;
    for (Window w : windows) {
      if (shown ? !IsShown(m_display, w) : !IsMinimised(m_display, w)) continue;
      if (byTitle ? TitleOf(m_display, w) == title : ClassIs(m_display, w, exeName)) {
        found = w;
        break;
      }
    }
  }
  XSetErrorHandler(previous);
  return found;
}

void X11GameWindows::Restore(Id window) {
  XErrorHandler previous = XSetErrorHandler(IgnoreErrors);
  XMapRaised(m_display, window);
  Activate(m_display, window);
  if (IsMinimisedInDesktop(m_display, window)) RestoreInDesktop(m_display, window);
  XSetErrorHandler(previous);
}

QSize X11GameWindows::WindowSize(Id window) {
  XErrorHandler previous = XSetErrorHandler(IgnoreErrors);
  XWindowAttributes a{};
  QSize size;
  if (XGetWindowAttributes(m_display, window, &a)) {
    size = QSize(a.width, a.height);
    // A window manager's frame is outside the client window: left, right, top, bottom.
    const std::vector<unsigned long> frame =
        LongProperty(m_display, window, "_NET_FRAME_EXTENTS", XA_CARDINAL);
    if (frame.size() == 4) size += QSize(int(frame[0] + frame[1]), int(frame[2] + frame[3]));
  }
  XSetErrorHandler(previous);
  return size;
}

bool X11GameWindows::ClickAt(Id window, int x, int y) {
  XErrorHandler previous = XSetErrorHandler(IgnoreErrors);
  const QPoint client = ClientOffset(m_display, window);
  int rootX = 0, rootY = 0;
  Window child = 0;
  const bool placed = XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), x + client.x(),
                                            y + client.y(), &rootX, &rootY, &child);
  XSetErrorHandler(previous);
  if (!placed) return false;
  FakeClick(m_display, rootX, rootY);
  previous = XSetErrorHandler(IgnoreErrors);
  WaitForWine(m_display, window);
  XSetErrorHandler(previous);
  return true;
}

GameWindows::Id X11GameWindows::FindDialogOf(Id owner) {
  XErrorHandler previous = XSetErrorHandler(IgnoreErrors);
  XSync(m_display, False);
  Id found = 0;
  for (Window w : CandidateWindows(m_display)) {
    Window transientFor = 0;
    if (w != owner && XGetTransientForHint(m_display, w, &transientFor) && transientFor == owner &&
        IsShown(m_display, w)) {
      found = w;
      break;
    }
  }
  XSetErrorHandler(previous);
  return found;
}

std::vector<GameWindows::Id> X11GameWindows::OtherWindowsOfProcess(Id window) {
  XErrorHandler previous = XSetErrorHandler(IgnoreErrors);
  XSync(m_display, False);
  std::vector<Id> found;
  const unsigned long pid = ProcessOf(m_display, window);
  if (pid != 0) {
    for (Window w : CandidateWindows(m_display)) {
      if (w == window || !IsShown(m_display, w) || ProcessOf(m_display, w) != pid) continue;
      // Wine's helper windows (input method, clipboard) are never shown; a 1x1 one is
      // no dialog either.
      XWindowAttributes a{};
      if (!XGetWindowAttributes(m_display, w, &a) || a.width < 16 || a.height < 16) continue;
      if (std::find(found.begin(), found.end(), w) == found.end()) found.push_back(w);
    }
  }
  XSetErrorHandler(previous);
  return found;
}

bool X11GameWindows::TypeInto(Id window, const QString& text, bool enter) {
  XErrorHandler previous = XSetErrorHandler(IgnoreErrors);
  Activate(m_display, window);
  XSetErrorHandler(previous);
  QThread::msleep(50);  // the window takes the focus before the first key arrives
  X11Typist typist(m_display);
  bool typed = text.isEmpty() || typist.Type(text);
  if (enter) {
    const KeyCode code = XKeysymToKeycode(m_display, XK_Return);
    typed = code != 0 && typed;
    if (code) {
      XTestFakeKeyEvent(m_display, code, True, CurrentTime);
      XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    }
  }
  XSync(m_display, False);
  return typed;
}

}  // namespace kolt
