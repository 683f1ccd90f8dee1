// Sending through a real SMTP server on 127.0.0.1: plain, STARTTLS, implicit TLS and
// authentication, and every way a send can fail.
#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include "mail/QtPrinters.h"

#include <QDir>
#include <QJsonArray>
#include <QRandomGenerator>

#include "exchange/mail/TestMessage.h"
#include "mail/SmtpHome.h"
#include "support/OneBox.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// A port on 127.0.0.1 that nothing listens on.
int ClosedPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  socklen_t len = sizeof addr;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  ::close(fd);
  return ntohs(addr.sin_port);
}

using SmtpSend = SmtpHome;

QByteArray Decode(const QJsonValue& v) {
  return QByteArray::fromBase64(v.toString().toLatin1());
}
QString Lf(QString s) {
  return s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

TEST_F(SmtpSend, DeliversSubjectBodyAndAttachmentsExactly) {
  SmtpTestServer& server = Serve();
  QByteArray binary(150000, '\0');
  for (int i = 0; i < binary.size(); ++i)
    binary[i] = static_cast<char>(QRandomGenerator::global()->bounded(256));
  for (int i = 0; i < 256; ++i) binary[i] = static_cast<char>(i);
  // Odd names keep their names: quotes, commas, backslashes, and one long enough to be split.
  const QList<std::pair<QString, QByteArray>> attachments{
      {"KOLT.KLT", binary},
      {"game 1.txt", "line one  \r\n.\r\nlast line without end"},
      {"EMPTY.DAT", QByteArray()},
      {QString::fromUtf8("\xc3\x84rger \"quoted\", turn; it's.klt"), "odd 1"},
      {"back\\slash.sav", "odd 2"},
      {"semi;colon=eq.dat", "odd 3"},
      {QString::fromUtf8("Z\xc3\xbcge der sehr langen Kampagne mit \xc3\xbc"
                         "berlangem Namen, Teil 12 von 40 \xe2\x80\x93 Spieler Gr\xc3\xbcn.sav"),
       "odd 4"}};
  QStringList files;
  for (const auto& [name, data] : attachments) files.append(Attachment(name, data));
  const QString subject = QString::fromUtf8(
      "SPWAW turn 12 \xe2\x80\x93 \xc3\x84rger im S\xc3\xbc"
      "den, part two of a "
      "long subject line that needs several encoded words");
  const QString body = QString::fromUtf8(
      "Your move.\r\n.a line starting with a dot\r\n\xc3\x9c"
      "ber alles\r\n");

  ASSERT_TRUE(Send(" friend@example.org ; me@EXAMPLE.com;;second@example.net ", subject, body, files));
  EXPECT_TRUE(ui.boxes.empty()) << Boxes();

  const auto messages = server.Messages();
  ASSERT_EQ(messages.size(), 1u);
  const QJsonObject m = messages[0];
  // Own address dropped (case ignored), blanks trimmed, empty elements skipped.
  EXPECT_EQ(m["rcpt_tos"].toArray(), QJsonArray({"friend@example.org", "second@example.net"}));
  EXPECT_EQ(m["mail_from"].toString(), "account@example.com");
  const QJsonObject msg = m["message"].toObject();
  EXPECT_EQ(msg["subject"].toString(), subject);
  EXPECT_EQ(msg["from"].toString(), "Me@Example.com");
  EXPECT_EQ(msg["to"].toString(), "friend@example.org, second@example.net");
  EXPECT_FALSE(msg["date"].toString().isEmpty());
  EXPECT_TRUE(msg["message_id"].toString().endsWith("@Example.com>"));
  EXPECT_EQ(Lf(msg["body"].toString()), Lf(body));
  EXPECT_TRUE(msg["defects"].toArray().isEmpty());
  // Header lines stay plain ASCII: the subject and names went out as encoded words.
  const QString headers = msg["raw_headers"].toString();
  for (QChar c : headers) ASSERT_LT(c.unicode(), 0x80);
  for (const QString& line : headers.split("\r\n")) EXPECT_LE(line.size(), 998);

  const QJsonArray parts = msg["attachments"].toArray();
  ASSERT_EQ(parts.size(), attachments.size());
  for (int i = 0; i < parts.size(); ++i) {
    EXPECT_EQ(parts[i].toObject()["filename"].toString(), attachments[i].first);
    EXPECT_EQ(Decode(parts[i].toObject()["data"]), attachments[i].second) << i;
  }
  EXPECT_EQ(parts[0].toObject()["encoding"].toString(), "base64");

  // The window: the address text as given, each attachment with its size.
  EXPECT_EQ(progress.inits, 1);
  EXPECT_EQ(progress.recipients, " friend@example.org ; me@EXAMPLE.com;;second@example.net ");
  EXPECT_TRUE(progress.attachments.startsWith(files[0] + " (146 kB) " + files[1] + " (36 B) " + files[2] +
                                              " (0 B) " + files[3] + " (5 B) "))
      << progress.attachments.toStdString();
  EXPECT_EQ(progress.shows, 1);
  EXPECT_FALSE(progress.visible);
  EXPECT_FALSE(progress.sending);
  EXPECT_TRUE(progress.lines.contains("> MAIL FROM:<account@example.com>")) << Log().toStdString();
  EXPECT_TRUE(progress.lines.contains("> RCPT TO:<second@example.net>"));
  EXPECT_TRUE(Log().contains("< 250 Message accepted for delivery"));
  EXPECT_GT(ui.doEvents, 0);  // the UI ran while the message went out
  EXPECT_EQ(progress.lastDone, progress.lastTotal);
}

TEST_F(SmtpSend, ControlCharactersCannotAddHeadersOrCommands) {
  SmtpTestServer& server = Serve();
  ASSERT_TRUE(Send("friend@example.org", "Turn 5\r\nBcc: evil@example.org", "x", {}));
  // In an address the line break is dropped: what is left is one (refused) address.
  EXPECT_FALSE(Send("friend@example.org\r\nRCPT TO:<evil@example.org>", "s", "x", {}));
  const auto messages = server.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0]["rcpt_tos"].toArray(), QJsonArray({"friend@example.org"}));
  const QJsonObject msg = messages[0]["message"].toObject();
  EXPECT_FALSE(msg["header_names"].toArray().contains("Bcc"));
  EXPECT_EQ(msg["subject"].toString(), "Turn 5  Bcc: evil@example.org");
  EXPECT_FALSE(Log().contains("> RCPT TO:<evil@example.org>"));
}

