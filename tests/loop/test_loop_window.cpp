// The main window's part of the loop without hands, on the real adapters, the real
// exchange and the test SMTP server: Remind, from the games list's context menu and from
// the game dialog, mails the late opponent, goes into the history and is refused a second
// time the same day; "Host automatically" in the game dialog is kept, and the window's
// timer hosts the game and mails every player once all orders are in.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QJsonArray>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <map>

#include "exchange/history/HistoryStore.h"
#include "loop/HostHome.h"
#include "mail/SmtpTestServer.h"
#include "model/Status.h"
#include "support/Child.h"
#include "support/MainWindowHarness.h"
#include "support/QtPrinters.h"

using namespace kolt;
using namespace kolt::test;

namespace {

class LoopWindow : public ::testing::Test, protected MainWindowHarness {
 protected:
  void SetUp() override {
    ASSERT_GT(smtp.Port(), 0) << smtp.Errors().toStdString();
    ASSERT_TRUE(IniWrite("E-Mail", "Mode", "SMTP"));
    ASSERT_TRUE(IniWrite("E-Mail", "SMTP_Server", "127.0.0.1"));
    ASSERT_TRUE(IniWrite("E-Mail", "SMTP_Port", QString::number(smtp.Port())));
    ASSERT_TRUE(IniWrite("E-Mail", "SMTP_Security", "NONE"));
    ASSERT_TRUE(IniWrite("E-Mail", "Address", "me@example.org"));
    ASSERT_TRUE(IniWrite("E-Mail", "From", "me@example.org"));
    exchange.exchange.SetRecorder(&history);
  }

