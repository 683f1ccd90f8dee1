#include "platform/x11/X11Typist.h"

#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <utility>
#include <vector>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace kolt {
namespace {

// The keysym that stands for a character: Latin-1 as itself, the rest in the Unicode
// keysym range. Control characters other than line breaks and tabs are not typed.
KeySym KeysymFor(char32_t c) {
  if (c == U'\n' || c == U'\r') return XK_Return;
  if (c == U'\t') return XK_Tab;
  if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF)) return KeySym(c);
  if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c > 0x10FFFF) return NoSymbol;
  return KeySym(0x01000000u | c);
}

// Two keysyms that produce the same character (a layout may list é as 0xe9 or as
// U+00E9, the euro as EuroSign or U+20AC).
bool SameCharacter(KeySym a, KeySym b) {
  // Characters as Unicode; other keysyms kept apart from every code point.
  auto character = [](KeySym k) -> unsigned long {
    if (k < 0x100) return k;
    if ((k & 0xFF000000u) == 0x01000000u) return k & 0x00FFFFFFu;
    if (k == XK_EuroSign) return 0x20AC;
    return 0x80000000u | k;
  };
  return a != NoSymbol && b != NoSymbol && character(a) == character(b);
}

// The shift level a key of `type` shows with the modifiers `mods` in force.
int LevelFor(const XkbKeyTypeRec* type, unsigned mods) {
  const unsigned relevant = mods & type->mods.mask;
  for (int i = 0; i < type->map_count; ++i) {
    const XkbKTMapEntryRec& e = type->map[i];
    if (e.active && e.mods.mask == relevant) return e.level;
  }
  return 0;
}

// Between two keys, and around a change of the key map: what Wine keeps up with.
constexpr unsigned long kKeyPauseMs = 8;
constexpr unsigned long kMappingPauseMs = 250;

struct KeyChoice {
  KeyCode code = 0;
  bool shift = false;
};

// The key (and whether Shift is needed) that gives `sym` in the current group with the
// locked modifiers as they are; code 0 when the layout has none.
KeyChoice FindKey(XkbDescPtr xkb, const XkbStateRec& state, KeySym sym) {
  if (!xkb || !xkb->map) return {};
  const unsigned locked = state.locked_mods & ~unsigned(LockMask);
  for (int kc = xkb->min_key_code; kc <= xkb->max_key_code; ++kc) {
    const int groups = XkbKeyNumGroups(xkb, kc);
    if (groups <= 0) continue;
    const int group = state.group % groups;
    const XkbKeyTypeRec* type = XkbKeyKeyType(xkb, kc, group);
    const int width = XkbKeyGroupWidth(xkb, kc, group);
    for (int shift = 0; shift < 2; ++shift) {
      const int level = LevelFor(type, locked | (shift ? unsigned(ShiftMask) : 0u));
      if (level >= width) continue;
      if (SameCharacter(XkbKeySymEntry(xkb, kc, level, group), sym)) return {KeyCode(kc), shift == 1};
    }
  }
  return {};
}

// The key codes without any symbol, to borrow for characters the layout lacks.
std::vector<KeyCode> SpareKeys(Display* dpy) {
  std::vector<KeyCode> spares;
  int minCode = 0, maxCode = 0;
  XDisplayKeycodes(dpy, &minCode, &maxCode);
  int perCode = 0;
  KeySym* syms = XGetKeyboardMapping(dpy, KeyCode(minCode), maxCode - minCode + 1, &perCode);
  if (!syms) return spares;
  // From the lowest up: Wine gives the highest key codes no scan code, and a key
  // without one gets no character.
  for (int kc = minCode; kc <= maxCode; ++kc) {
    bool empty = true;
    for (int i = 0; i < perCode && empty; ++i) empty = syms[(kc - minCode) * perCode + i] == NoSymbol;
    if (empty) spares.push_back(KeyCode(kc));
  }
  XFree(syms);
  return spares;
}

void MapKey(Display* dpy, KeyCode code, KeySym sym) {
  KeySym pair[2] = {sym, sym};
  XChangeKeyboardMapping(dpy, code, 2, pair, 1);
}

void Tap(Display* dpy, KeyCode code, KeyCode shiftCode, bool shift) {
  if (shift && shiftCode) XTestFakeKeyEvent(dpy, shiftCode, True, CurrentTime);
  XTestFakeKeyEvent(dpy, code, True, CurrentTime);
  XTestFakeKeyEvent(dpy, code, False, CurrentTime);
  if (shift && shiftCode) XTestFakeKeyEvent(dpy, shiftCode, False, CurrentTime);
}

}  // namespace

