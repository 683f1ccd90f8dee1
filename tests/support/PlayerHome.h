#pragma once

// A player of the two-player tests: a home folder and a Steel Panthers installation of
// their own in a temporary folder, set up to send through the test's SMTP server, and
// the real kolt-cli run on that home. The game email001 is where the tests play.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "core/Settings.h"
#include "support/RunCli.h"
#include "support/TempHome.h"

namespace kolt::test {

inline void WriteAt(const QString& path, const QByteArray& bytes, const QDateTime& when) {
  ASSERT_TRUE(WriteFile(path, bytes));
  SetModified(path, when);
}

class Player {
 public:
  Player(const QString& address, int smtpPort) {
    QDir().mkpath(home);
    QDir().mkpath(m_dir.path() + "/prefix");  // an empty Wine prefix
    QDir().mkpath(work + "/SPWAW");
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
  QString Get(const QString& section, const QString& key) {
    ClearIniCache();
    return IniRead(section, key, QString(), home + "/KOLT.INI");
  }
  void Mailbox(int port, const QString& security, const QString& password) {
    Set("E-Mail", "IMAP_Server", "127.0.0.1");
    Set("E-Mail", "IMAP_Port", QString::number(port));
    Set("E-Mail", "IMAP_Security", security);
    WriteFile(home + "/imap-password", password.toUtf8());
  }
  // The game program rewrites the turn files.
  void Play(const QByteArray& turn, const QDateTime& when, const QString& stem = "email001") {
    WriteAt(email + "/" + stem + ".dat", "DAT " + turn, when);
    WriteAt(email + "/" + stem + ".aux", "AUX " + turn, when);
  }
  // kolt-cli on this home, started in `folder` (empty: ours).
  CliResult Cli(const QStringList& args, const QString& folder = QString()) {
    return RunCli(KOLT_CLI, args,
                  {{"KOLT_HOME", home},
                   {"HOME", m_dir.path() + "/user"},
                   {"XDG_DATA_HOME", m_dir.path() + "/user/.local/share"},
                   {"XDG_CONFIG_HOME", m_dir.path() + "/user/.config"},
                   {"WINEPREFIX", m_dir.path() + "/prefix"},
                   {"KOLT_IMAP_CAINFO", caFile}},
                  folder);
  }
  // The game's row of `kolt-cli list --json` (which takes in the working folder first).
  QJsonObject Row() {
    const CliResult r = Cli({"--no", "list", "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    for (const QJsonValue& g : QJsonDocument::fromJson(r.out.toUtf8()).object()["games"].toArray()) {
      if (g.toObject()["file_name"].toString() == "email001.cmt") return g.toObject();
    }
    ADD_FAILURE() << "no game in " << r.out.toStdString() << r.err.toStdString();
    return {};
  }
  QString Status() { return Row()["status"].toString(); }
  QByteArray Dat(const QString& stem = "email001") { return ReadFile(email + "/" + stem + ".dat"); }

 private:
  QTemporaryDir m_dir;

 public:
  QString home = m_dir.path() + "/home";
  QString game = m_dir.path() + "/games/SPWAW";
  QString email = game + "/EMAIL";
  QString work = m_dir.path() + "/work";
  QString inbox = m_dir.path() + "/inbox";  // where the player saves attachments
  QString caFile;                           // the mailbox server's certificate, trusted by kolt-cli
};

}  // namespace kolt::test
