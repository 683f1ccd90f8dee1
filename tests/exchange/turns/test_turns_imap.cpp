// Turns arrive by themselves: player A sends through the local SMTP server, which
// delivers into the Maildir of a real Dovecot IMAP server, and player B's `kolt-cli
// fetch` takes them in. Two homes, two kolt-cli processes, no stand-ins.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "exchange/history/HistoryStore.h"
#include "turns/ImapRoad.h"

using namespace kolt;
using namespace kolt::test;

TEST_F(ImapRoad, KltZipAndPlainTurnsArriveOnceWithTheirTaunt) {
  ASSERT_TRUE(PlaysAndSends(a, "A2", t0.addSecs(60), {"--taunt", "Your tanks are mine"}));
  ASSERT_EQ(Unread(), 1);

  EXPECT_TRUE(Fetches("--no", 0));
  EXPECT_TRUE(fetched.out.contains("Received 1 game from a@example.org")) << fetched.out.toStdString();
  EXPECT_EQ(b.Dat(), "DAT A2");
  EXPECT_EQ(b.Row()["status"].toString(), "Play");
  EXPECT_EQ(Unread(), 0);
  EXPECT_EQ(Read(), 1);
  EXPECT_TRUE(ReadFile(b.home + "/received-messages").contains("Your tanks are mine"));

  // Nothing new: the turn is never taken in twice, even when marked unread again.
  EXPECT_TRUE(Fetches("--no", 3));
  for (const QString& name : imap.Files("cur"))
    QFile::rename(imap.Maildir() + "/cur/" + name,
                  imap.Maildir() + "/cur/" + name.section(":2,", 0, 0) + ":2,");
  ASSERT_EQ(Unread(), 1);
  EXPECT_TRUE(Fetches("--no", 3));
  EXPECT_EQ(b.Dat(), "DAT A2");

  // ZIP, with the message moved into a folder of its own once taken in.
  for (Player* p : {&a, &b}) p->Set("SPWAW", "email001.cmt/M", "ZIP");
  b.Set("E-Mail", "IMAP_After", "MOVE:Turns");
  ASSERT_TRUE(imap.AddFolder("Turns"));
  ASSERT_TRUE(PlaysAndSends(a, "A4", t0.addSecs(180)));
  EXPECT_TRUE(Fetches("--no", 0));
  EXPECT_EQ(b.Dat(), "DAT A4");
  EXPECT_EQ(b.Row()["mode"].toString(), "ZIP");
  EXPECT_EQ(QDir(imap.Maildir() + "/.Turns/cur").entryList(QDir::Files).size() +
                QDir(imap.Maildir() + "/.Turns/new").entryList(QDir::Files).size(),
            1);

  // Plain files.
  for (Player* p : {&a, &b}) p->Set("SPWAW", "email001.cmt/M", "-");
  b.Set("E-Mail", "IMAP_After", "READ");
  ASSERT_TRUE(PlaysAndSends(a, "A6", t0.addSecs(300)));
  EXPECT_TRUE(Fetches("--no", 0));
  EXPECT_EQ(b.Dat(), "DAT A6");
  EXPECT_EQ(Unread(), 1);  // only the KLT message marked unread by hand, left alone
}

TEST_F(ImapRoad, AWrongSenderWaitsForThePlayersWord) {
  ASSERT_TRUE(PlaysAndSends(c, "C2", t0.addSecs(60)));
  EXPECT_TRUE(Fetches("--no", 1, {"is DIFFERENT than a@example.org"}));
  EXPECT_EQ(b.Dat(), "DAT turn 1");
  EXPECT_EQ(Unread(), 1);  // still there for the player to decide

  EXPECT_TRUE(Fetches("--yes", 0));
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
  EXPECT_TRUE(Fetches("--yes", 1, {"was not taken in"}));
  EXPECT_EQ(b.Dat(), "DAT turn 1");
  EXPECT_EQ(Unread(), 2);
  // Told once: the next check leaves both alone.
  EXPECT_TRUE(Fetches("--yes", 3));
  EXPECT_EQ(Unread(), 2);
}

