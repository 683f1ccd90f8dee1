#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "TestPrograms.h"
#include "core/AppSettings.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "exchange/turns/MailboxFetch.h"
#include "support/MainWindowHarness.h"
#include "ui/frmGame.h"

using namespace kolt;
using namespace kolt::test;

namespace {

struct Fixture {
  TempHome home;
  ScriptedUi ui;
  std::shared_ptr<TestProgram> program = std::make_shared<TestProgram>(QStringLiteral("SPWAW"));
  GameList games;

  std::shared_ptr<TestGame> Add(const QString& email, const QString& mode = QStringLiteral("KLT")) {
    auto g = std::make_shared<TestGame>(QStringLiteral("email001.cmt"), QStringLiteral("Play"), email,
                                        QStringLiteral("pw"), mode);
    g->Init(program, QString(), g->name);
    games.push_back(g);
    return g;
  }
  QComboBox* Address(frmGame& d) { return d.findChild<QComboBox*>("txtEMail"); }
  QComboBox* Mode(frmGame& d) { return d.findChild<QComboBox*>("cmbMode"); }
  void Click(frmGame& d, const char* name) { d.findChild<QPushButton*>(name)->click(); }
  // Opens the dialog on the first game, lets `edit` change it and presses OK: the result.
  int Ok(const std::function<void(frmGame&)>& edit = {}) {
    frmGame d(ui, games, 0);
    if (edit) edit(d);
    Click(d, "cmdOK");
    return d.result();
  }
  int Submit(const QString& address) {
    return Ok([&](frmGame& d) { Address(d)->setEditText(address); });
  }
};

QStringList Items(QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items.append(box->itemText(i));
  return items;
}

}  // namespace

TEST(GameDialog, AddressBookRules) {
  Fixture f;
  IniWrite("Addresses", "0", "Alpha@example.org");
  IniWrite("Addresses", "1", "beta@example.org");
  auto game = f.Add("beta@example.org");
  {
    frmGame d(f.ui, f.games, 0);
    EXPECT_EQ(Items(f.Address(d)), QStringList({"-", "Alpha@example.org", "beta@example.org"}));
    EXPECT_EQ(f.Address(d)->currentText(), "beta@example.org");
  }
  EXPECT_EQ(f.Submit("ALPHA@EXAMPLE.ORG"), QDialog::Accepted);
  EXPECT_EQ(IniRead("Addresses", "2"), "");  // a known address, any case: nothing new
  EXPECT_EQ(game->email, "ALPHA@EXAMPLE.ORG");
  f.Submit("gamma@example.org");
  EXPECT_EQ(IniRead("Addresses", "2"), "gamma@example.org");
  f.Submit("x@example.org;y@example.org");
  EXPECT_EQ(IniRead("Addresses", "3"), "");  // lists of several are not kept
  EXPECT_EQ(game->email, "x@example.org;y@example.org");

  // A duplicate (by case) in the book: "entries - 1" would be key 3, which is taken.
  IniWrite("Addresses", "3", "GAMMA@EXAMPLE.ORG");
  f.Submit("new@example.org");
  EXPECT_EQ(IniRead("Addresses", "3"), "GAMMA@EXAMPLE.ORG");
  EXPECT_EQ(IniRead("Addresses", "4"), "new@example.org");
}

TEST(GameDialog, ValuesTheSettingsFileRefusesKeepTheDialogOpenAndAreReported) {
  Fixture f;
  auto game = f.Add("beta@example.org");
  game->storable = false;
  EXPECT_NE(f.Submit("new@example.org"), QDialog::Accepted);
  ASSERT_EQ(f.ui.boxes.size(), 1u);
  EXPECT_TRUE(f.ui.boxes[0].text.startsWith("Can't write the settings file " + f.home.Ini()));
  EXPECT_EQ(game->email, "beta@example.org");
  // The new address reached the address book; the game's own record did not.
  EXPECT_EQ(IniRead("Addresses", "0"), "new@example.org");
}

