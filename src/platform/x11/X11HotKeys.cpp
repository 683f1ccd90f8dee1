#include "platform/x11/X11HotKeys.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QSocketNotifier>

#include "core/UiPort.h"
#include "platform/x11/X11Typist.h"

// Xlib last: its macros (None, Bool, KeyPress, ...) clash with Qt names.
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace kolt {
namespace {

constexpr unsigned kHotKeyModifiers = ControlMask | ShiftMask;
constexpr int kReleaseWaitMs = 3000;

// XGrabKey reports a key taken by another client only asynchronously, as a BadAccess
// error; the handler is installed around the grab and the XSync that flushes it.
bool g_grabFailed = false;
int GrabErrorHandler(Display*, XErrorEvent* error) {
  if (error->error_code == BadAccess) g_grabFailed = true;
  return 0;
}

// Xlib's default handler ends the process on any protocol error; a refused mapping
// change or a window that vanished must not take the helper down with it.
// True when the window with the keyboard focus (or the one a window manager calls
// active) is one of this process's own: a window manager may hand the focus to us
// when the game's dialog closes, and the text would then land in our lists.
bool OwnWindowFocused(Display* dpy) {
  XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  const Atom pidAtom = XInternAtom(dpy, "_NET_WM_PID", False);
  const auto pidOf = [&](Window w) -> unsigned long {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    unsigned long pid = 0;
    if (XGetWindowProperty(dpy, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && format == 32 && count == 1)
      pid = *reinterpret_cast<const unsigned long*>(data);
    if (data) XFree(data);
    return pid;
  };
  const auto self = static_cast<unsigned long>(getpid());
  Window focus = None;
  int revert = 0;
  XGetInputFocus(dpy, &focus, &revert);
  bool own = false;
  // From the focus window up to its top-level window, which carries the process id.
  for (Window w = focus; w != None && w != PointerRoot && !own;) {
    own = pidOf(w) == self;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(dpy, w, &root, &parent, &children, &n)) break;
    if (children) XFree(children);
    w = parent == root ? None : parent;
  }
  XSetErrorHandler(previous);
  return own;
}

int QuietErrorHandler(Display*, XErrorEvent*) {
  return 0;
}

// The modifier bit a key (Num Lock, Scroll Lock) is mapped to, 0 when none.
unsigned ModifierMaskOf(Display* dpy, KeySym sym) {
  const KeyCode code = XKeysymToKeycode(dpy, sym);
  if (!code) return 0;
  XModifierKeymap* map = XGetModifierMapping(dpy);
  if (!map) return 0;
  unsigned mask = 0;
  for (int mod = 0; mod < 8 && !mask; ++mod) {
    for (int k = 0; k < map->max_keypermod; ++k) {
      if (map->modifiermap[mod * map->max_keypermod + k] == code) {
        mask = 1u << mod;
        break;
      }
    }
  }
  XFreeModifiermap(map);
  return mask;
}

KeyCode LetterKey(Display* dpy, char letter) {
  return XKeysymToKeycode(dpy, KeySym(XK_a + (letter - 'A')));
}

}  // namespace

bool IsHotKeyState(unsigned state, unsigned lockBits) {
  constexpr unsigned kModifiers =
      ShiftMask | LockMask | ControlMask | Mod1Mask | Mod2Mask | Mod3Mask | Mod4Mask | Mod5Mask;
  return (state & kModifiers & ~lockBits) == kHotKeyModifiers;
}

std::unique_ptr<X11HotKeys> X11HotKeys::Open(const QString& displayName) {
  const QByteArray name = displayName.toLocal8Bit();
  Display* dpy = XOpenDisplay(displayName.isEmpty() ? nullptr : name.constData());
  if (!dpy) return nullptr;
  XSetErrorHandler(QuietErrorHandler);
  return std::unique_ptr<X11HotKeys>(new X11HotKeys(dpy));
}

X11HotKeys::X11HotKeys(Display* display)
    : m_display(display), m_typist(std::make_unique<X11Typist>(display)) {
  // A grab only matches the exact modifier state, so every combination of the lock
  // modifiers (Caps, Num, Scroll) is grabbed too and ignored when a press arrives.
  const unsigned locks[3] = {unsigned(LockMask), ModifierMaskOf(display, XK_Num_Lock),
                             ModifierMaskOf(display, XK_Scroll_Lock)};
  m_ignoredCount = 0;
  for (unsigned combo = 0; combo < 8; ++combo) {
    unsigned mask = 0;
    bool valid = true;
    for (int bit = 0; bit < 3; ++bit) {
      if (!(combo & (1u << bit))) continue;
      if (!locks[bit] || (locks[bit] & kHotKeyModifiers)) valid = false;
      mask |= locks[bit];
    }
    if (valid) m_ignoredMasks[m_ignoredCount++] = mask;
  }
  for (unsigned l : locks) {
    if (!(l & kHotKeyModifiers)) m_lockBits |= l;
  }
  if (QCoreApplication::instance()) {
    m_notifier = new QSocketNotifier(ConnectionNumber(display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11HotKeys::ProcessPendingEvents);
  }
}

X11HotKeys::~X11HotKeys() {
  delete m_notifier;
  m_notifier = nullptr;
  Unregister();
  m_typist.reset();
  XCloseDisplay(m_display);
}

bool X11HotKeys::Grab(char letter) {
  const KeyCode code = LetterKey(m_display, letter);
  if (!code) return false;
  const Window root = DefaultRootWindow(m_display);
  XSync(m_display, False);
  g_grabFailed = false;
  XErrorHandler previous = XSetErrorHandler(GrabErrorHandler);
  for (int i = 0; i < m_ignoredCount; ++i)
    XGrabKey(m_display, code, kHotKeyModifiers | m_ignoredMasks[i], root, True, GrabModeAsync, GrabModeAsync);
  XSync(m_display, False);
  XSetErrorHandler(previous);
  if (g_grabFailed) {
    // Some variants may have been granted before the refusal: give them back.
    for (int i = 0; i < m_ignoredCount; ++i)
      XUngrabKey(m_display, code, kHotKeyModifiers | m_ignoredMasks[i], root);
    XSync(m_display, False);
    return false;
  }
  return true;
}

void X11HotKeys::Ungrab(char letter) {
  const KeyCode code = LetterKey(m_display, letter);
  if (!code) return;
  const Window root = DefaultRootWindow(m_display);
  for (int i = 0; i < m_ignoredCount; ++i)
    XUngrabKey(m_display, code, kHotKeyModifiers | m_ignoredMasks[i], root);
  XSync(m_display, False);
}

bool X11HotKeys::Register() {
  Unregister();
  // Password key first, P..Z; then the file-name key F..Z, skipping the password key's
  // letter (a grab of our own would not be refused by the server).
  for (char letter = 'P'; letter <= 'Z'; ++letter) {
    if (Grab(letter)) {
      m_keys[0] = {letter, LetterKey(m_display, letter)};
      break;
    }
  }
  for (char letter = 'F'; letter <= 'Z'; ++letter) {
    if (letter == m_keys[0].letter) continue;
    if (Grab(letter)) {
      m_keys[1] = {letter, LetterKey(m_display, letter)};
      break;
    }
  }
  return m_keys[0].letter || m_keys[1].letter;
}

void X11HotKeys::Unregister() {
  for (Registered& key : m_keys) {
    if (key.letter) Ungrab(key.letter);
    key = Registered{};
  }
}

QString X11HotKeys::PasswordKeyText() const {
  return m_keys[0].letter ? QStringLiteral("Ctrl+Shift+") + QLatin1Char(m_keys[0].letter) : QString();
}

QString X11HotKeys::FileNameKeyText() const {
  return m_keys[1].letter ? QStringLiteral("Ctrl+Shift+") + QLatin1Char(m_keys[1].letter) : QString();
}

bool X11HotKeys::TypeText(const QString& text) {
  if (text.isEmpty()) return false;
  m_typist->WaitForKeysReleased(kReleaseWaitMs);
  const bool typed = m_typist->Type(text);
  // The round trips of typing may have queued hot-key events without waking the socket
  // notifier.
  ServeLater();
  return typed;
}

void X11HotKeys::ServeLater() {
  if (m_serving || m_serveQueued || !QCoreApplication::instance()) return;
  if (XEventsQueued(m_display, QueuedAlready) == 0) return;
  m_serveQueued = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        m_serveQueued = false;
        ProcessPendingEvents();
      },
      Qt::QueuedConnection);
}

