#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <memory>

#include "model/HotKeys.h"
#include "platform/x11/X11HotKeys.h"
#include "support/QtPrinters.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

using kolt::HotKeys;
using kolt::IsHotKeyState;
using kolt::X11HotKeys;

namespace {

bool PumpUntil(const std::function<bool()>& condition, int ms = 8000) {
  QElapsedTimer t;
  t.start();
  while (!condition()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return true;
}

// Gives what a press could still do time to show.
void Settle() {
  QThread::msleep(150);
  QCoreApplication::processEvents();
}

// Presses keys as a user would, from outside this process.
void Press(const char* keys) {
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QString::fromLatin1(keys)}),
            0);
}

// The window of another program (x11_target) with the keyboard focus given to it
// through the X server, as a window manager would.
class X11HotKeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_other = XOpenDisplay(nullptr);
    ASSERT_NE(m_other, nullptr) << "needs an X display (run under xvfb-run)";
    m_keys = X11HotKeys::Open();
    ASSERT_NE(m_keys, nullptr);
    m_keys->SetTextProvider(
        [this](HotKeys::Key key) { return key == HotKeys::Key::FileName ? m_lastPlayed : m_clipboard; });
    m_output = m_dir.filePath(QStringLiteral("typed.txt"));
    m_target.start(QStringLiteral(X11_TARGET), {m_output});
    ASSERT_TRUE(m_target.waitForStarted());
    ASSERT_TRUE(PumpUntil([this] { return m_target.canReadLine(); }));
    const QByteArray line = m_target.readLine().trimmed();
    ASSERT_TRUE(line.startsWith("WID "));
    Focus(Window(line.mid(4).toULongLong()));
    ASSERT_TRUE(
        PumpUntil([this] { return m_target.canReadLine() && m_target.readLine().trimmed() == "FOCUS"; }));
  }
  void TearDown() override {
    m_keys.reset();
    m_target.kill();
    m_target.waitForFinished();
    if (m_other) XCloseDisplay(m_other);
  }

  // Gives `window` the keyboard focus once it is shown, as a window manager would.
  void Focus(Window window) {
    ASSERT_TRUE(PumpUntil([&] {
      XWindowAttributes a{};
      return XGetWindowAttributes(m_other, window, &a) && a.map_state == IsViewable;
    }));
    XSetInputFocus(m_other, window, RevertToParent, CurrentTime);
    XSync(m_other, False);
  }
  QString Typed() const {
    QFile f(m_output);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }
  bool WaitTyped(const QString& expected) {
    return PumpUntil([&] { return Typed() == expected; });
  }

  // Grabs Ctrl+Shift+letter from another client, as another program's hot key.
  void GrabElsewhere(KeySym sym) {
    XGrabKey(m_other, XKeysymToKeycode(m_other, sym), ControlMask | ShiftMask, DefaultRootWindow(m_other),
             True, GrabModeAsync, GrabModeAsync);
    XSync(m_other, False);
  }

  Display* m_other = nullptr;
  std::unique_ptr<X11HotKeys> m_keys;
  QTemporaryDir m_dir;
  QString m_output;
  QProcess m_target;
  QString m_lastPlayed;
  QString m_clipboard;
};

}  // namespace

TEST_F(X11HotKeysTest, PasswordKeyTypesTheExactTextWithCapsLockAndCharactersTheLayoutLacks) {
  ASSERT_TRUE(m_keys->Register());
  EXPECT_EQ(m_keys->PasswordKeyText(), QStringLiteral("Ctrl+Shift+P"));
  EXPECT_EQ(m_keys->FileNameKeyText(), QStringLiteral("Ctrl+Shift+F"));
  const QString plain = QStringLiteral("Xk7_pQ.z-9\\A b");
  m_clipboard = plain;
  Press("ctrl+shift+p");
  EXPECT_TRUE(WaitTyped(plain)) << Typed().toStdString();
  EXPECT_EQ(m_keys->HandledCount(), 1);
  // The hot key's own letter never reaches the window.
  Settle();
  EXPECT_EQ(Typed(), plain);

  XkbLockModifiers(m_other, XkbUseCoreKbd, LockMask, LockMask);
  XSync(m_other, False);
  m_clipboard = QStringLiteral("aB\u00e9\u20ac");
  Press("ctrl+shift+p");
  EXPECT_TRUE(WaitTyped(plain + m_clipboard)) << Typed().toStdString();
  // Caps Lock is as the user left it.
  XkbStateRec state{};
  XkbGetState(m_other, XkbUseCoreKbd, &state);
  EXPECT_TRUE(state.locked_mods & LockMask);
  XkbLockModifiers(m_other, XkbUseCoreKbd, LockMask, 0);
  XSync(m_other, False);
}

