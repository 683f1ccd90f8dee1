// The players dialog of a Space Empires IV game.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "support/Screenshot.h"
#include "support/ScriptedUi.h"
#include "ui/frmSE4.h"

using namespace kolt;
using kolt::test::SaveScreenshot;
using kolt::test::ScriptedUi;

namespace {

PlayersEdit ThreePlayers() {
  PlayersEdit edit;
  edit.caption = "Andromeda.gam - Space Empires IV";
  edit.hostPassword = "host";
  edit.rows = {{1, "Terran Union", "Adm. Ruiz", "me@example.org", "Alive", false, true, true},
               {2, "Drushocka", "Kraal", "ivan@example.org", "Alive", false, false, false},
               {3, "Abbidon", "Computer", "", "Alive", true, false, false}};
  return edit;
}

QPushButton* Button(QWidget& w, const char* name) {
  auto* b = w.findChild<QPushButton*>(name);
  EXPECT_NE(b, nullptr) << name;
  return b;
}

}  // namespace

TEST(frmSE4, ShowsThePlayersAndStoresWhatTheUserSet) {
  ScriptedUi ui;
  PlayersEdit edit = ThreePlayers();
  frmSE4 dialog(ui, edit);
  EXPECT_EQ(dialog.windowTitle(), "Andromeda.gam - Space Empires IV");
  auto* list = dialog.findChild<QTreeWidget*>("lvPlayers");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->topLevelItemCount(), 3);
  QStringList headers;
  for (int c = 1; c < list->columnCount(); ++c) headers.append(list->headerItem()->text(c));
  EXPECT_EQ(headers, QStringList({"Empire", "Leader", "E-mail", "Status", "AI"}));
  EXPECT_TRUE(list->topLevelItem(0)->font(1).bold());  // the user's empire
  EXPECT_TRUE(list->topLevelItem(0)->font(3).bold());  // his own address
  EXPECT_FALSE(list->topLevelItem(1)->font(1).bold());
  EXPECT_EQ(list->topLevelItem(2)->text(5), "X");
  EXPECT_EQ(dialog.findChild<QLineEdit*>("txtHostPassword")->text(), "host");
  dialog.show();
  QApplication::processEvents();
  SaveScreenshot(dialog, "frmSE4");

  // Set me asks first; Cancel changes nothing, OK moves the bold empire.
  list->setCurrentItem(list->topLevelItem(1));
  ui.Answers({Answer::Cancel});
  Button(dialog, "cmdSetMe")->click();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(
      ui.boxes[0].text,
      "Normally you are detected from your e-mail address that is defined in KOLT helper options. If for "
      "some reason it is different than your e-mail address in this game, you can define your own empire "
      "here. Click OK to set Drushocka (ivan@example.org) as your empire.");
  EXPECT_TRUE(list->topLevelItem(0)->font(1).bold());
  ui.Answers({Answer::Ok});
  Button(dialog, "cmdSetMe")->click();
  EXPECT_FALSE(list->topLevelItem(0)->font(1).bold());
  EXPECT_TRUE(list->topLevelItem(1)->font(1).bold());

  // Set under AI toggles the selected row.
  Button(dialog, "cmdSetAI")->click();
  EXPECT_EQ(list->topLevelItem(1)->text(5), "X");
  list->setCurrentItem(list->topLevelItem(2));
  Button(dialog, "cmdSetAI")->click();
  EXPECT_EQ(list->topLevelItem(2)->text(5), "");

  dialog.findChild<QLineEdit*>("txtHostPassword")->clear();
  Button(dialog, "cmdClose")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(edit.hostPassword, "");
  EXPECT_FALSE(edit.rows[0].me);
  EXPECT_TRUE(edit.rows[1].me);
  EXPECT_TRUE(edit.rows[1].ai);
  EXPECT_FALSE(edit.rows[2].ai);
}

TEST(frmSE4, CancelAndNoSelectionChangeNothing) {
  ScriptedUi ui;
  PlayersEdit edit = ThreePlayers();
  frmSE4 dialog(ui, edit);
  auto* list = dialog.findChild<QTreeWidget*>("lvPlayers");
  list->clearSelection();
  Button(dialog, "cmdSetMe")->click();
  Button(dialog, "cmdSetAI")->click();
  EXPECT_TRUE(ui.boxes.empty());
  list->setCurrentItem(list->topLevelItem(0));
  Button(dialog, "cmdSetAI")->click();
  Button(dialog, "cmdCancel")->click();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(edit.rows[0].ai);
  EXPECT_EQ(edit.hostPassword, "host");
}