  QTreeView* Games() { return window->findChild<QTreeView*>("lvGames"); }
  void Select(const QString& fileName) {
    const int row = RowOf(fileName);
    ASSERT_GE(row, 0) << fileName.toStdString();
    Games()->selectionModel()->setCurrentIndex(
        Rows().index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  // Opens the game dialog of `fileName` (Edit) and hands it to `use` while it is shown.
  void InDialog(const QString& fileName, const std::function<void(QWidget&)>& use) {
    Select(fileName);
    bool shown = false;
    QTimer::singleShot(0, window.get(), [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      shown = true;
      use(*modal);
      if (modal->isVisible()) modal->findChild<QAbstractButton*>("cmdCancel")->click();
    });
    window->Edit();
    EXPECT_TRUE(shown);
  }
  // Remind from the game dialog of `fileName`, if it shows the button; whether it did.
  bool RemindFromDialog(const QString& fileName) {
    bool shown = false;
    InDialog(fileName, [&](QWidget& dialog) {
      auto* remind = Child<QAbstractButton>(dialog, "cmdRemind");
      shown = remind && !remind->isHidden();
      if (shown) remind->click();
    });
    return shown;
  }
  // Remind from the games list's context menu on `fileName`, if it is enabled there;
  // whether it was.
  bool RemindFromMenu(const QString& fileName) {
    const QModelIndex index = Rows().index(RowOf(fileName), 1);
    EXPECT_TRUE(index.isValid()) << fileName.toStdString();
    bool shown = false, enabled = false;
    QTimer::singleShot(0, window.get(), [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) return;
      shown = true;
      auto* remind = Child<QAction>(*menu, "mnuRemind");
      enabled = remind && remind->isEnabled();
      if (enabled) {
        menu->setActiveAction(remind);
        QTest::keyClick(menu, Qt::Key_Return);
      }
      if (menu->isVisible()) menu->close();
    });
    emit Games()->customContextMenuRequested(Games()->visualRect(index).center());
    EXPECT_TRUE(shown);
    return enabled;
  }
  std::map<QString, int> MailedTo(const QString& subject) {
    std::map<QString, int> count;
    for (const QJsonObject& m : smtp.Messages()) {
      if (m["message"].toObject()["subject"].toString() != subject) continue;
      for (const auto& to : m["rcpt_tos"].toArray()) ++count[to.toString()];
    }
    return count;
  }

  SmtpTestServer smtp;
  HistoryStore history{home.File("history.sqlite")};
};

// Steel Panthers games that wait on their opponent: "late" for ten days, "fresh" for one.
TEST_F(LoopWindow, RemindMailsTheLateOpponentOnceADayFromTheMenuAndTheGameDialog) {
  const QString email = InstallSpwaw() + "/EMAIL";
  const QDateTime late = QDateTime::currentDateTime().addDays(-10);
  const QDateTime fresh = QDateTime::currentDateTime().addDays(-1);
  for (const auto& [name, sent, opponent] :
       {std::tuple{QString("email001"), late, QString("b@example.org")},
        std::tuple{QString("email002"), late, QString("c@example.org")},
        std::tuple{QString("email003"), fresh, QString("d@example.org")}}) {
    for (const char* ext : {".cmt", ".dat", ".aux"}) {
      ASSERT_TRUE(WriteFile(email + "/" + name + ext, "turn"));
      SetModified(email + "/" + name + ext, sent);
    }
    ASSERT_TRUE(IniWrite("SPWAW", name + ".cmt", opponent));
    ASSERT_TRUE(IniWrite("SPWAW", name + ".cmt/S", FormatStamp(sent)));
  }
  Load();
  ASSERT_EQ(Cell("email001.cmt", 5), status::Wait);
  ui.boxes.clear();

  // The context menu offers Remind only for a game that is late.
  EXPECT_FALSE(RemindFromMenu("email003.cmt"));
  EXPECT_TRUE(RemindFromMenu("email001.cmt"));
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join(" | ").toStdString();
  EXPECT_EQ(MailedTo("KOLT message"), (std::map<QString, int>{{"b@example.org", 1}}));
  ASSERT_EQ(smtp.Messages().size(), 1u);
  EXPECT_TRUE(smtp.Messages()[0]["message"].toObject()["body"].toString().contains(
      "SPWAW/email001.cmt has been waiting for your turn for 10 d"))
      << smtp.Messages()[0]["message"].toObject()["body"].toString().toStdString();
  EXPECT_TRUE(ui.statuses.contains("Reminded b@example.org of email001.cmt"))
      << ui.statuses.join(" | ").toStdString();
  const auto turns = history.Turns("SPWAW", "email001.cmt");
  ASSERT_TRUE(turns) << history.LastError().toStdString();
  ASSERT_EQ(turns->size(), 1u);
  EXPECT_EQ((*turns)[0].direction, TurnDirection::Reminded);
  EXPECT_EQ((*turns)[0].opponent, "b@example.org");

  // The game dialog shows Remind for a late game only; a second reminder the same day is
  // refused with the reason, whichever way it is asked for.
  EXPECT_FALSE(RemindFromDialog("email003.cmt"));
  EXPECT_TRUE(RemindFromDialog("email002.cmt"));
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join(" | ").toStdString();
  EXPECT_EQ(MailedTo("KOLT message"), (std::map<QString, int>{{"b@example.org", 1}, {"c@example.org", 1}}));
  EXPECT_EQ(history.Turns("SPWAW", "email002.cmt")->size(), 1u);

  EXPECT_TRUE(RemindFromDialog("email001.cmt"));
  EXPECT_TRUE(RemindFromMenu("email002.cmt"));
  ASSERT_EQ(ui.boxes.size(), 2u) << ui.Texts().join(" | ").toStdString();
  for (const QString game : {"email001", "email002"}) {
    const QString said = ui.boxes[game == "email001" ? 0 : 1].text;
    EXPECT_TRUE(said.startsWith("The last reminder for SPWAW/" + game + ".cmt went out "))
        << said.toStdString();
    EXPECT_TRUE(said.endsWith(" ago; the next one can go a day after it.")) << said.toStdString();
    EXPECT_EQ(history.Turns("SPWAW", game + ".cmt")->size(), 1u);
  }
  EXPECT_EQ(smtp.Messages().size(), 2u);
}

// A Space Empires IV game this player hosts for three others; the host step is a
// stand-in run as the Wine command.
TEST_F(LoopWindow, HostAutomaticallyIsKeptAndTheTimerHostsOnceEveryOrderIsIn) {
  HostHome game{home.Path(), QDateTime::currentDateTime().addDays(-2), /*autoHost=*/false};
  game.Order(1);
  game.Order(2);
  Load();
  window->findChild<QTimer*>("Timer1")->stop();
  ASSERT_GE(RowOf("Game.gam"), 0);

  // Checked and kept with OK; shown again as kept.
  InDialog("Game.gam", [](QWidget& dialog) {
    auto* box = dialog.findChild<QCheckBox*>("chkAutoHost");
    ASSERT_FALSE(box->isHidden());
    EXPECT_FALSE(box->isChecked());
    box->setChecked(true);
    dialog.findChild<QAbstractButton*>("cmdOK")->click();
  });
  EXPECT_EQ(IniRead("AutoHost", "SE4/Game.gam"), "1");
  InDialog("Game.gam",
           [](QWidget& dialog) { EXPECT_TRUE(dialog.findChild<QCheckBox*>("chkAutoHost")->isChecked()); });

  // Two orders of three: the timer does nothing.
  window->Timer1_Timer();
  EXPECT_TRUE(smtp.Messages().empty());
  EXPECT_FALSE(game.Gam().endsWith("turn processed\r\n"));

  // The last one: hosted and sent to each player once, and not again on the next tick.
  game.Order(3);
  window->RefreshLists(true);
  ASSERT_EQ(Cell("Game.gam", 5), status::Host);
  window->Timer1_Timer();
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join(" | ").toStdString();
  EXPECT_TRUE(game.Gam().endsWith("turn processed\r\n"));
  const std::map<QString, int> once{{"p1@example.org", 1}, {"p2@example.org", 1}, {"p3@example.org", 1}};
  EXPECT_EQ(MailedTo("KOLT file"), once);
  EXPECT_TRUE(ui.statuses.contains("Done with SE4/Game.gam: sent to 3 players"))
      << ui.statuses.join(" | ").toStdString();
  window->Timer1_Timer();
  EXPECT_EQ(MailedTo("KOLT file"), once);
  EXPECT_EQ(smtp.Messages().size(), 3u);
}

}  // namespace
