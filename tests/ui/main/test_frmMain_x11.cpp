#include <gtest/gtest.h>

#include <QLabel>
#include <QProcess>
#include <QTest>

#include "TestPrograms.h"
#include "model/HotKeys.h"
#include "support/MainWindowHarness.h"

using namespace kolt;
using namespace kolt::test;

namespace {

void Press(const char* keys) {
  QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QString::fromLatin1(keys)});
}

}  // namespace

// Under Xvfb: the main window registers the two hot keys, shows their names in the
// status bar, and lets a press through only while no command runs.
TEST(MainWindowHotKeys, RegisteredKeysShowAndBusyPressesAreDropped) {
  MainWindowHarness h(FactoriesFor({std::make_shared<TestProgram>(QStringLiteral("ALPHA"))}));
  std::unique_ptr<HotKeys> keys = CreateHotKeys();
  ASSERT_TRUE(keys->Available());
  frmMain& window = h.Load([&keys](MainWindowParts& parts) { parts.hotKeys = keys.get(); });
  window.show();
  EXPECT_EQ(window.PanelText(3), "Ctrl+Shift+P");
  EXPECT_EQ(window.PanelText(2), "Ctrl+Shift+F");
  // The panels say what the keys are for, with the keys actually taken.
  EXPECT_TRUE(
      window.findChild<QLabel*>("StatusBar1_Panel2")->toolTip().startsWith("Press Ctrl+Shift+F in the"));
  EXPECT_TRUE(window.findChild<QLabel*>("StatusBar1_Panel3")->toolTip().contains("Ctrl+Shift+P"));

  // Nothing was played: the file-name key is acted on but types nothing.
  App().lastPlayedGameName.clear();
  Press("ctrl+shift+f");
  EXPECT_TRUE(QTest::qWaitFor([&] { return keys->HandledCount() == 1; }, 5000));

  {
    const BusyGuard busy = window.Busy();
    ASSERT_TRUE(busy);
    Press("ctrl+shift+p");
    EXPECT_TRUE(QTest::qWaitFor([&] { return keys->DiscardedCount() == 1; }, 5000));
  }
  EXPECT_EQ(keys->HandledCount(), 1);
}