TEST_F(SmtpSend, TlsWithAuthenticationNeverShowsThePassword) {
  ASSERT_TRUE(Certificate().Ok());
  TrustTestCertificate();
  ASSERT_TRUE(passwords.WritePassword("s3cret-PW"));
  // STARTTLS with each mechanism once (PLAIN sends the password in its argument, LOGIN on
  // a line of its own), then TLS from the start with a user name of its own.
  const struct {
    const char* mode;
    const char* excluded;
    QByteArray user;
  } cases[] = {{"starttls", "PLAIN", ""}, {"starttls", "LOGIN", ""}, {"tls", "", "player7"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " without " + c.excluded);
    const QByteArray user = c.user.isEmpty() ? "account@example.com" : c.user;
    IniWrite("E-Mail", "SMTP_Security", c.mode == std::string("tls") ? "TLS" : "STARTTLS");
    IniWrite("E-Mail", "SMTP_User", c.user);
    QStringList arguments{"--auth", user + ":s3cret-PW"};
    if (*c.excluded) arguments += QStringList{"--exclude-mech", c.excluded};
    SmtpTestServer& server = Serve(Certificate().ServerArguments(c.mode) + arguments);
    ASSERT_TRUE(Send("friend@example.org", "Secure turn", "body", {})) << Boxes();
    const auto messages = server.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0]["authenticated"].toBool());
    EXPECT_TRUE(messages[0]["tls"].toBool());
    const QString log = Log();
    EXPECT_EQ(log.contains("> STARTTLS"), c.mode == std::string("starttls"));
    EXPECT_TRUE(log.contains("> AUTH ")) << log.toStdString();
    EXPECT_FALSE(log.contains("s3cret"));
    EXPECT_FALSE(log.contains(QByteArray("s3cret-PW").toBase64()));
    EXPECT_FALSE(log.contains((user + '\0' + user + '\0' + "s3cret-PW").toBase64()));
    EXPECT_FALSE(log.contains(('\0' + user + '\0' + "s3cret-PW").toBase64()));
  }
  // The password lives in its own file, never in the settings file.
  EXPECT_FALSE(ReadFile(home.Ini()).contains("s3cret"));
}

