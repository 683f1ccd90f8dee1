// Recipient rules, header texts, the password stores and the test file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include "mail/QtPrinters.h"

#include <QDir>
#include <QTimeZone>

#include "core/AppSettings.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "exchange/mail/FilePasswordStore.h"
#include "exchange/mail/MailText.h"
#include "exchange/mail/Mailer.h"
#include "exchange/mail/TestMessage.h"
#ifdef KOLT_HAVE_KEYCHAIN
#include <QElapsedTimer>

#include "exchange/mail/KeyringPasswordStore.h"
#endif
#include "support/OneBox.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// Decodes what EncodeHeaderText produced (only its own B-encoded UTF-8 words).
QString DecodeWords(const QByteArray& header) {
  if (!header.startsWith("=?")) return QString::fromLatin1(header);
  QByteArray bytes;
  for (const QByteArray& word : header.split(' ')) {
    EXPECT_TRUE(word.startsWith("=?UTF-8?B?") && word.endsWith("?=")) << word.constData();
    EXPECT_LE(word.size(), 75);
    const QByteArray decoded = QByteArray::fromBase64(word.mid(10, word.size() - 12));
    // Every word holds whole characters.
    EXPECT_TRUE(QString::fromUtf8(decoded).toUtf8() == decoded);
    bytes += decoded;
  }
  return QString::fromUtf8(bytes);
}

TEST(MailText, RecipientRules) {
  EXPECT_EQ(SplitRecipients("a@x.org; Me@Home.net", "me@home.net", false), QStringList{"a@x.org"});
  EXPECT_EQ(SplitRecipients("a@x.org; Me@Home.net", "me@home.net", true),
            QStringList({"a@x.org", "Me@Home.net"}));
  EXPECT_EQ(SplitRecipients(" ; a@x.org ;;  b@y.org  ;", "", false), QStringList({"a@x.org", "b@y.org"}));
  EXPECT_EQ(SplitRecipients("", "me@home.net", false), QStringList());
  EXPECT_EQ(SplitRecipients("me@home.net", " me@home.net ", false), QStringList());
  // Commas are not separators here.
  EXPECT_EQ(SplitRecipients("a@x.org,b@y.org", "", false), QStringList{"a@x.org,b@y.org"});
  EXPECT_EQ(SplitRecipients("a@x.org\r\nDATA", "", false), QStringList{"a@x.orgDATA"});
}

TEST(MailText, PlainAddresses) {
  for (const char* good : {"me@example.com", "first.last+kolt@mail.example.co.uk", "x@localhost",
                           "o'brien@example.ie", "me@[192.0.2.1]", "\xc3\xbc@b\xc3\xbc.de"})
    EXPECT_TRUE(IsPlainAddress(QString::fromUtf8(good))) << good;
  for (const char* bad : {"",
                          "me",
                          "me@",
                          "@example.com",
                          "me@@example.com",
                          "me@a@example.com",
                          "me at x.org",
                          "me @x.org",
                          "Me <me@x.org>",
                          "a@x.org;b@x.org",
                          "a@x.org,b@x.org",
                          "me@x..org",
                          "me@.x.org",
                          "me@x.org.",
                          "me@-x.org",
                          ".me@x.org",
                          "m..e@x.org",
                          "me@x.org\r\nRCPT",
                          "me@[]",
                          "me@x_y.org"})
    EXPECT_FALSE(IsPlainAddress(QString::fromUtf8(bad))) << bad;
}

TEST(MailSettings, ServerTextTakesAPort) {
  struct Case {
    const char* text;
    const char* host;
    int port;
  };
  for (const Case& c :
       {Case{"mail.example.com", "mail.example.com", 0},
        Case{" mail.example.com:2525 ", "mail.example.com", 2525}, Case{"192.0.2.7:25", "192.0.2.7", 25},
        Case{"[::1]:587", "::1", 587}, Case{"[2001:db8::1]", "2001:db8::1", 0},
        Case{"2001:db8::1", "2001:db8::1", 0}, Case{"smtp_relay:65535", "smtp_relay", 65535}}) {
    const std::optional<SmtpServerText> parsed = ParseSmtpServer(QString::fromLatin1(c.text));
    ASSERT_TRUE(parsed) << c.text;
    EXPECT_EQ(parsed->host, c.host) << c.text;
    EXPECT_EQ(parsed->port, c.port) << c.text;
  }
  for (const char* bad :
       {"", "  ", "host:", "host:0", "host:65536", "host:-1", "host:2x", "host:25:26", "smtp://host",
        "mail example.com", "a..b", ".host", "[::1", "[::1]25", "[host]:25", "[::1]:", "2001:db8::g", ":25"})
    EXPECT_FALSE(ParseSmtpServer(QString::fromLatin1(bad))) << bad;
}

TEST(MailText, HeaderEncoding) {
  EXPECT_EQ(EncodeHeaderText("KOLT Test"), "KOLT Test");
  EXPECT_EQ(EncodeHeaderText("a\r\nBcc: b"), "a  Bcc: b");
  const QString mixed = QString::fromUtf8("\xc3\x84rger \xe2\x80\x93 ") + QString(40, QChar(0x20AC)) +
                        QString::fromUtf8("\xf0\x9f\x98\x80 end");  // umlauts, euros, an emoji
  const QByteArray encoded = EncodeHeaderText(mixed);
  EXPECT_GT(encoded.count("=?UTF-8?B?"), 2);
  EXPECT_EQ(DecodeWords(encoded), mixed);
}