bool X11Typist::Available() const {
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  return m_display && XTestQueryExtension(m_display, &eventBase, &errorBase, &major, &minor);
}

bool X11Typist::WaitForKeysReleased(int maxMs) const {
  if (!m_display) return false;
  QElapsedTimer timer;
  timer.start();
  for (;;) {
    char keys[32] = {};
    XQueryKeymap(m_display, keys);
    bool held = false;
    for (char k : keys) held = held || k != 0;
    if (!held) return true;
    if (timer.elapsed() >= maxMs) return false;
    QThread::msleep(10);
  }
}

bool X11Typist::Type(const QString& text) const {
  if (text.isEmpty() || !Available()) return false;
  Display* dpy = m_display;

  XkbStateRec state{};
  XkbGetState(dpy, XkbUseCoreKbd, &state);
  XkbDescPtr xkb = XkbGetMap(dpy, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
  // Caps Lock would turn the case of letters around: unlock it while typing.
  const bool capsLocked = (state.locked_mods & LockMask) != 0;
  if (capsLocked) {
    XkbLockModifiers(dpy, XkbUseCoreKbd, LockMask, 0);
    XSync(dpy, False);
  }
  KeyCode shiftCode = XKeysymToKeycode(dpy, XK_Shift_L);
  if (!shiftCode) shiftCode = XKeysymToKeycode(dpy, XK_Shift_R);

  // Characters the layout lacks are typed through borrowed key codes. A program reads
  // the changed key map only when it gets to the notice of the change, and Wine does
  // that late: a key code mapped, pressed and taken back at once reaches it as a key
  // without a character. So all borrowed codes of a stretch of text are mapped first,
  // the stretch is typed after a pause, and they are taken back only after another.
  struct Step {
    KeyChoice key;
    KeySym sym = NoSymbol;  // for a borrowed key
  };
  std::vector<Step> steps;
  const QList<uint> chars = text.toUcs4();
  for (qsizetype i = 0; i < chars.size(); ++i) {
    const char32_t c = chars[i];
    if (c == U'\r' && i + 1 < chars.size() && chars[i + 1] == U'\n') continue;  // CR LF is one line break
    const KeySym sym = KeysymFor(c);
    if (sym == NoSymbol) continue;
    const KeyChoice key = FindKey(xkb, state, sym);
    steps.push_back(key.code ? Step{key, NoSymbol} : Step{{}, sym});
  }
  bool typedAny = false;
  std::vector<KeyCode> spares;
  bool sparesLooked = false;
  for (size_t at = 0; at < steps.size();) {
    // One stretch: as far as the spare codes go for its different borrowed characters.
    std::vector<std::pair<KeySym, KeyCode>> borrowed;
    size_t end = at;
    for (; end < steps.size(); ++end) {
      const KeySym sym = steps[end].sym;
      if (sym == NoSymbol) continue;
      if (!sparesLooked) {
        spares = SpareKeys(dpy);
        sparesLooked = true;
      }
      const bool known =
          std::any_of(borrowed.begin(), borrowed.end(), [sym](const auto& b) { return b.first == sym; });
      if (known) continue;
      if (borrowed.size() >= spares.size()) break;
      borrowed.emplace_back(sym, spares[borrowed.size()]);
    }
    if (end == at) {
      ++at;  // no spare key at all: the character cannot be typed
      continue;
    }
    for (const auto& [sym, code] : borrowed) MapKey(dpy, code, sym);
    XSync(dpy, False);
    if (!borrowed.empty()) QThread::msleep(kMappingPauseMs);
    for (; at < end; ++at) {
      KeyChoice key = steps[at].key;
      if (steps[at].sym != NoSymbol) {
        for (const auto& [sym, code] : borrowed) {
          if (sym == steps[at].sym) key.code = code;
        }
      }
      Tap(dpy, key.code, shiftCode, key.shift);
      XSync(dpy, False);
      typedAny = true;
      QThread::msleep(kKeyPauseMs);
    }
    if (!borrowed.empty()) {
      QThread::msleep(kMappingPauseMs);
      for (const auto& b : borrowed) MapKey(dpy, b.second, NoSymbol);
      XSync(dpy, False);
    }
  }

  if (capsLocked) XkbLockModifiers(dpy, XkbUseCoreKbd, LockMask, LockMask);
  XSync(dpy, False);
  if (xkb) XkbFreeKeyboard(xkb, 0, True);
  return typedAny;
}

}  // namespace kolt
