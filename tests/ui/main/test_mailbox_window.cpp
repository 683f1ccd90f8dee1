// The window's mailbox check on a real Dovecot server: fetched while the user works
// elsewhere, taken in (and announced) only once the user is back at the window; a check
// against a server that never answers leaves the window responsive and can be stopped.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <optional>

#include "exchange/turns/MailboxLock.h"
#include "mail/DovecotTestServer.h"
#include "mail/SmtpTestServer.h"
#include "support/MainWindowHarness.h"
#include "support/PackKlt.h"
#include "support/ScopedEnv.h"
#include "ui/MailboxChecker.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// Steel Panthers with the game email001 against ivan@example.org, last played an hour ago.
struct Home : MainWindowHarness {
  Home() {
    game = InstallSpwaw();
    WriteFile(game + "/EMAIL/email001.cmt", "Kursk");
    WriteFile(game + "/EMAIL/email001.dat", "turn 1");
    for (const char* name : {"/EMAIL/email001.cmt", "/EMAIL/email001.dat"})
      SetModified(game + name, QDateTime::currentDateTime().addSecs(-3600));
    IniWrite("SPWAW", "email001.cmt", "ivan@example.org");
    IniWrite("E-Mail", "Address", "me@home.net");
  }
  // The test's Dovecot over TLS as the mailbox, its certificate trusted, holding
  // `messages`.
  void UseMailbox(const QList<QByteArray>& messages) {
    ASSERT_TRUE(certificate.Ok());
    ASSERT_TRUE(imap.Ok()) << imap.Log().toStdString();
    for (qsizetype n = 0; n < messages.size(); ++n)
      ASSERT_TRUE(
          DovecotTestServer::Write(imap.Maildir() + QString("/new/%1.turn.test").arg(n + 1), messages[n]));
    IniWrite("E-Mail", "IMAP_Server", "127.0.0.1");
    IniWrite("E-Mail", "IMAP_Port", QString::number(imap.TlsPort()));
    WriteFile(home.File("imap-password"), "secret");
    trusted.emplace("KOLT_IMAP_CAINFO", certificate.Cert());
  }
  // The messages on the server not marked as read.
  int Unread() const {
    int unread = static_cast<int>(imap.Files("new").size());
    for (const QString& name : imap.Files("cur")) unread += name.section(":2,", 1).contains('S') ? 0 : 1;
    return unread;
  }
  QString game;
  TestCertificate certificate;
  DovecotTestServer imap{"me@home.net", "secret", certificate.Cert(), certificate.Key()};
  std::optional<ScopedEnv> trusted;
};

// The window's mailbox check on the home, what it says and when it ends recorded.
struct Check {
  explicit Check(Home& h) : checker(h.ui, h.exchange.exchange, h.programs) {
    QObject::connect(&checker, &MailboxChecker::status, [this](const QString& s) { statuses.append(s); });
    QObject::connect(&checker, &MailboxChecker::finished, [this] { finished = true; });
  }
  // Starts a check (the one at start-up or the timer's) and waits for its end.
  bool Run(bool onStart) {
    finished = false;
    checker.Check(onStart);
    return QTest::qWaitFor([this] { return finished; }, 20000);
  }
  Check(const Check&) = delete;
  Check& operator=(const Check&) = delete;
  MailboxChecker checker;
  QStringList statuses;
  bool finished = false;
};

QByteArray KltMessage(const QString& root, const QByteArray& sender = "ivan@example.org") {
  const QString klt = PackKlt(root + "/KOLT.KLT",
                              {{"SPWAW/email001.cmt", "Kursk"}, {"SPWAW/email001.dat", "turn 2"}}, sender);
  return "From: ivan@example.org\r\nTo: me@home.net\r\nSubject: KOLT file\r\nMIME-Version: 1.0\r\n"
         "Content-Type: multipart/mixed; boundary=XX\r\n\r\n--XX\r\nContent-Type: text/plain\r\n\r\n"
         "Beware the flank\r\n--\r\nOpen the attachment in KOLT\r\nSPWAW/email001.cmt (Kursk)\r\n--XX\r\n"
         "Content-Type: application/octet-stream\r\nContent-Disposition: attachment; filename=KOLT.KLT\r\n"
         "Content-Transfer-Encoding: base64\r\n\r\n" +
         ReadFile(klt).toBase64() + "\r\n--XX--\r\n";
}

}  // namespace

TEST(MailboxWindow, FetchedTurnsWaitForTheUserThenArriveAsAnyReceive) {
  Home h;
  ASSERT_NO_FATAL_FAILURE(h.UseMailbox({KltMessage(h.home.Root())}));

  ScriptedUi& ui = h.ui;
  frmMain& window = h.Make();
  window.show();
  QWidget other;  // the user works in another window
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  window.Form_Load();  // the check on start
  ASSERT_NE(window.Mailbox(), nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.Mailbox()->HasWaiting(); }, 20000))
      << ui.statuses.join("\n").toStdString();
  QTest::qWait(1500);  // the window's timer runs: still nothing is taken in behind the user's back
  EXPECT_EQ(ReadFile(h.game + "/EMAIL/email001.dat"), "turn 1");

  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  ASSERT_TRUE(QTest::qWaitFor([&] { return ReadFile(h.game + "/EMAIL/email001.dat") == "turn 2"; }, 10000))
      << ui.Texts().join("\n").toStdString();
  EXPECT_TRUE(ui.statuses.contains("Received 1 game from ivan@example.org"))
      << ui.statuses.join("\n").toStdString();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.Mailbox()->Running(); }, 10000));
  // Marked as read on the server once taken in.
  ASSERT_TRUE(QTest::qWaitFor([&] { return h.imap.Files("cur").size() == 1; }, 5000));
  EXPECT_TRUE(h.imap.Files("cur")[0].endsWith(",S")) << h.imap.Files("cur")[0].toStdString();

  // The tray's "Check mail now" starts a check as F5 does.
  emit window.checkMailRequested();
  EXPECT_TRUE(window.Mailbox()->Running());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.Mailbox()->Running(); }, 10000));
}