TEST(GameDialog, ModeListAndPassword) {
  Fixture f;
  auto game = f.Add("x@example.org", "");
  // The mode shows as sending reads it: an unknown word is sent as KLT, "zip" as ZIP.
  for (const auto& [stored, shown] : {std::pair{"", 0}, {"klt?", 0}, {"zip", 1}, {" ZIP ", 1}, {"-", 2}}) {
    game->mode = stored;
    frmGame d(f.ui, f.games, 0);
    EXPECT_EQ(f.Mode(d)->currentIndex(), shown) << stored;
  }
  game->mode = "";
  {
    frmGame d(f.ui, f.games, 0);
    EXPECT_EQ(Items(f.Mode(d)), frmGame::ModeTexts());
    f.Mode(d)->setCurrentIndex(2);
    f.Click(d, "cmdGenerate");
    EXPECT_NE(d.findChild<QLineEdit*>("txtPassword")->text(), "pw");
    f.Click(d, "cmdCancel");
    EXPECT_EQ(d.result(), QDialog::Rejected);
  }
  EXPECT_EQ(game->password, "pw");  // Cancel after Generate keeps the password
  EXPECT_EQ(game->mode, "");
  f.Ok();
  EXPECT_EQ(game->mode, "KLT");  // OK stores the mode as shown and sent
  f.Ok([&f](frmGame& d) { f.Mode(d)->setCurrentIndex(2); });
  EXPECT_EQ(game->mode, "-");
  game->mode = "ZIP";
  {
    frmGame d(f.ui, f.games, 0);
    EXPECT_EQ(f.Mode(d)->currentIndex(), 1);
    f.Mode(d)->setCurrentIndex(0);
    d.show();
    QTest::keyClick(&d, Qt::Key_Return);  // Enter is OK
    EXPECT_EQ(d.result(), QDialog::Accepted);
  }
  EXPECT_EQ(game->mode, "KLT");
}

