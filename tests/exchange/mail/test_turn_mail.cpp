// Reading turn messages from the mailbox (GMime) and the IMAP texts of the check: the
// parts other people's mail programs vary, and the limits that keep one message small.
#include <gtest/gtest.h>

#include "exchange/mail/ImapClient.h"
#include "exchange/mail/TurnMail.h"
#include "exchange/turns/MailboxFetch.h"
#include "mail/DovecotTestServer.h"
#include "mail/QtPrinters.h"
#include "mail/SmtpTestServer.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

QByteArray Multipart(const QByteArray& text, const QList<QByteArray>& attachments) {
  QByteArray m =
      "From: =?utf-8?q?Iv=C3=A1n?= <Ivan@Example.org>\r\n"
      "Subject: =?utf-8?b?U1BXQVcgZmlsZQ==?=\r\nMIME-Version: 1.0\r\n"
      "Content-Type: multipart/mixed; boundary=\"a\"\r\n\r\n--a\r\n"
      "Content-Type: multipart/alternative; boundary=\"b\"\r\n\r\n--b\r\n" +
      text + "\r\n--b\r\nContent-Type: text/html\r\n\r\n<p>html</p>\r\n--b--\r\n";
  for (const QByteArray& a : attachments) m += "--a\r\n" + a + "\r\n";
  return m + "--a--\r\n";
}

QByteArray Attachment(const QByteArray& name, const QByteArray& data) {
  return "Content-Type: application/octet-stream\r\nContent-Disposition: attachment; " + name +
         "\r\nContent-Transfer-Encoding: base64\r\n\r\n" + data.toBase64();
}

}  // namespace

TEST(TurnMail, DecodesWhatOtherMailProgramsEncode) {
  const TurnMail mail = ParseTurnMail(Multipart(
      "Content-Type: text/plain; charset=windows-1252\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n"
      "S=E9rie gagn=E9e\r\n--\r\nSave the attachments into EMAIL directory.\r\nSPWAW/email001.cmt",
      {Attachment("filename*=utf-8''%C3%A9t%C3%A9.dat", "turn"),
       Attachment("filename=\"x\\\\KOLT.KLT\"", "PK")}));
  EXPECT_TRUE(mail.problem.isEmpty()) << mail.problem.toStdString();
  EXPECT_EQ(mail.subject, "SPWAW file");
  EXPECT_EQ(mail.fromAddress, "Ivan@Example.org");
  EXPECT_EQ(TauntOfText(mail.text), QString::fromUtf8("Série gagnée"));
  EXPECT_EQ(GamesTextOf(mail.text), "SPWAW/email001.cmt");
  ASSERT_EQ(mail.attachments.size(), 2);
  EXPECT_EQ(mail.attachments[0].name, QString::fromUtf8("été.dat"));
  EXPECT_EQ(mail.attachments[0].data, "turn");
  EXPECT_EQ(mail.attachments[1].data, "PK");
}

// The sender is who a turn is credited to: a From that does not name exactly one
// mailbox, plainly, gives none, so the message is refused instead of passing as the
// opponent's.
TEST(TurnMail, FromGivesExactlyOneMailboxOrNone) {
  const struct {
    QByteArray from;
    QString address;
  } cases[] = {
      {"a@example.org", "a@example.org"},
      {"a@example.org (Ivan)", "a@example.org"},
      {"<a@example.org>", "a@example.org"},
      {"=?utf-8?q?Iv=C3=A1n?= <Ivan@Example.org> (home)", "Ivan@Example.org"},
      {"\"a@example.org\" <mallory@evil.example>", "mallory@evil.example"},
      {"<a@example.org>@evil.example", ""},
      {"a@example.org@evil.example", ""},
      {"group: mallory@evil.example;, a@example.org", ""},
      {"a@example.org, b@example.org", ""},
      {"Ivan <a@example.org> trailing", ""},
      {"undisclosed:;", ""},
  };
  for (const auto& c : cases) {
    const TurnMail mail = ParseTurnMail("From: " + c.from + "\r\nSubject: KOLT file\r\n\r\ntext\r\n");
    EXPECT_EQ(mail.fromAddress, c.address) << c.from.constData();
  }
  const TurnMail twice =
      ParseTurnMail("From: a@example.org\r\nFrom: mallory@evil.example\r\nSubject: x\r\n\r\ntext\r\n");
  EXPECT_EQ(twice.fromAddress, "");
}