TEST(MailboxWindow, ACheckOfASilentServerCanBeStopped) {
  Home h;
  QTcpServer silent;  // accepts and never greets
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
  IniWrite("E-Mail", "IMAP_Server", "127.0.0.1");
  IniWrite("E-Mail", "IMAP_Port", QString::number(silent.serverPort()));
  IniWrite("E-Mail", "IMAP_Security", "NONE");

  Check c(h);
  c.checker.Check(true);
  EXPECT_TRUE(c.checker.Running());
  int ticks = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
  tick.start(50);
  QTest::qWait(1000);
  EXPECT_GT(ticks, 10);  // the event loop ran all along
  EXPECT_FALSE(c.finished);
  c.checker.Cancel();
  ASSERT_TRUE(QTest::qWaitFor([&] { return c.finished; }, 5000));
  EXPECT_EQ(c.statuses.last(), "Mailbox check cancelled");
}

TEST(MailboxWindow, AStoppedCheckLeavesTurnsUnreadAndABusyHomeIsSaid) {
  Home h;
  // Large enough that the check is still downloading when it is stopped.
  QByteArray message = KltMessage(h.home.Root());
  message.replace("--XX--\r\n",
                  "--XX\r\nContent-Type: application/octet-stream\r\n"
                  "Content-Disposition: attachment; filename=padding.bin\r\n"
                  "Content-Transfer-Encoding: base64\r\n\r\n" +
                      QByteArray(qsizetype{24} * 1024 * 1024, 'A').toBase64() + "\r\n--XX--\r\n");
  ASSERT_NO_FATAL_FAILURE(h.UseMailbox({message, message, message}));

  Check c(h);

  // kolt-cli is checking the same home: the window skips and says so.
  {
    MailboxLock other;
    bool busy = false;
    QString error;
    ASSERT_TRUE(other.TryLock(&busy, &error)) << error.toStdString();
    ASSERT_TRUE(c.Run(true));
  }
  EXPECT_TRUE(c.statuses.last().startsWith("The mailbox is being checked by another KOLT Helper"))
      << c.statuses.join("\n").toStdString();

  // Stopped while the first message comes in: the read marks of the download are taken
  // back although the stop was asked for, and nothing is taken in.
  c.finished = false;
  c.checker.Check(true);
  const QString downloads = App().instanceFolder + "/mailbox";
  QElapsedTimer waited;
  waited.start();
  while (c.checker.Running() && waited.elapsed() < 20000 &&
         QDir(downloads).entryInfoList(QDir::Files).value(0).size() == 0)
    QThread::usleep(200);
  c.checker.Cancel();
  ASSERT_TRUE(QTest::qWaitFor([&] { return c.finished; }, 20000));
  EXPECT_FALSE(c.checker.HasWaiting());
  EXPECT_EQ(c.statuses.last(), "Mailbox check cancelled") << c.statuses.join("\n").toStdString();
  EXPECT_EQ(h.Unread(), 3);
  EXPECT_EQ(ReadFile(h.game + "/EMAIL/email001.dat"), "turn 1");
}

TEST(MailboxWindow, ADeclinedTurnIsNamedAtEveryCheckWithoutAskingAgain) {
  Home h;
  // The archive names another sender than the game's opponent: the user is asked.
  ASSERT_NO_FATAL_FAILURE(h.UseMailbox({KltMessage(h.home.Root(), "boris@example.org")}));

  h.registry.BuildProgramList(h.programs);
  Check c(h);
  const ScriptedUi& ui = h.ui;
  QObject::connect(&c.checker, &MailboxChecker::waiting, [&] { c.checker.TakeInWaiting(); });
  const QString named = "1 left unread (The message \"KOLT file\" from ivan@example.org (UID 1))";

  ASSERT_TRUE(c.Run(true)) << c.statuses.join("\n").toStdString();
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_TRUE(ui.boxes.back().text.contains("is DIFFERENT than ivan@example.org"))
      << ui.boxes.back().text.toStdString();
  EXPECT_TRUE(c.statuses.last().contains(named)) << c.statuses.join("\n").toStdString();
  const size_t asked = ui.boxes.size();

  // The timer's next check leaves it alone, but says it still waits.
  ASSERT_TRUE(c.Run(false));
  EXPECT_EQ(ui.boxes.size(), asked);
  EXPECT_TRUE(c.statuses.last().contains(named)) << c.statuses.join("\n").toStdString();
  EXPECT_EQ(ReadFile(h.game + "/EMAIL/email001.dat"), "turn 1");
  EXPECT_EQ(h.Unread(), 1);  // the only message
}