TEST(GameDialog, MoreDeleteAndF6) {
  Fixture f;
  auto game = f.Add("x@example.org");
  frmGame d(f.ui, f.games, 0);
  f.Click(d, "cmdMore");
  ASSERT_EQ(f.ui.boxes.size(), 1u);
  EXPECT_EQ(f.ui.boxes[0].text, "This program does not have more information.");
  EXPECT_EQ(f.ui.boxes[0].title, "The SPWAW game");
  EXPECT_EQ(f.ui.boxes[0].icon, Icon::None);

  d.show();
  d.findChild<QLineEdit*>("txtFileName")->setFocus();
  QApplication::processEvents();
  QTest::keyClick(&d, Qt::Key_F6);
  ASSERT_EQ(f.ui.boxes.size(), 2u);
  EXPECT_EQ(f.ui.boxes[1].text, "email001.cmt");

  f.ui.Answers({Answer::Cancel});
  f.Click(d, "cmdDelete");
  EXPECT_FALSE(game->deleted);
  EXPECT_EQ(f.ui.boxes[2].text, "Are you sure that you want to delete this game?");
  EXPECT_EQ(f.ui.boxes[2].defaultButton, 2);
  f.ui.Answers({Answer::Ok});
  f.Click(d, "cmdDelete");
  EXPECT_TRUE(game->deleted);
  EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST(GameDialog, OnlyAMailboxListThatFitsIsStored) {
  Fixture f;
  auto game = f.Add("beta@example.org");
  QStringList tooLong;
  for (int i = 10; i < 34; ++i) tooLong.append("user" + QString::number(i) + "@e.ch");
  const struct {
    QString typed, reason;
  } refused[] = {
      {"opponent@example.org> NOTIFY=NEVER ORCPT=rfc822;x@y; spy@third.example",
       "\"opponent@example.org> NOTIFY=NEVER ORCPT=rfc822\" is not an e-mail address."},
      {"Ivan <ivan@example.org>", "\"Ivan <ivan@example.org>\" is not an e-mail address."},
      {"a@example.org, b@example.org", "\"a@example.org, b@example.org\" is not an e-mail address."},
      {"a@example.org;;b@example.org", "has an empty entry"},
      {tooLong.join(";"), "The address list is 287 characters long; at most 255 fit."},
  };
  for (const auto& c : refused) {
    f.ui.boxes.clear();
    EXPECT_NE(f.Submit(c.typed), QDialog::Accepted) << c.typed.toStdString();
    ASSERT_EQ(f.ui.boxes.size(), 1u) << c.typed.toStdString();
    EXPECT_TRUE(f.ui.boxes[0].text.contains(c.reason)) << f.ui.boxes[0].text.toStdString();
    EXPECT_EQ(f.ui.boxes[0].title, "KOLT Game");
    EXPECT_EQ(game->email, "beta@example.org");  // nothing stored
    EXPECT_EQ(IniRead("Addresses", "0"), "");
  }
  // No address at all, and blanks around the entries of a list, are fine.
  for (const QString& ok : {QString("-"), QString(""), QString(" x@example.org ; y@example.org ")}) {
    f.ui.boxes.clear();
    EXPECT_EQ(f.Submit(ok), QDialog::Accepted) << ok.toStdString();
    EXPECT_TRUE(f.ui.boxes.empty());
    EXPECT_EQ(game->email, ok);
  }
}

TEST(GameDialog, ShowsTheLastMessageFetchedForTheGame) {
  Fixture f;
  f.Add("x@example.org");
  {
    frmGame d(f.ui, f.games, 0);
    EXPECT_TRUE(d.findChild<QPlainTextEdit*>("txtLastMessage")->isHidden());
  }
  ASSERT_TRUE(
      MailboxFetch::SetLastMessage("spwaw", "EMAIL001.CMT", {"Your flank is open", "x@example.org", ""}));
  frmGame d(f.ui, f.games, 0);
  EXPECT_FALSE(d.findChild<QPlainTextEdit*>("txtLastMessage")->isHidden());
  EXPECT_EQ(d.findChild<QPlainTextEdit*>("txtLastMessage")->toPlainText(),
            "x@example.org: Your flank is open");
}

// Enter in the address field, on the demo home's real games: the typed address is what
// is stored, whether or not the address book holds it, for a Combat Mission game and for
// a Space Empires IV game alike.
TEST(GameDialog, EnterStoresTheAddressAsTyped) {
  MainWindowHarness h;
  h.MakeDemoHome();
  const GameList& games = h.Load().Games();
  ScriptedUi& ui = h.ui;
  struct Case {
    const char* program;
    const char* game;
    const char* key;
  };
  for (const Case& c : {Case{"CMBO", "Bocage_###.txt", "Bocage_"}, Case{"SE4", "Nebula.gam", "Nebula"}}) {
    SCOPED_TRACE(c.program);
    const int index = h.RowOf(c.game);
    ASSERT_GE(index, 0);
    // The stored address is not in the address book: Enter alone keeps it. Then a typed
    // one, also not in the book. Once, and twice in case the first did not close.
    IniWrite(c.program, c.key, "zed@example.org");
    for (const QString& typed : {QString(), QString("new@example.net")}) {
      for (const int presses : {1, 2}) {
        frmGame d(ui, games, index);
        d.show();
        QApplication::setActiveWindow(&d);
        // The keys go where the keyboard focus is, as the user's do: the dialog opens
        // with the address field focused and its text selected.
        QWidget* focus = QApplication::focusWidget();
        ASSERT_EQ(focus, d.findChild<QComboBox*>("txtEMail"));
        QTest::keyClicks(focus, typed);
        for (int i = 0; i < presses && d.isVisible(); ++i) QTest::keyClick(focus, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());  // the first Enter was OK
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_EQ(IniRead(c.program, c.key), typed.isEmpty() ? QString("zed@example.org") : typed);
      }
    }
  }
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join(" | ").toStdString();
  EXPECT_TRUE(AddressBook().contains("new@example.net"));
}