TEST(MailText, DateAndMessageId) {
  const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9), QTimeZone(3600));
  EXPECT_EQ(FormatMailDate(when), "Tue, 05 Mar 2024 14:07:09 +0100");
  const QDateTime west(QDate(1999, 12, 31), QTime(23, 59, 0), QTimeZone(-(9 * 3600 + 30 * 60)));
  EXPECT_EQ(FormatMailDate(west), "Fri, 31 Dec 1999 23:59:00 -0930");
  const QByteArray id = MakeMessageId("me@games.example.org");
  EXPECT_TRUE(id.startsWith('<') && id.endsWith("@games.example.org>"));
  EXPECT_NE(id, MakeMessageId("me@games.example.org"));
  EXPECT_TRUE(MakeMessageId("").endsWith("@kolt.invalid>"));
  EXPECT_TRUE(MakeMessageId("x@bad domain>\r\n").endsWith("@baddomain>"));
}

TEST(MailSettings, DefaultsAndStoredValues) {
  TempHome home;
  MailSettings s = ReadMailSettings();
  EXPECT_EQ(s.port, 587);
  EXPECT_EQ(s.security, SmtpSecurity::StartTls);
  IniWrite("E-Mail", "Address", "acct@example.com");
  IniWrite("E-Mail", "SMTP_Security", "TLS");
  s = ReadMailSettings();
  EXPECT_EQ(s.user, "");
  EXPECT_EQ(s.LoginUser(), "acct@example.com");  // the account address by default
  EXPECT_EQ(s.port, 465);                        // implicit TLS without a port of its own
  IniWrite("E-Mail", "SMTP_Port", "2525");
  IniWrite("E-Mail", "SMTP_User", "login");
  IniWrite("E-Mail", "SMTP_Security", "none");
  s = ReadMailSettings();
  EXPECT_EQ(s.port, 2525);
  EXPECT_EQ(s.LoginUser(), "login");
  EXPECT_EQ(s.security, SmtpSecurity::None);
  IniWrite("E-Mail", "SMTP_Port", "99999");
  IniWrite("E-Mail", "SMTP_Security", "SSL?");  // unknown: the safe default
  s = ReadMailSettings();
  EXPECT_EQ(s.port, 587);
  EXPECT_EQ(s.security, SmtpSecurity::StartTls);
}

TEST(PasswordFile, OnlyTheUserCanReadIt) {
  TempHome home;
  FilePasswordStore store;
  EXPECT_EQ(store.Path(), home.File("smtp-password"));
  EXPECT_EQ(store.ReadPassword(), "");
  ASSERT_TRUE(store.WritePassword(QString::fromUtf8("p\xc3\xa4ss word")));
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(store.Path()).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(store.ReadPassword(), QString::fromUtf8("p\xc3\xa4ss word"));
  ASSERT_TRUE(store.WritePassword("second"));
  EXPECT_EQ(store.ReadPassword(), "second");
  // A mode widened by hand is narrowed again.
  ::chmod(QFile::encodeName(store.Path()).constData(), 0644);
  EXPECT_EQ(store.ReadPassword(), "second");
  ::stat(QFile::encodeName(store.Path()).constData(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_TRUE(store.WritePassword(""));
  EXPECT_FALSE(QFile::exists(store.Path()));
  EXPECT_EQ(QDir(home.Path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

#ifdef KOLT_HAVE_KEYCHAIN
// When no keyring answers, the password must still be kept, in the password file, and quickly.
TEST(KeyringPasswordStore, FallsBackToThePasswordFile) {
  TempHome home;
  const ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + home.Root() + "/no-bus");
  KeyringPasswordStore store;
  QElapsedTimer timer;
  timer.start();
  ASSERT_TRUE(store.WritePassword("kept"));
  EXPECT_EQ(store.Location(), home.File("smtp-password"));
  EXPECT_EQ(FilePasswordStore().ReadPassword(), "kept");
  EXPECT_EQ(store.ReadPassword(), "kept");
  ASSERT_TRUE(store.WritePassword(""));
  EXPECT_FALSE(QFile::exists(home.File("smtp-password")));
  EXPECT_LT(timer.elapsed(), 10000);
}
#endif

TEST(TestMessage, RecognisesExactlyTheFourCharacters) {
  TempHome home;
  const auto file = [&](const QByteArray& bytes) {
    const QString path = home.File("check.klt");
    WriteFile(path, bytes);
    return path;
  };
  EXPECT_TRUE(IsTestMessageFile(file("TEST")));
  for (const char* other : {"TEST\r\n", "TESTPK\x03\x04", "TES", "test", ""})
    EXPECT_FALSE(IsTestMessageFile(file(other))) << other;
  EXPECT_FALSE(IsTestMessageFile(home.File("missing.klt")));
  ScriptedUi ui;
  EXPECT_FALSE(ShowIfTestMessage(ui, file("TEST ")));
  EXPECT_TRUE(ui.boxes.empty());
}

TEST(TestMessage, CannotCreateTheFile) {
  TempHome home;
  App().instanceFolder = home.File("no/such/folder");
  IniWrite("E-Mail", "Mode", "SMTP");
  IniWrite("E-Mail", "From", "me@example.com");
  ScriptedUi ui;
  Mailer mailer(ui);
  EXPECT_FALSE(SendTestMessage(ui, mailer));
  ASSERT_TRUE(OneBoxStartsWith(ui, "Can't create test file: " + home.File("no/such/folder/TEST.KLT")));
  App().instanceFolder.clear();
}

TEST(MailerWindow, AttachmentTextShowsSizesOrABlank) {
  TempHome home;
  WriteFile(home.File("a.klt"), QByteArray(1536, 'x'));
  EXPECT_EQ(Mailer::AttachmentText({home.File("a.klt"), home.File("gone.klt")}),
            home.File("a.klt") + " (1.5 kB) " + home.File("gone.klt") + " ");
  EXPECT_EQ(Mailer::AttachmentText({}), "");
}

}  // namespace
