// What other players' copies and the stored files read does not change with the
// language: the same send by kolt-cli in English and in German gives the same message,
// the same SENDER.TXT and the same KOLT.INI, while the messages to the player are German.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>

#include "mail/SmtpTestServer.h"
#include "support/PlayerHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

const QDateTime t0 = QDateTime::fromString("2026-03-01T10:00:00", Qt::ISODate);

struct Sent {
  CliResult cli;
  QJsonObject message;
  QByteArray senderTxt;
  QByteArray ini;
  QString refusal;
};

QByteArray Unzip(const QByteArray& archive, const QString& member) {
  QTemporaryDir dir;
  WriteFile(dir.path() + "/turn.klt", archive);
  QProcess unzip;
  unzip.start("unzip", {"-p", dir.path() + "/turn.klt", member});
  EXPECT_TRUE(unzip.waitForFinished(30000));
  return unzip.readAllStandardOutput();
}

// One player sends the game email001 with kolt-cli in the language `env` selects.
Sent SendIn(const QByteArray& language) {
  SmtpTestServer server;
  EXPECT_GT(server.Port(), 0) << server.Errors().toStdString();
  Player player("me@example.org", server.Port());
  player.Set("SPWAW", "email001.cmt", "ivan@example.org");
  player.Set("CMBO", "Directory", "-");
  player.Set("SE4", "Directory", "-");
  WriteAt(player.email + "/email001.cmt", "Scenario X", t0);
  player.Play("turn 2", t0.addSecs(60));

  Sent sent;
  // LANGUAGE chooses the language whatever the locale (kolt-cli runs in C.UTF-8).
  qputenv("LANGUAGE", language);
  const auto reset = qScopeGuard([] { qunsetenv("LANGUAGE"); });
  sent.cli = player.Cli({"--yes", "send", "SPWAW/email001.cmt"});
  EXPECT_EQ(sent.cli.exitCode, 0) << sent.cli.err.toStdString();
  const auto messages = server.Messages();
  EXPECT_EQ(messages.size(), 1u);
  if (messages.empty()) return sent;
  sent.message = messages[0]["message"].toObject();
  const QJsonArray attachments = sent.message["attachments"].toArray();
  if (!attachments.isEmpty()) {
    const QByteArray klt = QByteArray::fromBase64(attachments[0].toObject()["data"].toString().toLatin1());
    sent.senderTxt = Unzip(klt, "SENDER.TXT");
  }
  // The home's own folder names differ between the two runs; nothing else may.
  const QString top = QDir(player.home + "/..").absolutePath();
  sent.ini = ReadFile(player.home + "/KOLT.INI")
                 .replace(top.toUtf8(), "<top>")
                 .replace("Port=" + QByteArray::number(server.Port()), "Port=<port>");
  // A message to the player, in the language.
  sent.refusal = player.Cli({"--yes", "send", "SPWAW/none.cmt"}).err;
  return sent;
}

TEST(CliLanguage, WhatPeersAndFilesReadIsTheSameInGerman) {
  const Sent english = SendIn("en");
  const Sent german = SendIn("de");

  for (const char* field : {"subject", "from", "to", "body", "header_names", "content_type", "defects"})
    EXPECT_EQ(german.message[field], english.message[field]) << field;
  const QJsonArray a = english.message["attachments"].toArray(), b = german.message["attachments"].toArray();
  ASSERT_EQ(a.size(), b.size());
  for (qsizetype i = 0; i < a.size(); ++i) {
    EXPECT_EQ(b[i].toObject()["filename"], a[i].toObject()["filename"]);
    EXPECT_EQ(b[i].toObject()["content_type"], a[i].toObject()["content_type"]);
  }
  EXPECT_FALSE(english.senderTxt.isEmpty()) << QJsonDocument(english.message).toJson().toStdString();
  EXPECT_EQ(german.senderTxt, english.senderTxt);
  EXPECT_EQ(QString::fromUtf8(german.ini).toStdString(), QString::fromUtf8(english.ini).toStdString());

  // The player was spoken to in German.
  EXPECT_FALSE(english.refusal.isEmpty());
  EXPECT_NE(german.refusal, english.refusal) << german.refusal.toStdString();
}

}  // namespace