TEST(TurnMail, LimitsAndNonMessagesAreProblems) {
  TurnMailLimits limits;
  limits.maxAttachmentBytes = 10;
  TurnMail mail = ParseTurnMail(
      Multipart("Content-Type: text/plain\r\n\r\nhi", {Attachment("filename=a", "0123456789X")}), limits);
  EXPECT_FALSE(mail.problem.isEmpty());
  EXPECT_TRUE(mail.attachments.isEmpty());  // nothing half-read is handed on

  limits = TurnMailLimits();
  limits.maxAttachments = 1;
  mail = ParseTurnMail(Multipart("Content-Type: text/plain\r\n\r\nhi",
                                 {Attachment("filename=a", "1"), Attachment("filename=b", "2")}),
                       limits);
  EXPECT_FALSE(mail.problem.isEmpty());

  EXPECT_FALSE(ParseTurnMail(QByteArray()).problem.isEmpty());
  // A message without --: no taunt at all, rather than the whole text.
  mail = ParseTurnMail("Subject: KOLT message\r\n\r\nJust text\r\n");
  EXPECT_TRUE(mail.problem.isEmpty());
  EXPECT_EQ(TauntOfText(mail.text), "");
  EXPECT_EQ(TauntOfText("--\r\nx"), "");
  EXPECT_EQ(TauntOfText("a\r\nb\r\n\r\n--\r\n--\r\n"), "a\nb");
}

TEST(MailboxSearch, SubjectsAndAnswers) {
  EXPECT_EQ(MailboxFetch::SearchCriteria({"KOLT file", "KOLT message", "A\"B file", "SPWAW file"}),
            "UNSEEN OR SUBJECT \"KOLT file\" OR SUBJECT \"KOLT message\" SUBJECT \"SPWAW file\"");
  EXPECT_EQ(MailboxFetch::SearchCriteria({"KOLT file"}), "UNSEEN SUBJECT \"KOLT file\"");
  EXPECT_EQ(ImapClient::ParseSearch("* SEARCH 7 3 12 3\r\n"), QList<quint32>({3, 7, 12}));
  EXPECT_EQ(ImapClient::ParseSearch("* SEARCH\r\n"), QList<quint32>());
  const QMap<quint32, qint64> sizes =
      ImapClient::ParseSizes("* 1 FETCH (UID 7 RFC822.SIZE 1234)\r\n* 2 FETCH (RFC822.SIZE 99 UID 9)\r\n");
  EXPECT_EQ(sizes.value(7), 1234);
  EXPECT_EQ(sizes.value(9), 99);
  EXPECT_EQ(ImapClient::Quoted("a\"b\\c"), "\"a\\\"b\\\\c\"");
}

TEST(MailboxSearch, OtherServersFoldersAndOtherMailProgramsSubjects) {
  // Cyrus ("/"), Courier ("."), a flat server (NIL) and a name that needs quoting.
  const QList<ImapClient::Folder> folders = ImapClient::ParseList(
      "* LIST (\\HasNoChildren) \"/\" \"INBOX/Processed\"\r\n"
      "* LIST (\\HasChildren) \".\" INBOX\r\n"
      "* LIST (\\Noselect) NIL Archive\r\n"
      "* LIST () \"/\" \"Old \\\"turns\\\"\"\r\n"
      "* LIST () \"/\" {7}\r\n"
      "A003 OK LIST completed\r\n");
  ASSERT_EQ(folders.size(), 4);
  EXPECT_EQ(folders[0].name, "INBOX/Processed");
  EXPECT_EQ(folders[0].separator, "/");
  EXPECT_EQ(folders[1].name, "INBOX");
  EXPECT_EQ(folders[1].separator, ".");
  EXPECT_EQ(folders[2].name, "Archive");
  EXPECT_TRUE(folders[2].separator.isEmpty());
  EXPECT_EQ(folders[3].name, "Old \"turns\"");

  EXPECT_EQ(MailboxFetch::BareSubject("Re: RE: Fwd: [External] KOLT file"), "KOLT file");
  EXPECT_EQ(MailboxFetch::BareSubject("FW:[ext][SPAM?]  kolt  FILE "), "kolt FILE");
  EXPECT_EQ(MailboxFetch::BareSubject("SPWAW file"), "SPWAW file");
  EXPECT_EQ(MailboxFetch::BareSubject("Re: about the KOLT file"), "about the KOLT file");
  EXPECT_EQ(MailboxFetch::BareSubject("[unclosed KOLT file"), "[unclosed KOLT file");
}

