// Under another language the windows show its texts, while what they store stays as the
// other players' copies and the settings file read it. The test translator marks every
// text it is asked for, so a window text that skips translation stands out, and so does
// a translated text that reaches a stored file.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "core/AppSettings.h"
#include "core/Settings.h"
#include "exchange/mail/FilePasswordStore.h"
#include "support/Child.h"
#include "support/MainWindowHarness.h"
#include "support/PackKlt.h"
#include "support/TestTranslator.h"
#include "ui/TrayIcon.h"
#include "ui/VBUnzFrm.h"
#include "ui/frmOptions.h"
#include "ui/frmTaunt.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// Marked by the test translator, which translates every text it is asked for.
bool Marked(const QString& text) {
  return text.contains(QStringLiteral("{{"));
}

}  // namespace

TEST(TranslatedTexts, TheMainWindowShowsEveryTextItOwnsTranslated) {
  const TestTranslator marking;
  MainWindowHarness h;
  frmMain& window = h.Load();

  int actions = 0;
  for (QAction* menu : window.menuBar()->actions()) {
    EXPECT_TRUE(Marked(menu->text())) << menu->text().toStdString();
    for (QAction* a : menu->menu()->actions()) {
      if (a->isSeparator()) continue;
      ++actions;
      EXPECT_TRUE(Marked(a->text())) << a->objectName().toStdString();
    }
  }
  EXPECT_GE(actions, 20);

  for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
    if (!b->objectName().startsWith("cmd") && !b->objectName().startsWith("chk")) continue;
    EXPECT_TRUE(Marked(b->text())) << b->objectName().toStdString();
    EXPECT_TRUE(Marked(b->toolTip()) || b->toolTip().isEmpty()) << b->objectName().toStdString();
  }
  for (QGroupBox* g : window.findChildren<QGroupBox*>()) EXPECT_TRUE(Marked(g->title()));
  for (const char* panel : {"StatusBar1_Panel2", "StatusBar1_Panel3", "StatusBar1_Panel4"})
    EXPECT_TRUE(Marked(Child<QLabel>(window, panel)->toolTip())) << panel;
  EXPECT_TRUE(Marked(Child<QLabel>(window, "lblEmptyHint")->text()));
  EXPECT_TRUE(Marked(h.Rows().headerData(GamesModel::kWaitingColumn, Qt::Horizontal).toString()));

  // A command with nothing to act on says why in the status line.
  Child<QAction>(window, "mnuEdit")->trigger();
  EXPECT_TRUE(Marked(window.PanelText(1))) << window.PanelText(1).toStdString();

  TrayIcon tray(QIcon{});
  for (QAction* a : tray.Menu()->actions()) {
    if (a->isSeparator()) continue;
    EXPECT_TRUE(Marked(a->text())) << a->objectName().toStdString();
  }
  for (const int games : {0, 1, 3}) {
    tray.SetPlayCount(games);
    EXPECT_TRUE(Marked(tray.ToolTip())) << games;
  }

  VBUnzFrm progress;
  progress.SetMode(VBUnzFrm::Mode::Zip);
  EXPECT_EQ(progress.windowTitle(), "{{Zipping...}}");
}

TEST(TranslatedTexts, WhatTheDialogsStoreIsNeverTranslated) {
  const TestTranslator marking;
  TempHome home;
  {
    FilePasswordStore passwords(home.File("smtp.pw"));
    frmOptions options(nullptr, &passwords);
    EXPECT_TRUE(Marked(options.windowTitle()));
    Child<QLineEdit>(options, "txtFrom")->setText("me@example.org");
    Child<QLineEdit>(options, "txtIMAPServer")->setText("imap.example.org");
    Child<QLineEdit>(options, "txtIMAPFolder")->clear();  // the default folder is stored
    ASSERT_TRUE(options.Apply());
  }
  EXPECT_EQ(ReadImapSettings().folder, "INBOX");

  {
    ScriptedUi ui;
    frmTaunt taunt(ui);
    taunt.Prepare("ivan@example.org", "SPWAW/email001.cmt");
    EXPECT_TRUE(Marked(taunt.windowTitle()));
    Child<QPushButton>(taunt, "cmdSend")->click();
    EXPECT_TRUE(ui.boxes.empty());
  }
  // The signature goes into mail and the list as it is.
  EXPECT_TRUE(TauntTexts().contains("KOLT Helper: KOLT Helper for Linux"));

  const QString stored = QString::fromUtf8(ReadFile(SettingsPath()));
  EXPECT_FALSE(stored.isEmpty());
  EXPECT_FALSE(Marked(stored)) << stored.toStdString();
}

// File names come from other people: a % sign in one is shown as it is, never taken for
// a place where the text fills something in.
TEST(TranslatedTexts, PercentSignsInFileNamesAreShownAsTheyAre) {
  MainWindowHarness h;
  h.InstallSpwaw();
  frmMain& window = h.Load();

  const QString missing = h.home.Root() + "/%2 gone %1.klt";
  window.TakeHandedOffFile(missing);
  ASSERT_EQ(h.ui.boxes.size(), 1u);
  EXPECT_TRUE(h.ui.boxes[0].text.startsWith("Invalid file name: " + missing))
      << h.ui.Texts().join(" | ").toStdString();

  h.ui.boxes.clear();
  const QString klt = PackKlt(h.home.Root() + "/%2 turn %1.klt", {{"WARGAME/turn.dat", "turn"}});
  window.TakeHandedOffFile(klt);
  ASSERT_EQ(h.ui.boxes.size(), 1u);
  EXPECT_TRUE(h.ui.boxes[0].text.startsWith(klt + " was not taken in: the archive holds no folder"))
      << h.ui.Texts().join(" | ").toStdString();
  EXPECT_EQ(window.PanelText(1), "%2 turn %1.klt was not taken in");
}