void X11HotKeys::ProcessPendingEvents() {
  // Re-entered from inside a handler (the text provider may run a local event loop to
  // read the clipboard): the press counts as one while busy.
  const bool nested = m_serving;
  m_serving = true;
  while (XPending(m_display) > 0) {
    XEvent event;
    XNextEvent(m_display, &event);
    if (event.type != KeyPress) continue;
    const bool hotKeyState = IsHotKeyState(event.xkey.state, m_lockBits);
    int which = -1;
    for (int i = 0; i < 2; ++i) {
      if (m_keys[i].letter && event.xkey.keycode == m_keys[i].keycode && hotKeyState) which = i;
    }
    if (which < 0) continue;
    if (nested || !m_enabled || (m_busy && m_busy())) {
      ++m_discarded;
      continue;
    }
    if (OwnWindowFocused(m_display)) {
      ++m_discarded;
      if (m_notice) {
        //: %1 is the hot key (Ctrl+Shift+P), %2 this program's name
        m_notice(QCoreApplication::translate("X11HotKeys",
                                             "%1 typed nothing: %2 has the keyboard focus. Click "
                                             "into the game's window, then press the key again.")
                     .arg(which == 0 ? PasswordKeyText() : FileNameKeyText(), AppTitle()));
      }
      continue;
    }
    ++m_handled;
    const QString text = m_provider ? m_provider(which == 0 ? Key::Password : Key::FileName) : QString();
    if (!text.isEmpty()) {
      m_typist->WaitForKeysReleased(kReleaseWaitMs);
      m_typist->Type(text);
    }
  }
  m_serving = nested;
}

}  // namespace kolt