// A download appends message after message to one file. A fetch cut short (a message
// that grew past the limit since its size was asked) leaves no trace in it, and each
// message reads back from its own part of the file.
TEST(MailboxDownload, MessagesFollowEachOtherInOneFile) {
  TempHome home;
  TestCertificate certificate;
  ASSERT_TRUE(certificate.Ok());
  DovecotTestServer imap("me@home.net", "secret", certificate.Cert(), certificate.Key());
  ASSERT_TRUE(imap.Ok()) << imap.Log().toStdString();
  auto message = [](const QByteArray& subject, const QByteArray& text) {
    return "From: a@example.org\r\nTo: me@home.net\r\nSubject: " + subject + "\r\n\r\n" + text + "\r\n";
  };
  ASSERT_TRUE(DovecotTestServer::Write(imap.Maildir() + "/new/1.test", message("KOLT file", "first")));
  ASSERT_TRUE(
      DovecotTestServer::Write(imap.Maildir() + "/new/2.test", message("KOLT file", QByteArray(4096, 'x'))));
  ASSERT_TRUE(DovecotTestServer::Write(imap.Maildir() + "/new/3.test", message("SPWAW file", "third")));
  ImapAccount account;
  account.host = "127.0.0.1";
  account.port = imap.TlsPort();
  account.user = "me@home.net";
  account.password = "secret";
  account.caFile = certificate.Cert();
  account.responseTimeout = 20;
  ImapClient client(account);
  quint32 validity = 0;
  QList<quint32> uids;
  ASSERT_TRUE(client.UidValidity("INBOX", &validity)) << client.Error().toStdString();
  ASSERT_TRUE(client.Search("INBOX", "ALL", &uids)) << client.Error().toStdString();
  ASSERT_EQ(uids.size(), 3);

  const QString path = home.File("messages");
  QFile spool(path);
  ASSERT_TRUE(spool.open(QIODevice::WriteOnly));
  ASSERT_TRUE(client.FetchToFile("INBOX", validity, uids[0], 1000, &spool)) << client.Error().toStdString();
  const qint64 first = spool.pos();
  EXPECT_FALSE(client.FetchToFile("INBOX", validity, uids[1], 1000, &spool));
  EXPECT_EQ(client.Failure(), ImapFailure::TooLarge);
  EXPECT_EQ(spool.pos(), first);
  ASSERT_TRUE(client.FetchToFile("INBOX", validity, uids[2], 1000, &spool)) << client.Error().toStdString();
  const qint64 end = spool.pos();
  spool.close();
  EXPECT_EQ(QFileInfo(path).size(), end);

  const TurnMail one = ParseTurnMailFile(path, 0, first);
  const TurnMail three = ParseTurnMailFile(path, first, end - first);
  EXPECT_EQ(one.subject, "KOLT file");
  EXPECT_EQ(one.text.trimmed(), "first");
  EXPECT_EQ(three.subject, "SPWAW file");
  EXPECT_EQ(three.text.trimmed(), "third");
  EXPECT_EQ(ParseTurnMailFile(path).subject, "KOLT file");  // the whole file: the first one
}