TEST_F(X11HotKeysTest, KeysTakenByOthersAreSkipped) {
  GrabElsewhere(XK_p);
  GrabElsewhere(XK_f);
  ASSERT_TRUE(m_keys->Register());
  EXPECT_EQ(m_keys->PasswordKeyText(), QStringLiteral("Ctrl+Shift+Q"));
  EXPECT_EQ(m_keys->FileNameKeyText(), QStringLiteral("Ctrl+Shift+G"));
  m_clipboard = QStringLiteral("secret1");
  Press("ctrl+shift+q");
  EXPECT_TRUE(WaitTyped(QStringLiteral("secret1")));

  // Released keys are free for others again.
  m_keys->Unregister();
  EXPECT_EQ(m_keys->PasswordKeyText(), QString());
  GrabElsewhere(XK_q);
  auto again = X11HotKeys::Open();
  ASSERT_NE(again, nullptr);
  ASSERT_TRUE(again->Register());
  EXPECT_EQ(again->PasswordKeyText(), QStringLiteral("Ctrl+Shift+R"));
}

TEST_F(X11HotKeysTest, FileNameKeyTypesNothingBeforeAGameWasPlayed) {
  ASSERT_TRUE(m_keys->Register());
  Press("ctrl+shift+f");
  ASSERT_TRUE(PumpUntil([this] { return m_keys->HandledCount() == 1; }));
  Settle();
  EXPECT_EQ(Typed(), QString());
  m_lastPlayed = QStringLiteral("SAVE0001.DAT");
  Press("ctrl+shift+f");
  EXPECT_TRUE(WaitTyped(QStringLiteral("SAVE0001.DAT")));
}

TEST_F(X11HotKeysTest, PressesWhileBusyAreDiscarded) {
  ASSERT_TRUE(m_keys->Register());
  bool busy = true;
  m_keys->SetBusyCheck([&busy] { return busy; });
  m_clipboard = QStringLiteral("pw");
  Press("ctrl+shift+p");
  ASSERT_TRUE(PumpUntil([this] { return m_keys->DiscardedCount() == 1; }));
  m_keys->SetEnabled(false);
  busy = false;
  Press("ctrl+shift+p");
  ASSERT_TRUE(PumpUntil([this] { return m_keys->DiscardedCount() == 2; }));
  Settle();
  EXPECT_EQ(Typed(), QString());  // nothing typed, and nothing kept for later
  m_keys->SetEnabled(true);
  Press("ctrl+shift+p");
  EXPECT_TRUE(WaitTyped(QStringLiteral("pw")));
  EXPECT_EQ(m_keys->HandledCount(), 1);
}

TEST_F(X11HotKeysTest, OurOwnFocusedWindowIsNeverTypedInto) {
  ASSERT_TRUE(m_keys->Register());
  QStringList notices;
  m_keys->SetNotice([&notices](const QString& text) { notices.append(text); });
  m_clipboard = QStringLiteral("secret");
  // One of our own windows takes the focus, as when a window manager hands it to us.
  QLineEdit field;
  field.show();
  Focus(Window(field.winId()));
  ASSERT_TRUE(PumpUntil([&field] { return field.hasFocus() || QApplication::focusWidget() == &field; }));
  Press("ctrl+shift+p");
  ASSERT_TRUE(PumpUntil([&notices] { return !notices.isEmpty(); }));
  Settle();
  EXPECT_EQ(field.text(), QString());
  EXPECT_EQ(Typed(), QString());
  EXPECT_EQ(m_keys->HandledCount(), 0);
  EXPECT_TRUE(notices[0].startsWith(QStringLiteral("Ctrl+Shift+P typed nothing: ")))
      << notices[0].toStdString();
}

// A press is the hot key whatever keyboard layout is active (its group is in bits 13
// and 14 of the state), with pointer buttons held or locks on; not with another modifier.
TEST(HotKeyState, GroupButtonsAndLocksAreIgnoredOtherModifiersAreNot) {
  const unsigned locks = LockMask | Mod2Mask;  // Caps and, as usual, Num Lock
  const unsigned ctrlShift = ControlMask | ShiftMask;
  for (unsigned group = 0; group < 4; ++group) {
    EXPECT_TRUE(IsHotKeyState(ctrlShift | (group << 13), locks)) << group;
    EXPECT_TRUE(IsHotKeyState(ctrlShift | (group << 13) | LockMask | Mod2Mask, locks)) << group;
  }
  EXPECT_TRUE(IsHotKeyState(ctrlShift | Button1Mask, locks));
  EXPECT_FALSE(IsHotKeyState(ctrlShift | Mod1Mask | (1u << 13), locks));  // Alt as well
  EXPECT_FALSE(IsHotKeyState(ctrlShift | Mod4Mask, locks));
  EXPECT_FALSE(IsHotKeyState(ControlMask | (1u << 13), locks));
  EXPECT_FALSE(IsHotKeyState(ctrlShift | Mod2Mask, 0));  // Num Lock not known as a lock
}

TEST(HotKeysFactory, WithoutADisplayTheKeysAreAbsent) {
  const QByteArray display = qgetenv("DISPLAY");
  qputenv("DISPLAY", ":9999");  // nothing listens there
  auto keys = kolt::CreateHotKeys();
  qputenv("DISPLAY", display);
  ASSERT_NE(keys, nullptr);
  EXPECT_FALSE(keys->Available());
  EXPECT_FALSE(keys->Register());
  EXPECT_EQ(keys->PasswordKeyText(), QString());
  EXPECT_EQ(keys->FileNameKeyText(), QString());
  EXPECT_FALSE(keys->TypeText(QStringLiteral("x")));
  EXPECT_TRUE(kolt::CreateHotKeys()->Available());
}
