// Turns arrive by themselves: player A sends through the local SMTP server, which
// delivers into the Maildir of a real Dovecot IMAP server, and player B's `kolt-cli
// fetch` takes them in. Two homes, two kolt-cli processes, no stand-ins.
#include "turns/ImapRoad.h"

using namespace kolt;
using namespace kolt::test;

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