TEST_F(ImapRoad, LoginServerAndCertificateFailuresAreTold) {
  ASSERT_TRUE(PlaysAndSends(a, "A2", t0.addSecs(60)));

  b.Mailbox(imap.TlsPort(), "TLS", "wrong");
  EXPECT_TRUE(Fetches("--no", 1, {"Check the user name and the password"}));

  b.Mailbox(imap.TlsPort(), "TLS", "secret");
  b.caFile.clear();  // the system store does not know the test certificate
  EXPECT_TRUE(Fetches("--no", 1, {"certificate could not be verified"}));
  EXPECT_EQ(Unread(), 1);

  // STARTTLS on the plain port, trusted.
  b.caFile = Certificate().Cert();
  b.Mailbox(imap.PlainPort(), "STARTTLS", "secret");
  EXPECT_TRUE(Fetches("--no", 0));
  EXPECT_EQ(b.Dat(), "DAT A2");

  imap.Stop();
  // The advice on a line of its own: a CR would put it over the error on a terminal.
  EXPECT_TRUE(
      Fetches("--no", 1, {"Check the IMAP server, the port and the security", "\n\nCheck the IMAP server"}));
  EXPECT_FALSE(fetched.err.contains('\r'));
}

namespace {

// The only message of the mailbox's new/ folder, as delivered.
QByteArray TakeNewMessage(DovecotTestServer& imap) {
  const QStringList files = imap.Files("new");
  if (files.size() != 1) return {};
  const QString path = imap.Maildir() + "/new/" + files.first();
  const QByteArray bytes = ReadFile(path);
  QFile::remove(path);
  return bytes;
}

QByteArray WithHeader(QByteArray message, const QByteArray& name, const QByteArray& value) {
  const qsizetype at = message.indexOf("\r\n" + name + ": ");
  const qsizetype end = message.indexOf("\r\n", at + 2);
  if (at < 0 || end < 0) return {};
  return message.left(at + 2) + name + ": " + value + message.mid(end);
}

}  // namespace

TEST_F(ImapRoad, ForwardsAndRedeliveriesOfATurnArriveQuietly) {
  ASSERT_TRUE(PlaysAndSends(a, "A2", t0.addSecs(60), {"--taunt", "Flank them"}));
  const QByteArray sent = TakeNewMessage(imap);
  ASSERT_FALSE(sent.isEmpty());
  // Forwarded by the player from another mailbox through a relay that tags the subject:
  // still the turn, still a's taunt.
  QByteArray forwarded = WithHeader(sent, "Subject", "Fwd: [External] kolt FILE");
  forwarded = WithHeader(forwarded, "From", "b@example.org");
  ASSERT_FALSE(forwarded.isEmpty());
  Deliver(forwarded);
  EXPECT_TRUE(Fetches("--no", 0));
  EXPECT_EQ(b.Dat(), "DAT A2");
  const QByteArray messages = ReadFile(b.home + "/received-messages");
  EXPECT_TRUE(messages.contains("Flank them"));
  EXPECT_TRUE(messages.contains("a@example.org")) << messages.toStdString();
  EXPECT_FALSE(messages.contains("b@example.org"));

  // The mailbox's own copy arrives after that: no question, one history row.
  Deliver(sent);
  EXPECT_TRUE(Fetches("--no", 0, {"already taken in"}));
  EXPECT_FALSE(fetched.err.contains("THE SAME")) << fetched.err.toStdString();
  EXPECT_EQ(Unread(), 0);
  HistoryStore history(b.home + "/history.sqlite");
  const auto turns = history.Turns("SPWAW", "email001.cmt");
  ASSERT_TRUE(turns) << history.LastError().toStdString();
  EXPECT_EQ(turns->size(), 1u);
  EXPECT_TRUE(Fetches("--no", 3));
}

// A stranger mails a's own turn archive on: the archive names a, the game's opponent is
// a, but the message is not a's. The player is asked, naming both.
TEST_F(ImapRoad, AKltFromSomeoneElseThanItsSenderWaitsForThePlayersWord) {
  ASSERT_TRUE(PlaysAndSends(a, "A2", t0.addSecs(60)));
  const QByteArray sent = TakeNewMessage(imap);
  ASSERT_FALSE(sent.isEmpty());
  Deliver(WithHeader(sent, "From", "Mallory <mallory@evil.example>"));
  EXPECT_TRUE(
      Fetches("--no", 1, {"The message came from mallory@evil.example, but SENDER.TXT names a@example.org"}));
  EXPECT_EQ(b.Dat(), "DAT turn 1");
  EXPECT_EQ(Unread(), 1);

  EXPECT_TRUE(Fetches("--yes", 0));
  EXPECT_EQ(b.Dat(), "DAT A2");
  EXPECT_EQ(Unread(), 0);
}

