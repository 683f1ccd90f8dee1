#pragma once

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <memory>

#include "core/Settings.h"
#include "core/Startup.h"
#include "exchange/archive/ArchiveWrapper.h"
#include "exchange/archive/MemoryArchiveLog.h"
#include "exchange/mail/Mailer.h"
#include "exchange/turns/TurnExchange.h"
#include "model/ProgramRegistry.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/Adapters.h"
#include "support/ExchangeParts.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

namespace kolt::test {

inline void SetTime(const QString& path, const QDateTime& when) {
  SetModified(path, when);
}

inline void WriteAt(const QString& path, const QByteArray& bytes, const QDateTime& when) {
  ASSERT_TRUE(WriteFile(path, bytes)) << path.toStdString();
  SetTime(path, when);
}

inline QDateTime Modified(const QString& path) {
  return QFileInfo(path).lastModified();
}

// Runs a program in `folder`; its exit code (-1 when it could not start).
inline int RunIn(const QString& folder, const QString& program, const QStringList& arguments) {
  QProcess p;
  p.setWorkingDirectory(folder);
  p.start(program, arguments);
  if (!p.waitForStarted() || !p.waitForFinished(30000)) return -1;
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// A Steel Panthers game of three files, as the game leaves it in its EMAIL folder.
inline void MakeSpwawGame(const QString& emailFolder, const QString& base, const QByteArray& description,
                          const QDateTime& when, const QByteArray& turn = "turn 1") {
  WriteAt(emailFolder + "/" + base + ".cmt", description, when);
  WriteAt(emailFolder + "/" + base + ".dat", "DAT " + turn, when);
  WriteAt(emailFolder + "/" + base + ".aux", "AUX " + turn, when);
}

// Some message box said `part`; on failure, every text that was shown.
inline ::testing::AssertionResult Shown(const ScriptedUi& ui, const QString& part) {
  if (ui.Texts().join("\n").contains(part)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "nothing shown said \"" << part.toStdString() << "\": " << ui.Texts().join(" | ").toStdString();
}

// One player's machine in this process: a home with a Steel Panthers installation, the
// real toolbox, archive wrapper and mailer, and the exchange engine.
class TurnsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App().homeFolder = home.Path();
    App().instanceFolder = home.File("0");
    App().version = "1.1.5";
    App().timeZoneText = "(GMT+1) CET";
    App().totalBias = -60;
    App().workingFolder.clear();
    App().archiveTool.clear();
    QDir().mkpath(App().instanceFolder);
    QDir().mkpath(email);
    WriteFile(game + "/mech.exe", "MZ");
    IniWrite("SPWAW", "Directory", game);
    IniWrite("SPWAW", "SAVE", "0");
    IniWrite("E-Mail", "From", "me@example.org");
    parts = std::make_unique<ExchangeParts>(ui, tools, programs);
    exchange = &parts->exchange;
    ProgramRegistry registry(parts->ServicesFor(ui, tools), AdapterFactories());
    registry.BuildProgramList(programs);
    ASSERT_TRUE(programs.Contains("SPWAW"));
  }
  void TearDown() override {
    App().homeFolder.clear();
    App().instanceFolder.clear();
    App().workingFolder.clear();
    App().archiveTool.clear();
  }

  ProgramPtr Spwaw() const { return programs.Find("SPWAW"); }
  // Every text shown so far, for a failure's message.
  std::string Said() const { return ui.Texts().join("\n").toStdString(); }
  GamePtr FindGame(const QString& name) {
    for (const GamePtr& g : Spwaw()->InitGames())
      if (g->GetName().compare(name, Qt::CaseInsensitive) == 0) return g;
    return nullptr;
  }
  QString Record(const QString& key) { return IniRead("SPWAW", key); }

  // A KLT archive made with Info-ZIP from a folder holding SENDER.TXT and SPWAW/.
  QString MakeKlt(const QString& name, const QByteArray& sender,
                  const std::function<void(const QString&)>& files) {
    const QString staging = home.Root() + "/outbox/" + name;
    QDir(staging).removeRecursively();
    QDir().mkpath(staging + "/SPWAW");
    if (!sender.isNull()) WriteFile(staging + "/SENDER.TXT", sender);
    files(staging + "/SPWAW");
    const QString klt = home.Root() + "/outbox/" + name + ".KLT";
    QFile::remove(klt);
    EXPECT_EQ(RunIn(staging, "zip", {"-q", "-r", "-X", klt, "."}), 0);
    return klt;
  }
  // The opponent's turn of each game in `bases`: its .dat and .aux played at `when`, its
  // comment file "Scenario X" unchanged since t0.
  QString OpponentTurn(const QByteArray& sender, const QDateTime& when, const QByteArray& turn = "turn 2",
                       const QStringList& bases = {"email001"}, const QString& name = "turn") {
    return MakeKlt(name, sender, [&](const QString& dir) {
      for (const QString& base : bases) {
        MakeSpwawGame(dir, base, "Scenario X", when, turn);
        SetTime(dir + "/" + base + ".cmt", t0);
      }
    });
  }
  // Ivan's turn of email001 opened as an attachment.
  bool ReceiveTurn(const QDateTime& when, const QByteArray& turn = "turn 2") {
    return exchange->ReceivedFile(OpponentTurn(Sender("ivan@example.org"), when, turn));
  }
  // The installed game email001 played at `when`, its comment file of t0.
  void InstallGame(const QDateTime& when, const QByteArray& turn = "turn 1") {
    MakeSpwawGame(email, "email001", "Scenario X", when, turn);
    SetTime(email + "/email001.cmt", t0);
  }
  // Sending through the local SMTP server at `port`.
  static void UseSmtp(int port) {
    ASSERT_TRUE(IniWrite("E-Mail", "Mode", "SMTP"));
    ASSERT_TRUE(IniWrite("E-Mail", "SMTP_Server", "127.0.0.1"));
    ASSERT_TRUE(IniWrite("E-Mail", "SMTP_Port", QString::number(port)));
    ASSERT_TRUE(IniWrite("E-Mail", "SMTP_Security", "NONE"));
    ASSERT_TRUE(IniWrite("E-Mail", "Address", "me@example.org"));
  }
  // A Steel Panthers game sent to ivan@example.org in `mode`.
  GamePtr IvansGame(const QString& name, const QString& mode) {
    GamePtr g = FindGame(name);
    EXPECT_TRUE(g->SetMode(mode));
    EXPECT_TRUE(g->SetEMail("ivan@example.org"));
    return g;
  }
  // What the test SMTP server recorded of a message.
  static QJsonObject Mail(const QJsonObject& m) { return m["message"].toObject(); }
  static QString Body(const QJsonObject& m) { return Mail(m)["body"].toString(); }
  static QString Subject(const QJsonObject& m) { return Mail(m)["subject"].toString(); }
  static QStringList AttachmentNames(const QJsonObject& m) {
    QStringList names;
    for (const QJsonValue& a : Mail(m)["attachments"].toArray())
      names.append(a.toObject()["filename"].toString());
    return names;
  }
  // The message's attachment `index`, saved as a file.
  QString SaveAttachment(const QJsonObject& m, int index, const QString& name) {
    const QString path = home.Root() + "/inbox/" + name;
    WriteFile(path, QByteArray::fromBase64(
                        Mail(m)["attachments"].toArray()[index].toObject()["data"].toString().toLatin1()));
    return path;
  }
  static QByteArray Sender(const QByteArray& address, const QByteArray& version = "1.1.5") {
    return address + "\r\n(GMT+1) CET\r\n-60\r\n" + version + "\r\n";
  }

  TempHome home;
  ScriptedUi ui;
  LinuxWintools tools{ui};
  ProgramList programs;
  std::unique_ptr<ExchangeParts> parts;
  TurnExchange* exchange = nullptr;
  QString game = home.Root() + "/games/SPWAW";
  QString email = game + "/EMAIL";
  QDateTime t0 = QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0));
};

}  // namespace kolt::test
