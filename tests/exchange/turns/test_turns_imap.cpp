// Turns arrive by themselves: player A sends through the local SMTP server, which
// delivers into the Maildir of a real Dovecot IMAP server, and player B's `kolt-cli
// fetch` takes them in. Two homes, two kolt-cli processes, no stand-ins.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "core/Settings.h"
#include "mail/DovecotTestServer.h"
#include "mail/QtPrinters.h"
#include "mail/SmtpTestServer.h"
#include "support/RunCli.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

void WriteAt(const QString& path, const QByteArray& bytes, const QDateTime& when) {
  ASSERT_TRUE(WriteFile(path, bytes));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

class Player {
 public:
  Player(const QString& address, int smtpPort) {
    QDir().mkpath(home);
    QDir().mkpath(m_dir.path() + "/prefix");
    WriteFile(game + "/mech.exe", "MZ");
    Set("SPWAW", "Directory", game);
    Set("SPWAW", "SAVE", "0");
    Set("E-Mail", "Mode", "SMTP");
    Set("E-Mail", "SMTP_Server", "127.0.0.1");
    Set("E-Mail", "SMTP_Port", QString::number(smtpPort));
    Set("E-Mail", "SMTP_Security", "NONE");
    Set("E-Mail", "Address", address);
    Set("E-Mail", "From", address);
  }
  void Set(const QString& section, const QString& key, const QString& value) {
    IniWrite(section, key, value, home + "/KOLT.INI");
  }
  void Mailbox(int port, const QString& security, const QString& password) {
    Set("E-Mail", "IMAP_Server", "127.0.0.1");
    Set("E-Mail", "IMAP_Port", QString::number(port));
    Set("E-Mail", "IMAP_Security", security);
    WriteFile(home + "/imap-password", password.toUtf8());
  }
  void Play(const QByteArray& turn, const QDateTime& when) {
    WriteAt(email + "/email001.dat", "DAT " + turn, when);
    WriteAt(email + "/email001.aux", "AUX " + turn, when);
  }
  CliResult Cli(const QStringList& args, const QMap<QString, QString>& extra = {}) {
    QMap<QString, QString> env{{"KOLT_HOME", home},
                               {"HOME", m_dir.path() + "/user"},
                               {"XDG_DATA_HOME", m_dir.path() + "/user/.local/share"},
                               {"XDG_CONFIG_HOME", m_dir.path() + "/user/.config"},
                               {"WINEPREFIX", m_dir.path() + "/prefix"},
                               {"KOLT_IMAP_CAINFO", caFile}};
    for (auto it = extra.begin(); it != extra.end(); ++it) env.insert(it.key(), it.value());
    return RunCli(KOLT_CLI, args, env);
  }
  QJsonObject Row() {
    const CliResult r = Cli({"--no", "list", "--json"});
    for (const QJsonValue& g : QJsonDocument::fromJson(r.out.toUtf8()).object()["games"].toArray()) {
      if (g.toObject()["file_name"].toString() == "email001.cmt") return g.toObject();
    }
    ADD_FAILURE() << "no game in " << r.out.toStdString() << r.err.toStdString();
    return {};
  }
  QByteArray Dat() { return ReadFile(email + "/email001.dat"); }

 private:
  QTemporaryDir m_dir;

 public:
  QString home = m_dir.path() + "/home";
  QString game = m_dir.path() + "/games/SPWAW";
  QString email = game + "/EMAIL";
  QString caFile;
};

TestCertificate& Certificate() {
  static TestCertificate certificate;
  return certificate;
}

class ImapRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Certificate().Ok());
    ASSERT_TRUE(imap.Ok()) << imap.Log().toStdString();
    ASSERT_GT(smtp.Port(), 0) << smtp.Errors().toStdString();
    for (Player* p : {&a, &b, &c}) {
      WriteAt(p->email + "/email001.cmt", "Kursk", t0);
      p->Play("turn 1", t0);
    }
    a.Set("SPWAW", "email001.cmt", "b@example.org");
    c.Set("SPWAW", "email001.cmt", "b@example.org");
    b.Set("SPWAW", "email001.cmt", "a@example.org");
    b.Mailbox(imap.TlsPort(), "TLS", "secret");
    b.caFile = Certificate().Cert();
  }
  // Messages in the mailbox that are not read yet (new/, or cur/ without the S flag).
  int Unread() {
    int n = static_cast<int>(imap.Files("new").size());
    for (const QString& name : imap.Files("cur")) n += name.section(":2,", 1).contains('S') ? 0 : 1;
    return n;
  }
  int Read() { return static_cast<int>(imap.Files("cur").size() + imap.Files("new").size()) - Unread(); }
  // Delivers a message made by hand, as a foreign mail program would send it.
  void Deliver(const QByteArray& message) {
    static int n = 0;
    const QString name = QStringLiteral("%1.hand%2.test").arg(QDateTime::currentSecsSinceEpoch()).arg(++n);
    ASSERT_TRUE(DovecotTestServer::Write(imap.Maildir() + "/tmp/" + name, message));
    ASSERT_TRUE(QFile::rename(imap.Maildir() + "/tmp/" + name, imap.Maildir() + "/new/" + name));
  }

  DovecotTestServer imap{"b@example.org", "secret", Certificate().Cert(), Certificate().Key()};
  SmtpTestServer smtp{{"--maildir", imap.Maildir()}};
  Player a{"a@example.org", smtp.Port()};
  Player b{"b@example.org", smtp.Port()};
  Player c{"c@example.org", smtp.Port()};
  QDateTime t0 = QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0));
};

}  // namespace

