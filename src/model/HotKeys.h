#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace kolt {

// The two global hot keys that type a game's file name and password into whatever
// window has the keyboard focus, and the typing itself. On X11 the keys are grabbed on
// the root window and the text is typed with XTest; without a display the keys are
// simply absent (every query answers empty, nothing fails).
//
// Key presses arrive through the Qt event loop (a socket notifier on the display
// connection), so the owner needs no loop of its own. A press that arrives while the
// owner is busy (a command or a modal dialog running, see SetBusyCheck) is discarded,
// not kept for later.
class HotKeys {
 public:
  enum class Key { Password = 1, FileName = 2 };
  // The text to type for a pressed key: the clipboard's text for the password key, the
  // last played game name for the file-name key. Empty types nothing.
  using TextProvider = std::function<QString(Key)>;
  using BusyCheck = std::function<bool()>;

  virtual ~HotKeys() = default;

  // True when a display is there to grab keys on and type into.
  virtual bool Available() const = 0;
  // Grabs Ctrl+Shift+P..Z (first free) as the password key and Ctrl+Shift+F..Z (first
  // free, not the password key's letter) as the file-name key. True when at least one
  // key was grabbed. Calling it again first releases the keys.
  virtual bool Register() = 0;
  // Releases both keys (also done by the destructor).
  virtual void Unregister() = 0;
  // "Ctrl+Shift+Q", or empty when the key is absent.
  virtual QString PasswordKeyText() const = 0;
  virtual QString FileNameKeyText() const = 0;

  virtual void SetTextProvider(TextProvider provider) = 0;
  // Told, for the status bar, when a press types nothing because one of our own windows
  // has the keyboard focus (the password would land in our own lists).
  using Notice = std::function<void(const QString&)>;
  virtual void SetNotice(Notice notice) = 0;
  // Asked on every press; true discards the press.
  virtual void SetBusyCheck(BusyCheck busy) = 0;
  // A switch on top of the busy check; false discards every press.
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;

  // Types `text` into the window that has the keyboard focus, after every key (such as
  // the hot key's own Ctrl and Shift) has been let go, waiting at most a few seconds for
  // that. Caps Lock is switched off meanwhile; characters the keyboard layout lacks are
  // typed through a briefly borrowed key code. False when nothing could be typed.
  virtual bool TypeText(const QString& text) = 0;

  // Presses handled so far (acted on) and discarded because of the busy check (tests,
  // diagnostics).
  virtual int HandledCount() const = 0;
  virtual int DiscardedCount() const = 0;
};

// The X11 implementation when $DISPLAY can be opened, else one that does nothing.
std::unique_ptr<HotKeys> CreateHotKeys();
// The do-nothing implementation (no display; kolt-cli).
std::unique_ptr<HotKeys> CreateNullHotKeys();

}  // namespace kolt