TEST_F(ImapRoad, ABadArchiveIsToldOnceAndAnotherCheckIsWaitedFor) {
  Deliver(
      "From: stranger@evil.example\r\nTo: b@example.org\r\nSubject: KOLT file\r\nMIME-Version: 1.0\r\n"
      "Content-Type: multipart/mixed; boundary=XX\r\n\r\n--XX\r\nContent-Type: text/plain\r\n\r\nHi\r\n--\r\n"
      "\r\n--XX\r\nContent-Type: application/octet-stream\r\nContent-Disposition: attachment; "
      "filename=KOLT.KLT\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
      QByteArray("this is no archive at all").toBase64() + "\r\n--XX--\r\n");
  ASSERT_TRUE(PlaysAndSends(a, "A2", t0.addSecs(60)));

  // Another check holds the home's lock: this one says so and does nothing.
  const int fd = ::open(QFile::encodeName(b.home + "/imap-lock").constData(), O_RDWR | O_CREAT, 0600);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  EXPECT_TRUE(Fetches("--no", 3, {"The mailbox is being checked by another KOLT Helper"}));
  ::close(fd);
  EXPECT_EQ(b.Dat(), "DAT turn 1");

  EXPECT_TRUE(Fetches("--no", 1, {"\"KOLT file\" from stranger@evil.example"}));
  EXPECT_EQ(b.Dat(), "DAT A2");
  EXPECT_EQ(Unread(), 1);
  // Said once; later checks go on as if it were not there.
  ASSERT_TRUE(PlaysAndSends(a, "A3", t0.addSecs(120)));
  EXPECT_TRUE(Fetches("--no", 0));
  EXPECT_FALSE(fetched.err.contains("stranger")) << fetched.err.toStdString();
  EXPECT_EQ(b.Dat(), "DAT A3");
  EXPECT_TRUE(Fetches("--no", 3));
  EXPECT_EQ(Unread(), 1);
}

TEST_F(ImapRoad, MovesFindTheFolderAndSayWhyTheyFail) {
  ASSERT_TRUE(imap.AddFolder("Archive.Processed"));
  auto moved = [&] {
    const QString folder = imap.Maildir() + "/.Archive.Processed";
    QStringList read;
    for (const char* sub : {"/cur", "/new"}) {
      for (const QString& name : QDir(folder + QString::fromLatin1(sub)).entryList(QDir::Files))
        read.append(name.section(":2,", 1).contains('S') ? "read" : "unread");
    }
    return read;
  };
  // A name without its parent is taken when one folder ends in it, and the user is told.
  b.Set("E-Mail", "IMAP_After", "MOVE:Processed");
  ASSERT_TRUE(PlaysAndSends(a, "A2", t0.addSecs(60)));
  EXPECT_TRUE(Fetches("--no", 0, {"is \"Archive.Processed\" on the server"}));
  EXPECT_EQ(moved(), QStringList{"read"});

  // A folder that is not there: the turn is in, the message stays, and every check says
  // why until the setting is right.
  b.Set("E-Mail", "IMAP_After", "MOVE:Nowhere");
  ASSERT_TRUE(PlaysAndSends(a, "A3", t0.addSecs(120)));
  for (int check = 0; check < 2; ++check) {
    EXPECT_TRUE(Fetches(
        "--no", 1,
        {"could not be moved to the folder Nowhere: the server has no folder Nowhere (its folders: "}));
  }
  EXPECT_EQ(b.Dat(), "DAT A3");
  EXPECT_EQ(Unread(), 1);

  // A folder the server lists but refuses to take messages into: its own words.
  b.Set("E-Mail", "IMAP_After", "MOVE:Archive");
  EXPECT_TRUE(Fetches("--no", 1, {"could not be moved to the folder Archive: the server answered: "}));

  // A server without MOVE (Courier): copied, deleted and expunged instead.
  ASSERT_TRUE(imap.Reconfigure("imap_capability = IMAP4rev1 LITERAL+ UIDPLUS\n")) << imap.Log().toStdString();
  b.Set("E-Mail", "IMAP_After", "MOVE:Archive.Processed");
  EXPECT_TRUE(Fetches("--no", 3));
  EXPECT_EQ(moved(), (QStringList{"read", "read"}));
  EXPECT_EQ(Unread(), 0);
  EXPECT_EQ(imap.Files("cur").size() + imap.Files("new").size(), 0);
}