TEST(SmtpFailureKind, ARefusalOfTheRecipientCommandMayBeAboutTheSender) {
  constexpr int kRefused = 55;  // libcurl's CURLE_SEND_ERROR after a negative reply
  const QString rcpt = "RCPT TO:<friend@example.org>";
  struct Case {
    QString command, reply;
    SmtpFailure expected;
  };
  const Case cases[] = {
      {rcpt, "553 5.7.1 <a@example.org>: Sender address rejected: not owned by user",
       SmtpFailure::SenderRefused},
      {rcpt, "550 Sender verify failed", SmtpFailure::SenderRefused},
      {rcpt, "450 4.1.8 <a@example.org>: Sender address rejected: Domain not found",
       SmtpFailure::SenderRefused},
      {rcpt, "550 5.1.7 Bad sender's mailbox address syntax", SmtpFailure::SenderRefused},
      {rcpt, "550 5.1.1 <friend@example.org>: Recipient address rejected: User unknown",
       SmtpFailure::RecipientRefused},
      // Words about a sender in a refusal of the recipient leave it the recipient's.
      {rcpt, "554 5.7.1 <friend@example.org>: Recipient address rejected: not permitted for this sender",
       SmtpFailure::RecipientRefused},
      {rcpt, "554 5.7.1 Relay access denied", SmtpFailure::RecipientRefused},
      {"MAIL FROM:<a@example.org>", "553 5.7.1 Not allowed", SmtpFailure::SenderRefused},
      {"DATA", "554 5.7.1 Sender address rejected", SmtpFailure::MessageRefused},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifySmtpFailure(kRefused, c.command, c.reply, QString()), c.expected)
        << c.reply.toStdString();
  }
}

// The one error box of a failed send: the usual first line with libcurl's number, then
// advice that contains each of `advice`, then libcurl's own text.
void ExpectFailureBox(const ScriptedUi& ui, int code, const QStringList& advice) {
  ASSERT_EQ(ui.boxes.size(), 1u) << ui.Texts().join("|").toStdString();
  const QString text = ui.boxes[0].text;
  const QString first = "Sending e-mail via SMTP (libcurl) failed: " + QString::number(code) + "\r\r";
  EXPECT_TRUE(text.startsWith(first)) << text.toStdString();
  EXPECT_EQ(ui.boxes[0].icon, Icon::Exclamation);
  const QString rest = text.mid(first.size());
  for (const QString& a : advice)
    EXPECT_TRUE(rest.contains(a)) << a.toStdString() << " in " << text.toStdString();
  if (!advice.isEmpty()) {
    EXPECT_TRUE(rest.contains("under Options > Sending e-mail.")) << text.toStdString();
    // The advice comes before libcurl's details.
    EXPECT_LT(rest.indexOf(advice[0]), rest.indexOf("\r\rError " + QString::number(code)));
  }
}

