// The players dialog of a Space Empires IV game.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "support/Child.h"
#include "support/OneBox.h"
#include "support/ScriptedUi.h"
#include "ui/frmSE4.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// Three players: the user's Terran Union first, an AI empire last.
struct Players {
  void Click(const char* button) { Child<QPushButton>(dialog, button)->click(); }
  QTreeWidgetItem* Row(int i) { return list->topLevelItem(i); }

  ScriptedUi ui;
  PlayersEdit edit{"Andromeda.gam - Space Empires IV",
                   {{1, "Terran Union", "Adm. Ruiz", "me@example.org", "Alive", false, true, true},
                    {2, "Drushocka", "Kraal", "ivan@example.org", "Alive", false, false, false},
                    {3, "Abbidon", "Computer", "", "Alive", true, false, false}},
                   "host"};
  frmSE4 dialog{ui, edit};
  QTreeWidget* list = Child<QTreeWidget>(dialog, "lvPlayers");
};

}  // namespace

TEST(frmSE4, ShowsThePlayersAndStoresWhatTheUserSet) {
  Players p;
  EXPECT_EQ(p.dialog.windowTitle(), "Andromeda.gam - Space Empires IV");
  ASSERT_EQ(p.list->topLevelItemCount(), 3);
  EXPECT_TRUE(p.Row(0)->font(1).bold());  // the user's empire
  EXPECT_TRUE(p.Row(0)->font(3).bold());  // his own address
  EXPECT_FALSE(p.Row(1)->font(1).bold());
  EXPECT_EQ(p.Row(2)->text(5), "X");
  EXPECT_EQ(Child<QLineEdit>(p.dialog, "txtHostPassword")->text(), "host");

  // Set me asks first; Cancel changes nothing, OK moves the bold empire.
  p.list->setCurrentItem(p.Row(1));
  p.ui.Answers({Answer::Cancel});
  p.Click("cmdSetMe");
  EXPECT_TRUE(OneBoxContains(p.ui, "Click OK to set Drushocka (ivan@example.org) as your empire."));
  EXPECT_TRUE(p.Row(0)->font(1).bold());
  p.ui.Answers({Answer::Ok});
  p.Click("cmdSetMe");
  EXPECT_FALSE(p.Row(0)->font(1).bold());
  EXPECT_TRUE(p.Row(1)->font(1).bold());

  // Set under AI toggles the selected row.
  p.Click("cmdSetAI");
  EXPECT_EQ(p.Row(1)->text(5), "X");
  p.list->setCurrentItem(p.Row(2));
  p.Click("cmdSetAI");
  EXPECT_EQ(p.Row(2)->text(5), "");

  Child<QLineEdit>(p.dialog, "txtHostPassword")->clear();
  p.Click("cmdClose");
  EXPECT_EQ(p.dialog.result(), QDialog::Accepted);
  EXPECT_EQ(p.edit.hostPassword, "");
  EXPECT_FALSE(p.edit.rows[0].me);
  EXPECT_TRUE(p.edit.rows[1].me);
  EXPECT_TRUE(p.edit.rows[1].ai);
  EXPECT_FALSE(p.edit.rows[2].ai);
}

TEST(frmSE4, CancelAndNoSelectionChangeNothing) {
  Players p;
  p.list->clearSelection();
  p.Click("cmdSetMe");
  p.Click("cmdSetAI");
  EXPECT_TRUE(p.ui.boxes.empty());
  p.list->setCurrentItem(p.Row(0));
  p.Click("cmdSetAI");
  p.Click("cmdCancel");
  EXPECT_EQ(p.dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(p.edit.rows[0].ai);
  EXPECT_EQ(p.edit.hostPassword, "host");
}
