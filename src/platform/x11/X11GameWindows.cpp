#include "platform/x11/X11GameWindows.h"

// Qt before Xlib: Xlib's macros (Status, Bool) break Qt's headers.
#include <QThread>
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

// The client windows of the display: the window manager's list when there is one, else
// the root's children and their children (a window manager without the list reparents
// clients into frames).
std::vector<Window> ClientWindows(Display* dpy) {
  std::vector<Window> windows;
  const Window root = DefaultRootWindow(dpy);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom list = XInternAtom(dpy, "_NET_CLIENT_LIST", False);
  if (XGetWindowProperty(dpy, root, list, 0, 65536, False, XA_WINDOW, &type, &format, &count, &after,
                         &data) == Success &&
      data && format == 32 && count > 0) {
    const auto* ids = reinterpret_cast<const unsigned long*>(data);
    windows.assign(ids, ids + count);
    XFree(data);
    return windows;
  }
  if (data) XFree(data);
  Window r = 0, parent = 0, *children = nullptr;
  unsigned int n = 0;
  if (!XQueryTree(dpy, root, &r, &parent, &children, &n)) return windows;
  for (unsigned int i = 0; i < n; ++i) {
    windows.push_back(children[i]);
    Window r2 = 0, p2 = 0, *inner = nullptr;
    unsigned int m = 0;
    if (XQueryTree(dpy, children[i], &r2, &p2, &inner, &m)) {
      windows.insert(windows.end(), inner, inner + m);
      if (inner) XFree(inner);
    }
  }
  if (children) XFree(children);
  return windows;
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
  Id found = 0;
  for (Window w : ClientWindows(m_display)) {
    if (!IsShown(m_display, w)) continue;
    if (TitleOf(m_display, w) == title || ClassIs(m_display, w, exeName)) {
      found = w;
      break;
    }
  }
  XSetErrorHandler(previous);
  return found;
}

void X11GameWindows::Restore(Id window) {
  XErrorHandler previous = XSetErrorHandler(IgnoreErrors);
  XMapRaised(m_display, window);
  // A window manager is asked to activate it as well.
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(m_display, "_NET_ACTIVE_WINDOW", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = 2;  // from a pager-like tool: the request is honoured
  XSendEvent(m_display, DefaultRootWindow(m_display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &e);
  XSync(m_display, False);
  XSetErrorHandler(previous);
}

QSize X11GameWindows::WindowSize(Id window) {
  XWindowAttributes a{};
  if (!XGetWindowAttributes(m_display, window, &a)) return QSize();
  return QSize(a.width, a.height);
}

bool X11GameWindows::ClickAt(Id window, int x, int y) {
  int rootX = 0, rootY = 0;
  Window child = 0;
  if (!XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), x, y, &rootX, &rootY, &child))
    return false;
  XTestFakeMotionEvent(m_display, -1, rootX, rootY, CurrentTime);
  XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
  XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
  XSync(m_display, False);
  return true;
}

GameWindows::Id X11GameWindows::FindDialogOf(Id owner) {
  XErrorHandler previous = XSetErrorHandler(IgnoreErrors);
  XSync(m_display, False);
  Id found = 0;
  for (Window w : ClientWindows(m_display)) {
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

bool X11GameWindows::TypeInto(Id window, const QString& text, bool enter) {
  XErrorHandler previous = XSetErrorHandler(IgnoreErrors);
  XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
  XSync(m_display, False);
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
