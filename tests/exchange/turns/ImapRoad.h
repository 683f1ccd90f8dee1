#pragma once

// Two players and a mailbox: player A sends through the local SMTP server, which
// delivers into the Maildir of a real Dovecot IMAP server, and player B's `kolt-cli
// fetch` takes the turns in. Two homes, two kolt-cli processes, no stand-ins.
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

namespace kolt::test {

inline void WriteAt(const QString& path, const QByteArray& bytes, const QDateTime& when) {
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
  void Play(const QByteArray& turn, const QDateTime& when, const QString& stem = "email001") {
    WriteAt(email + "/" + stem + ".dat", "DAT " + turn, when);
    WriteAt(email + "/" + stem + ".aux", "AUX " + turn, when);
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
  QByteArray Dat(const QString& stem = "email001") { return ReadFile(email + "/" + stem + ".dat"); }

 private:
  QTemporaryDir m_dir;

 public:
  QString home = m_dir.path() + "/home";
  QString game = m_dir.path() + "/games/SPWAW";
  QString email = game + "/EMAIL";
  QString caFile;
};

inline TestCertificate& Certificate() {
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

}  // namespace kolt::test
