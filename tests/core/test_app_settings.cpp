// The typed settings read and write the keys and value forms that other copies of the
// program read from the same KOLT.INI.
#include <gtest/gtest.h>

#include "core/AppSettings.h"
#include "core/Settings.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

TEST(AppSettings, MailSettingsKeepTheirKeysAndForms) {
  TempHome home;
  EXPECT_EQ(GetOwnAddress(), "");
  EXPECT_FALSE(IsDialogEnabled());
  MailSettings s;
  s.from = "me@example.org";
  s.mode = kMailModeSmtp;
  s.account = "acct@example.org";
  s.server = "smtp.example.org";
  s.dialog = true;
  s.port = 2525;
  s.security = SmtpSecurity::Tls;
  s.user = " login ";
  ASSERT_TRUE(WriteMailSettings(s));
  EXPECT_EQ(ReadFile(home.Ini()),
            "[E-Mail]\r\nFrom=me@example.org\r\nMode=SMTP\r\nAddress=acct@example.org\r\n"
            "SMTP_Server=smtp.example.org\r\nDialog=1\r\nSMTP_Port=2525\r\nSMTP_Security=TLS\r\n"
            "SMTP_User=login\r\n");
  const MailSettings back = ReadMailSettings();
  EXPECT_EQ(back.mode, "SMTP");
  EXPECT_EQ(back.from, GetOwnAddress());
  EXPECT_TRUE(back.dialog);
  EXPECT_TRUE(IsDialogEnabled());
  EXPECT_EQ(back.port, 2525);
  EXPECT_EQ(back.security, SmtpSecurity::Tls);
  EXPECT_EQ(back.LoginUser(), "login");
  s.dialog = false;
  s.user.clear();
  ASSERT_TRUE(WriteMailSettings(s));
  EXPECT_TRUE(ReadFile(home.Ini()).contains("\r\nDialog=\r\n"));
  EXPECT_FALSE(IsDialogEnabled());
  EXPECT_EQ(ReadMailSettings().LoginUser(), "acct@example.org");
  for (const char* off : {"0", "abc"}) {
    IniWrite("E-Mail", "Dialog", off);
    EXPECT_FALSE(IsDialogEnabled()) << off;
  }
}

TEST(AppSettings, ProgramSettingsHaveTheirDefaults) {
  TempHome home;
  EXPECT_EQ(WineCommand(), "wine");
  EXPECT_FALSE(TauntEnabled());
  EXPECT_EQ(WorkingFolderSetting(), "");
  EXPECT_TRUE(RemovedPrograms().isEmpty());
  EXPECT_TRUE(WindowGeometry().isEmpty());
  WriteFile(home.Ini(),
            "[Settings]\r\nWine=wine64 --x\r\nTaunt=1\r\nRemovedPrograms=ABC,,DEF\r\nInformed=3.1\r\n");
  ClearIniCache();
  EXPECT_EQ(WineCommand(), "wine64 --x");
  EXPECT_TRUE(TauntEnabled());
  EXPECT_EQ(RemovedPrograms(), QStringList({"ABC", "DEF"}));
  EXPECT_EQ(InformedVersion(), "3.1");
  ASSERT_TRUE(SetTauntEnabled(false));
  ASSERT_TRUE(SetWindowGeometry(QByteArray("\x01\x02geometry", 10)));
  EXPECT_EQ(WindowGeometry(), QByteArray("\x01\x02geometry", 10));
  EXPECT_TRUE(ReadFile(home.Ini()).contains("Taunt=0\r\n"));
}

TEST(AppSettings, TheAddressBookFillsTheFirstFreeKeyAndKeepsEveryAddress) {
  TempHome home;
  WriteFile(home.Ini(), "[Addresses]\r\n0=ann@example.org\r\n2=cid@example.org\r\n");
  ClearIniCache();
  EXPECT_EQ(AddressBook(), QStringList({"ann@example.org"}));  // read up to the first gap
  ASSERT_TRUE(AddToAddressBook("bob@example.org"));
  ASSERT_TRUE(AddToAddressBook("ANN@example.org"));  // known already: nothing written
  EXPECT_EQ(AddressBook(), QStringList({"ann@example.org", "bob@example.org", "cid@example.org"}));
}

TEST(AppSettings, TauntTextsAreTheWholeSection) {
  TempHome home;
  ASSERT_TRUE(SetTauntTexts({"Your move!", "Ha"}));
  EXPECT_EQ(ReadFile(home.Ini()), "[Text]\r\n0=Your move!\r\n1=Ha\r\n");
  EXPECT_EQ(TauntTexts(), QStringList({"Your move!", "Ha"}));
  ASSERT_TRUE(SetTauntTexts({"Only one"}));
  EXPECT_EQ(TauntTexts(), QStringList({"Only one"}));
}

TEST(AppSettings, MailboxSettingsDefaultsAndForms) {
  TempHome home;
  ImapSettings s = ReadImapSettings();
  EXPECT_TRUE(s.server.isEmpty());
  EXPECT_EQ(s.port, 993);
  EXPECT_EQ(s.security, ImapSecurity::Tls);
  EXPECT_EQ(s.folder, "INBOX");
  EXPECT_EQ(s.after, ImapAfter::MarkRead);
  // The login falls back to the SMTP account, then to the user's own address.
  IniWrite("E-Mail", "From", "me@example.org");
  EXPECT_EQ(s.LoginUser(), "me@example.org");
  IniWrite("E-Mail", "Address", "acct@example.org");
  EXPECT_EQ(s.LoginUser(), "acct@example.org");

  // Without a port of its own, STARTTLS and none mean the imap port; odd words are TLS.
  IniWrite("E-Mail", "IMAP_Security", "starttls");
  EXPECT_EQ(ReadImapSettings().port, 143);
  IniWrite("E-Mail", "IMAP_Security", "SSL?");
  EXPECT_EQ(ReadImapSettings().security, ImapSecurity::Tls);
  IniWrite("E-Mail", "IMAP_After", "MOVE:");  // no folder: marking as read
  EXPECT_EQ(ReadImapSettings().after, ImapAfter::MarkRead);

  s.server = " imap.example.org ";
  s.port = 1993;
  s.security = ImapSecurity::None;
  s.user = "login";
  s.folder = "Turns In";
  s.interval = 15;
  s.after = ImapAfter::Move;
  s.moveTo = "Done";
  ASSERT_TRUE(WriteImapSettings(s));
  const ImapSettings back = ReadImapSettings();
  EXPECT_EQ(back.server, "imap.example.org");
  EXPECT_EQ(back.port, 1993);
  EXPECT_EQ(back.security, ImapSecurity::None);
  EXPECT_EQ(back.folder, "Turns In");
  EXPECT_EQ(back.interval, 15);
  EXPECT_EQ(back.after, ImapAfter::Move);
  EXPECT_EQ(back.moveTo, "Done");
  EXPECT_EQ(IniRead("E-Mail", "IMAP_After"), "MOVE:Done");
  EXPECT_EQ(IniRead("E-Mail", "IMAP_Security"), "NONE");
}