TEST_F(SmtpSend, FailuresSayWhichSettingToCheck) {
  ASSERT_TRUE(Certificate().Ok());
  {
    SCOPED_TRACE("refused login");
    TrustTestCertificate();
    IniWrite("E-Mail", "SMTP_Security", "STARTTLS");
    SmtpTestServer& server =
        Serve(Certificate().ServerArguments("starttls") + QStringList{"--auth", "account@example.com:right"});
    passwords.WritePassword("wrong");
    EXPECT_FALSE(Send("friend@example.org"));
    ExpectFailureBox(ui, 67, {"refused the login", "535", "Check the SMTP user name and password"});
    EXPECT_TRUE(server.Messages().empty());
    EXPECT_FALSE(progress.visible);
    EXPECT_FALSE(Log().contains("wrong"));
  }
  // Refused by the server or at the connection, each told with the setting to check. The
  // server is plain unless "starttls" is named; a "closed port" or an "unknown host" is
  // tried in its place.
  const struct {
    const char* what;
    const char* serverArguments;
    const char* security;
    QString to;
    int code;
    const char* advice;  // parts separated by '|'
  } refusals[] = {
      {"certificate nobody vouches for", "starttls", "STARTTLS", "friend@example.org", 60,
       "certificate could not be verified|Check the SMTP server name"},
      // Plain only: STARTTLS is required by default.
      {"server that refuses STARTTLS", "", "", "friend@example.org", 64,
       "does not offer STARTTLS|Check the security choice and the port"},
      {"TLS from the start on a plain port", "", "TLS", "friend@example.org", 35,
       "secure connection could not be set up|security choice fits the port"},
      {"closed port", "closed port", "NONE", "friend@example.org", 7, "Check the SMTP server name and port"},
      {"unknown server name", "unknown host", "NONE", "friend@example.org", 6,
       "name was not found|Check the SMTP server name"},
      // Nobody gets a message that some could not.
      {"refused recipient, among accepted ones", "--refuse-rcpt nobody@example.org", "NONE",
       "friend@example.org; nobody@example.org", 55,
       "refused the recipient nobody@example.org|550 5.1.1|Check the recipient's address|"
       "SMTP user name and password"},
      {"refused sender", "--refuse-sender account@example.com", "NONE", "friend@example.org", 55,
       "refused the sender account@example.com|553 5.7.1|Your SMTP e-mail address"},
      {"sender refused in the answer to the recipient", "--refuse-sender-at-rcpt account@example.com", "NONE",
       "friend@example.org", 55,
       "refused the sender account@example.com|"
       "553 5.7.1 <account@example.com>: Sender address rejected: not owned by user|"
       "Your SMTP e-mail address|SMTP user name"},
  };
  qunsetenv("KOLT_SMTP_CAINFO");
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.what);
    ui.boxes.clear();
    const QString arguments = QString::fromLatin1(r.serverArguments);
    SmtpTestServer& server = Serve(arguments == "starttls"      ? Certificate().ServerArguments(arguments)
                                   : arguments.startsWith("--") ? arguments.split(' ')
                                                                : QStringList());
    if (arguments == "closed port") UsePort(ClosedPort());
    IniWrite("E-Mail", "SMTP_Server", arguments == "unknown host" ? "no-such-host.invalid" : "127.0.0.1");
    IniWrite("E-Mail", "SMTP_Security", r.security);
    EXPECT_FALSE(Send(r.to));
    ExpectFailureBox(ui, r.code, QString(r.advice).split('|'));
    EXPECT_TRUE(server.Messages().empty());
  }
  // A refusal of the sender never blames the recipient.
  EXPECT_FALSE(ui.boxes[0].text.contains("recipient")) << ui.boxes[0].text.toStdString();
  IniWrite("E-Mail", "SMTP_Security", "NONE");
  {
    SCOPED_TRACE("missing attachment: the path says it all");
    ui.boxes.clear();
    SmtpTestServer& server = Serve();
    const QString missing = home.File("out/GONE.KLT");
    EXPECT_FALSE(Send("friend@example.org", "s", "b", {missing}));
    ExpectFailureBox(ui, 26, {});
    EXPECT_FALSE(ui.boxes[0].text.contains("Options >"));
    EXPECT_TRUE(ui.boxes[0].text.contains(missing));
    EXPECT_EQ(progress.attachments, missing + " ");
    EXPECT_TRUE(server.Messages().empty());
  }
  {
    SCOPED_TRACE("no recipient left");
    ui.boxes.clear();
    EXPECT_FALSE(Send("me@example.com", "s", "b", {}));
    ASSERT_TRUE(OneBoxStartsWith(ui, "Sending e-mail via SMTP (libcurl) failed: "));
  }
}

