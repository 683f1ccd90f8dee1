// The archive progress window filled by real packing and unpacking.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTest>

#include "exchange/archive/ArchiveWrapper.h"
#include "support/QtPrinters.h"
#include "support/Screenshot.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"
#include "ui/VBUnzFrm.h"

using namespace kolt;
using namespace kolt::test;

namespace {

class VBUnzFrmTest : public ::testing::Test {
 protected:
  // The title, the two captions, the archive and the folder or files.
  QStringList Texts() {
    QStringList texts{window.windowTitle()};
    for (const char* name : {"lblZipName", "lblDir"}) texts << window.findChild<QLabel*>(name)->text();
    for (const char* name : {"ZipFName", "ExtractRoot"}) texts << window.findChild<QLineEdit*>(name)->text();
    return texts;
  }
  QListWidget* Messages() { return window.findChild<QListWidget*>("lstMessages"); }
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&window, &press);
  }

  TempHome home;
  ScriptedUi ui;
  VBUnzFrm window;
  ArchiveWrapper wrapper{ui, window};
};

TEST_F(VBUnzFrmTest, ShowsPackingThenUnpackingAndHidesInsteadOfClosing) {
  const QString inst = home.File("0");
  ASSERT_TRUE(WriteFile(inst + "/SPWAW/Turn 12.dat", QByteArray(4000, 't')));
  ASSERT_TRUE(WriteFile(inst + "/SPWAW/Turn 12.cmt", "comment"));
  ASSERT_TRUE(WriteFile(inst + "/SENDER.TXT", "me@example.org\r\n"));
  const QString klt = inst + "/KOLT.KLT";

  wrapper.ZipInit();
  wrapper.SetZipFName(klt);
  wrapper.Show();
  EXPECT_TRUE(window.isVisible());
  ASSERT_TRUE(wrapper.Zip(klt, inst, {"SPWAW\\*", "SENDER.TXT"}));
  EXPECT_EQ(Texts(), QStringList({"Zipping...", "Compressing file:", "Files:", klt, "SPWAW\\* SENDER.TXT "}));
  EXPECT_EQ(Messages()->item(Messages()->count() - 1)->text(), "Done!");

  wrapper.UnzipInit();
  EXPECT_EQ(Texts(), QStringList({"Unzipping...", "Decompressing file:", "Into directory:", "", ""}));
  EXPECT_EQ(Messages()->count(), 0);
  wrapper.SetZipFName(klt);
  wrapper.SetExtractRoot(home.File("1"));
  ASSERT_TRUE(wrapper.Unzip());
  const int last = Messages()->count() - 1;
  EXPECT_EQ(Messages()->item(last)->text(), "Done!");
  EXPECT_EQ(Messages()->currentRow(), last);  // selected, so the list shows it

  window.resize(560, 380);
  SaveScreenshot(window, "VBUnzFrm");

  Press(Qt::Key_Escape, Qt::ShiftModifier);  // only a plain Esc hides
  EXPECT_TRUE(window.isVisible());
  Press(Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
  window.ShowAgain();
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.close());  // the close button hides
  EXPECT_FALSE(window.isVisible());
  window.ShowAgain();
  EXPECT_EQ(Messages()->count(), last + 1);  // the last operation's messages are still there
}

}  // namespace

// The window opens over the window the user works in, and wholly on its screen even when
// that window sits in a corner; moved out of sight, it comes back into view.
TEST_F(VBUnzFrmTest, OpensWhollyOnTheScreen) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget owner;
  owner.resize(300, 200);
  owner.move(area.right() - 150, area.bottom() - 100);
  owner.show();
  owner.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
  window.Show();
  EXPECT_TRUE(area.contains(window.frameGeometry()))
      << window.frameGeometry().x() << "," << window.frameGeometry().y();
  window.Hide();
  window.move(area.right() + 500, area.top());
  window.ShowAgain();
  EXPECT_TRUE(area.contains(window.frameGeometry()));
}
