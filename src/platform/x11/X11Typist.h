#pragma once

#include <QString>

struct _XDisplay;  // NOLINT(bugprone-reserved-identifier): Xlib's own name for Display

namespace kolt {

// Types text with XTest into the window that has the keyboard focus, the way a user at
// the keyboard would: each character as the key (with Shift when needed) that produces
// it on the current layout and group; characters the layout lacks through spare key
// codes mapped to them for as long as a program (Wine is slow at it) needs to read
// the changed key map.
class X11Typist final {
 public:
  explicit X11Typist(_XDisplay* display) : m_display(display) {}

  // False when the server lacks the XTest extension.
  bool Available() const;
  // Waits until no key at all is held (the hot key's own Ctrl, Shift and letter are
  // still down when its press arrives; typing before they are let go would mix them
  // into the text, or send it to our own grab). Gives up after `maxMs`; false then.
  bool WaitForKeysReleased(int maxMs) const;
  // Caps Lock is unlocked while typing and locked again afterwards. False when nothing
  // could be typed.
  bool Type(const QString& text) const;

 private:
  _XDisplay* m_display;
};

}  // namespace kolt
