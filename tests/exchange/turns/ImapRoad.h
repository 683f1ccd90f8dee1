#pragma once

// Two players and a mailbox: player A sends through the local SMTP server, which
// delivers into the Maildir of a real Dovecot IMAP server, and player B's `kolt-cli
// fetch` takes the turns in. Two homes, two kolt-cli processes, no stand-ins.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>

#include "mail/DovecotTestServer.h"
#include "mail/QtPrinters.h"
#include "mail/SmtpTestServer.h"
#include "support/PlayerHome.h"
#include "turns/CliChecks.h"

namespace kolt::test {

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
  // b checks the mailbox, answering every question `answer`; the run is kept in `fetched`.
  ::testing::AssertionResult Fetches(const char* answer, int exit, const QStringList& said = {}) {
    fetched = b.Cli({answer, "fetch"});
    return Ended(fetched, exit, said);
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
  CliResult fetched;
};

}  // namespace kolt::test
