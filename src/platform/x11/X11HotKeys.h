#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "model/HotKeys.h"

struct _XDisplay;  // NOLINT(bugprone-reserved-identifier): Xlib's own name for Display
class QSocketNotifier;

namespace kolt {

class X11Typist;

// Whether a key event's state is the hot keys' Ctrl+Shift: the lock modifiers in
// `lockBits` (Caps, Num, Scroll) are ignored, and so are the bits that are no modifiers,
// the pointer buttons and the keyboard layout group (set while a second layout is active).
bool IsHotKeyState(unsigned state, unsigned lockBits);

// The hot keys on X11: passive grabs of Ctrl+Shift+letter on the root window over a
// connection of our own, read through a socket notifier in the Qt event loop.
class X11HotKeys final : public QObject, public HotKeys {
 public:
  // Null when the display cannot be opened (`displayName` empty: $DISPLAY).
  static std::unique_ptr<X11HotKeys> Open(const QString& displayName = QString());
  ~X11HotKeys() override;

  bool Available() const override { return true; }
  bool Register() override;
  void Unregister() override;
  QString PasswordKeyText() const override;
  QString FileNameKeyText() const override;
  void SetTextProvider(TextProvider provider) override { m_provider = std::move(provider); }
  void SetBusyCheck(BusyCheck busy) override { m_busy = std::move(busy); }
  void SetNotice(Notice notice) override { m_notice = std::move(notice); }
  void SetEnabled(bool enabled) override { m_enabled = enabled; }
  bool Enabled() const override { return m_enabled; }
  bool TypeText(const QString& text) override;
  int HandledCount() const override { return m_handled; }
  int DiscardedCount() const override { return m_discarded; }

  // Reads and serves every event that has arrived (the socket notifier calls it; tests
  // may too).
  void ProcessPendingEvents();

 private:
  explicit X11HotKeys(_XDisplay* display);
  // Grabs Ctrl+Shift+`letter` with every combination of the lock modifiers. False (and
  // nothing grabbed) when another client holds any of them.
  bool Grab(char letter);
  void Ungrab(char letter);
  void ServeLater();

  struct Registered {
    char letter = 0;  // 'A'..'Z', 0 when absent
    unsigned keycode = 0;
  };

  _XDisplay* m_display;
  std::unique_ptr<X11Typist> m_typist;
  QSocketNotifier* m_notifier = nullptr;
  unsigned m_ignoredMasks[8] = {};
  int m_ignoredCount = 1;
  unsigned m_lockBits = 0;
  Registered m_keys[2];  // [0] password, [1] file name
  TextProvider m_provider;
  BusyCheck m_busy;
  Notice m_notice;
  bool m_enabled = true;
  bool m_serving = false;
  bool m_serveQueued = false;
  int m_handled = 0;
  int m_discarded = 0;
};

}  // namespace kolt