TEST_F(SmtpSend, ServerSettingMayCarryThePort) {
  SmtpTestServer& server = Serve();
  SmtpTestServer server6({"--host", "::1"});
  ASSERT_GT(server6.Port(), 0) << server6.Errors().toStdString();
  const QString port = QString::number(server.Port()), port6 = QString::number(server6.Port());
  // The port setting loses to a port typed with the name; without a port of its own, an
  // address in brackets (or bare) takes the port setting.
  const int closed = ClosedPort();
  const std::pair<QString, int> cases[] = {{"127.0.0.1:" + port, closed},
                                           {"localhost:" + port, closed},
                                           {"[::1]:" + port6, closed},
                                           {"[::1]", server6.Port()},
                                           {"::1", server6.Port()}};
  for (const auto& [typed, portSetting] : cases) {
    SCOPED_TRACE(typed.toStdString());
    UsePort(portSetting);
    IniWrite("E-Mail", "SMTP_Server", typed);
    EXPECT_TRUE(Send("friend@example.org")) << Boxes();
    EXPECT_EQ(IniRead("E-Mail", "SMTP_Server"), typed);
  }
  EXPECT_EQ(server.Messages().size(), 2u);
  EXPECT_EQ(server6.Messages().size(), 3u);

  // A malformed setting is told as such before anything is tried.
  progress.inits = 0;
  for (const char* bad : {"127.0.0.1:99999", "smtp://127.0.0.1", "127.0.0.1:", "[::1]x"}) {
    SCOPED_TRACE(bad);
    ui.boxes.clear();
    IniWrite("E-Mail", "SMTP_Server", bad);
    EXPECT_FALSE(Send("friend@example.org"));
    ASSERT_TRUE(
        OneBoxStartsWith(ui, QString("The SMTP server setting \"") + bad + "\" is not a server name.\r\r"));
    EXPECT_TRUE(ui.boxes[0].text.contains("under Options > Sending e-mail."));
  }
  EXPECT_EQ(progress.inits, 0);
}

TEST_F(SmtpSend, MessageDialogAsksBeforeEachMessage) {
  SmtpTestServer& server = Serve();
  IniWrite("E-Mail", "Dialog", "1");
  const QString file = Attachment("KOLT.KLT", "turn");
  ui.Answers({Answer::Cancel});
  EXPECT_FALSE(Send("friend@example.org; me@example.com", "Turn 4", "Your move\r\nsecond line", {file}));
  ASSERT_EQ(ui.boxes.size(), 1u);  // the question, no error
  EXPECT_EQ(ui.boxes[0].text,
            "Send this message by SMTP?\r\rTo: friend@example.org\rSubject: Turn 4\r"
            "Attachments: KOLT.KLT\r\rYour move\rsecond line");
  EXPECT_EQ(ui.boxes[0].buttons, Buttons::OkCancel);
  EXPECT_TRUE(server.Messages().empty());
  EXPECT_EQ(progress.inits, 0);

  ui.Answers({Answer::Ok});
  EXPECT_TRUE(Send("friend@example.org", "Turn 4", "Your move", {file}));
  EXPECT_EQ(server.Messages().size(), 1u);
}

TEST_F(SmtpSend, MissingSettingsStopBeforeAnyConnection) {
  progress.Init();
  progress.inits = 0;
  IniWrite("E-Mail", "SMTP_Server", "");
  EXPECT_FALSE(Send("friend@example.org"));
  IniWrite("E-Mail", "SMTP_Server", "127.0.0.1");
  IniWrite("E-Mail", "Address", "  ");
  EXPECT_FALSE(Send("friend@example.org"));
  IniWrite("E-Mail", "Mode", "smtp");  // modes are spelt exactly
  EXPECT_FALSE(Send("friend@example.org"));
  IniWrite("E-Mail", "Mode", "");
  EXPECT_FALSE(Send("friend@example.org"));
  EXPECT_EQ(ui.Texts(), QStringList({"SMTP server setting missing", "Your own e-mail address setting missing",
                                     "First define the e-mail mode", "First define the e-mail mode"}));
  EXPECT_EQ(progress.inits, 0);  // the window was never prepared
}