TEST_F(ImapRoad, KltZipAndPlainTurnsArriveOnceWithTheirTaunt) {
  a.Play("A2", t0.addSecs(60));
  ASSERT_EQ(a.Cli({"--yes", "send", "--taunt", "Your tanks are mine", "SPWAW/email001.cmt"}).exitCode, 0);
  ASSERT_EQ(Unread(), 1);

  CliResult r = b.Cli({"--no", "fetch"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.contains("Received 1 game from a@example.org")) << r.out.toStdString();
  EXPECT_EQ(b.Dat(), "DAT A2");
  EXPECT_EQ(b.Row()["status"].toString(), "Play");
  EXPECT_EQ(Unread(), 0);
  EXPECT_EQ(Read(), 1);
  EXPECT_TRUE(ReadFile(b.home + "/received-messages").contains("Your tanks are mine"));

  // Nothing new: the turn is never taken in twice, even when marked unread again.
  r = b.Cli({"--no", "fetch"});
  EXPECT_EQ(r.exitCode, 3) << r.err.toStdString();
  for (const QString& name : imap.Files("cur"))
    QFile::rename(imap.Maildir() + "/cur/" + name,
                  imap.Maildir() + "/cur/" + name.section(":2,", 0, 0) + ":2,");
  ASSERT_EQ(Unread(), 1);
  r = b.Cli({"--no", "fetch"});
  EXPECT_EQ(r.exitCode, 3) << r.err.toStdString();
  EXPECT_EQ(b.Dat(), "DAT A2");

  // ZIP, with the message moved into a folder of its own once taken in.
  for (Player* p : {&a, &b}) p->Set("SPWAW", "email001.cmt/M", "ZIP");
  b.Set("E-Mail", "IMAP_After", "MOVE:Turns");
  ASSERT_TRUE(imap.AddFolder("Turns"));
  a.Play("A4", t0.addSecs(180));
  ASSERT_EQ(a.Cli({"--yes", "send", "SPWAW/email001.cmt"}).exitCode, 0);
  r = b.Cli({"--no", "fetch"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(b.Dat(), "DAT A4");
  EXPECT_EQ(b.Row()["mode"].toString(), "ZIP");
  EXPECT_EQ(QDir(imap.Maildir() + "/.Turns/cur").entryList(QDir::Files).size() +
                QDir(imap.Maildir() + "/.Turns/new").entryList(QDir::Files).size(),
            1);

  // Plain files.
  for (Player* p : {&a, &b}) p->Set("SPWAW", "email001.cmt/M", "-");
  b.Set("E-Mail", "IMAP_After", "READ");
  a.Play("A6", t0.addSecs(300));
  ASSERT_EQ(a.Cli({"--yes", "send", "SPWAW/email001.cmt"}).exitCode, 0);
  r = b.Cli({"--no", "fetch"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(b.Dat(), "DAT A6");
  EXPECT_EQ(Unread(), 1);  // only the KLT message marked unread by hand, left alone
}

TEST_F(ImapRoad, AWrongSenderWaitsForThePlayersWord) {
  c.Play("C2", t0.addSecs(60));
  ASSERT_EQ(c.Cli({"--yes", "send", "SPWAW/email001.cmt"}).exitCode, 0);
  CliResult r = b.Cli({"--no", "fetch"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains("is DIFFERENT than a@example.org")) << r.err.toStdString();
  EXPECT_EQ(b.Dat(), "DAT turn 1");
  EXPECT_EQ(Unread(), 1);  // still there for the player to decide

  r = b.Cli({"--yes", "fetch"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(b.Dat(), "DAT C2");
  EXPECT_EQ(Unread(), 0);
}

TEST_F(ImapRoad, RefusedAndForeignMessagesStayUnread) {
  // A ZIP whose entry climbs out of its folder, and a reply that merely quotes the subject.
  const QByteArray zip = QByteArray::fromBase64(
      "UEsDBBQAAAAAAM1Yh10AAAAAAAAAAAAAAAAPAAAALi4vZW1haWwwMDEuZGF0UEsBAhQDFAAAAAAAzViHXQAAAAAAAAAAAAAAAA8AAA"
      "AAAAAA"
      "AAAAAIABAAAAAC4uL2VtYWlsMDAxLmRhdFBLBQYAAAAAAQABAD0AAAAtAAAAAAA=");
  Deliver(
      "From: a@example.org\r\nTo: b@example.org\r\nSubject: SPWAW file\r\nMIME-Version: 1.0\r\n"
      "Content-Type: multipart/mixed; boundary=XX\r\n\r\n--XX\r\nContent-Type: text/plain\r\n\r\n--\r\n"
      "\r\n--XX\r\nContent-Type: application/zip\r\nContent-Disposition: attachment; filename=SPWAW.zip\r\n"
      "Content-Transfer-Encoding: base64\r\n\r\n" +
      zip.toBase64() + "\r\n--XX--\r\n");
  Deliver("From: a@example.org\r\nTo: b@example.org\r\nSubject: Re: KOLT file\r\n\r\nNice move.\r\n");
  CliResult r = b.Cli({"--yes", "fetch"});
  EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("was not taken in")) << r.err.toStdString();
  EXPECT_EQ(b.Dat(), "DAT turn 1");
  EXPECT_EQ(Unread(), 2);
  // Told once: the next check leaves both alone.
  r = b.Cli({"--yes", "fetch"});
  EXPECT_EQ(r.exitCode, 3) << r.err.toStdString();
  EXPECT_EQ(Unread(), 2);
}

TEST_F(ImapRoad, LoginServerAndCertificateFailuresAreTold) {
  a.Play("A2", t0.addSecs(60));
  ASSERT_EQ(a.Cli({"--yes", "send", "SPWAW/email001.cmt"}).exitCode, 0);

  b.Mailbox(imap.TlsPort(), "TLS", "wrong");
  CliResult r = b.Cli({"--no", "fetch"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains("Check the user name and the password")) << r.err.toStdString();

  b.Mailbox(imap.TlsPort(), "TLS", "secret");
  b.caFile.clear();  // the system store does not know the test certificate
  r = b.Cli({"--no", "fetch"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains("certificate could not be verified")) << r.err.toStdString();
  EXPECT_EQ(Unread(), 1);

  // STARTTLS on the plain port, trusted.
  b.caFile = Certificate().Cert();
  b.Mailbox(imap.PlainPort(), "STARTTLS", "secret");
  r = b.Cli({"--no", "fetch"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(b.Dat(), "DAT A2");

  imap.Stop();
  r = b.Cli({"--no", "fetch"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains("Check the IMAP server, the port and the security")) << r.err.toStdString();
  // The advice on a line of its own: a CR would put it over the error on a terminal.
  EXPECT_FALSE(r.err.contains('\r'));
  EXPECT_TRUE(r.err.contains("\n\nCheck the IMAP server")) << r.err.toStdString();
}