TEST_F(SmtpSend, CancelFromTheWindowIsSilent) {
  SmtpTestServer& server = Serve();
  progress.cancelWhen = [&] { return !progress.lines.isEmpty(); };
  EXPECT_FALSE(Send("friend@example.org", "s", "b", {Attachment("BIG.DAT", QByteArray(200000, 'x'))}));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(server.Messages().empty());
  EXPECT_FALSE(progress.visible);
  EXPECT_EQ(progress.lines.last(), "Cancelled.");

  // A cancel that comes after the server took the message is too late: it was sent.
  progress.cancelWhen = [&] { return Log().contains("< 250 Message accepted"); };
  EXPECT_TRUE(Send("friend@example.org"));
  EXPECT_TRUE(ui.boxes.empty()) << Boxes();
  EXPECT_EQ(server.Messages().size(), 1u);
  EXPECT_NE(progress.lines.last(), "Cancelled.");
}

TEST_F(SmtpSend, ServerSlowToAnswerTheMessageLeavesTheWindowAliveAndCancellable) {
  // The whole message is in, but the server takes its time over the answer: the window
  // must keep running meanwhile, so that the user's cancel gets through at all.
  SmtpTestServer& server = Serve({"--hold-data", "15"});
  const QString holding = server.Folder() + "/holding";
  int seenAt = -1;
  progress.cancelWhen = [&] {
    if (!QFile::exists(holding)) return false;
    if (seenAt < 0) seenAt = ui.doEvents;
    return ui.doEvents > seenAt;  // a click needs the event loop to run once more
  };
  EXPECT_FALSE(Send("friend@example.org", "s", "b", {Attachment("T.KLT", "turn")}));
  EXPECT_GE(seenAt, 0) << Log().toStdString();
  // Stopped while the server still held its answer, not once it had come.
  EXPECT_FALSE(Log().contains("Message accepted")) << Log().toStdString();
  EXPECT_TRUE(ui.boxes.empty()) << Boxes();
  EXPECT_EQ(progress.lines.last(), "Cancelled.");
}

TEST_F(SmtpSend, TestMessageReachesTheOwnAddress) {
  SmtpTestServer& server = Serve();
  Mailer mailer(ui, &progress, &passwords);
  // Without an own address it says where to enter one.
  IniWrite("E-Mail", "From", " ");
  EXPECT_FALSE(SendTestMessage(ui, mailer));
  EXPECT_EQ(ui.Texts(), QStringList{"You have not defined your own e-mail address!\r\r"
                                    "Enter it as \"From\" under Options > Sending e-mail."});
  EXPECT_TRUE(server.Messages().empty());

  ui.boxes.clear();
  IniWrite("E-Mail", "From", "Me@Example.com");
  ASSERT_TRUE(SendTestMessage(ui, mailer));
  // It says where it went.
  EXPECT_EQ(ui.Texts(), QStringList{"The test message was sent to Me@Example.com. When it arrives, open its "
                                    "attachment TEST.KLT with " +
                                    AppTitle() + "."});
  EXPECT_EQ(ui.boxes[0].icon, Icon::Information);
  ui.boxes.clear();
  EXPECT_EQ(ReadFile(App().instanceFolder + "/TEST.KLT"), "TEST");
  const auto messages = server.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0]["rcpt_tos"].toArray(), QJsonArray({"Me@Example.com"}));  // allowSelf
  const QJsonObject msg = messages[0]["message"].toObject();
  EXPECT_EQ(msg["subject"].toString(), "KOLT Test");
  EXPECT_EQ(Lf(msg["body"].toString()), "KOLT text");
  const QJsonArray parts = msg["attachments"].toArray();
  ASSERT_EQ(parts.size(), 1);
  EXPECT_EQ(parts[0].toObject()["filename"].toString(), "TEST.KLT");
  EXPECT_EQ(Decode(parts[0].toObject()["data"]), "TEST");

  // The received attachment is recognised when opened.
  const QString received = home.File("Downloads/TEST.KLT");
  WriteFile(received, Decode(parts[0].toObject()["data"]));
  EXPECT_TRUE(ShowIfTestMessage(ui, received));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Congratulations! You have successfully sent a KOLT test message.");
  EXPECT_EQ(ui.boxes[0].icon, Icon::Information);
}

}  // namespace
