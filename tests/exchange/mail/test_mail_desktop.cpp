// The desktop mail client hand-off, with stand-in clients on PATH that record their
// arguments: the same code path as with the real xdg-email and Thunderbird.
#include <gtest/gtest.h>

#include "mail/QtPrinters.h"

#include <QDir>
#include <QFile>

#include "exchange/mail/TestMessage.h"
#include "mail/SmtpHome.h"
#include "support/NulSeparated.h"
#include "support/OneBox.h"
#include "support/ScopedEnv.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// The mail home, sending through the desktop client, with only the stand-ins on PATH.
class DesktopClient : public SmtpHome {
 protected:
  void SetUp() override {
    SmtpHome::SetUp();
    IniWrite("E-Mail", "Mode", "MAPI");
    IniWrite("E-Mail", "From", "me@home.net");
  }
  QString Bin() const { return home.Root() + "/bin"; }
  QString Record() const { return home.Root() + "/args"; }
  // A stand-in that writes its arguments, each ended by NUL, then exits with `code`.
  void StandIn(const QString& name, int code = 0, const QString& output = QString()) {
    const QString script = QStringLiteral("#!/bin/sh\nprintf '%s\\0' \"$@\" > '") + Record() +
                           QStringLiteral("'\n") +
                           (output.isEmpty() ? QString() : QStringLiteral("echo '") + output + "'\n") +
                           QStringLiteral("exit ") + QString::number(code) + QChar('\n');
    WriteScript(Bin() + QChar('/') + name, script.toUtf8());
  }
  QStringList Arguments() const { return NulSeparated(ReadFile(Record())); }

  ScopedEnv path{"PATH", Bin()};
};

const char kQuestionTail[] = " is open in your mail client.\r\rDid you send it from there?";

TEST_F(DesktopClient, XdgEmailGetsTheMessageAndTheUserConfirmsOrNot) {
  StandIn("xdg-email");
  const QString a = home.File("out/KOLT.KLT"), b = home.File("out/second file.zip");
  WriteFile(a, "PK");
  WriteFile(b, "PK");
  ui.Answers({Answer::Yes});
  ASSERT_TRUE(
      Send("friend@x.org ; ME@home.net; -x@y.org;other@y.org", "SPWAW turn", "Line 1\r\nLine 2", {a, b}));
  EXPECT_EQ(Arguments(), QStringList({"--utf8", "--subject", "SPWAW turn", "--body", "Line 1\r\nLine 2",
                                      "--attach", a, "--attach", b, "friend@x.org", "other@y.org"}));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text,
            QString("The message \"SPWAW turn\" to friend@x.org, -x@y.org, other@y.org") + kQuestionTail);
  EXPECT_EQ(ui.boxes[0].buttons, Buttons::YesNo);
  EXPECT_EQ(ui.boxes[0].icon, Icon::Question);

  // No counts as a cancelled dialog: only the question, no error box.
  ui.boxes.clear();
  ui.Answers({Answer::No});
  EXPECT_FALSE(Send("friend@x.org", "s", "b", {}));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_TRUE(ui.boxes[0].text.endsWith(kQuestionTail));

  // The test message keeps the own address.
  ui.boxes.clear();
  Mailer mailer(ui);
  ASSERT_TRUE(SendTestMessage(ui, mailer));
  const QString file = App().instanceFolder + "/TEST.KLT";
  EXPECT_EQ(Arguments(), QStringList({"--utf8", "--subject", "KOLT Test", "--body", "KOLT text", "--attach",
                                      file, "me@home.net"}));
  EXPECT_TRUE(IsTestMessageFile(file));
  // Confirmed as sent from the mail client, then told where it went.
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_TRUE(ui.boxes[1].text.startsWith("The test message was sent to me@home.net."));
}

const char kNoClientAdvice[] =
    "No mail client is set up on this desktop. Choose one as the desktop's e-mail application, or send "
    "directly: under Options > Sending e-mail choose \"Send directly through an SMTP server\" and enter "
    "your provider's SMTP server.";

TEST_F(DesktopClient, FailingClientOrNoClient) {
  {
    SCOPED_TRACE("xdg-email finds no mailto: handler");
    StandIn("xdg-email", 3, "xdg-email: no method available for opening mailto:friend@x.org");
    EXPECT_FALSE(Send("friend@x.org", "s", "b", {}));
    ASSERT_TRUE(OneBoxStartsWith(
        ui, QString("Sending through the desktop mail client failed\r\r") + kNoClientAdvice + "\r\rError 3"));
    EXPECT_EQ(ui.boxes[0].icon, Icon::Exclamation);
  }
  {
    SCOPED_TRACE("another failure is not taken for a missing client");
    ui.boxes.clear();
    StandIn("xdg-email", 4);
    EXPECT_FALSE(Send("friend@x.org", "s", "b", {}));
    ASSERT_TRUE(OneBoxStartsWith(ui, "Sending through the desktop mail client failed\r\rError 4"));
  }
  {
    SCOPED_TRACE("no xdg-email at all");
    ui.boxes.clear();
    QFile::remove(Bin() + "/xdg-email");
    EXPECT_FALSE(Send("friend@x.org", "s", "b", {}));
    EXPECT_EQ(ui.Texts(),
              QStringList{QString("Can't find a desktop mail client (xdg-email or Thunderbird)\r\r") +
                          kNoClientAdvice});
  }
}

TEST_F(DesktopClient, ThunderbirdWhenItIsTheDefaultClient) {
  StandIn("xdg-email");
  StandIn("thunderbird");
  const QString mime = "#!/bin/sh\necho thunderbird.desktop\n";
  WriteScript(Bin() + "/xdg-mime", mime.toUtf8());
  const QString a = home.File("out/it's, odd.klt");
  WriteFile(a, "PK");
  ASSERT_TRUE(Send("friend@x.org;other@y.org", "It's turn 5, go", "Body \xc3\xa4\r\nline 2", {a}));
  const QString body = App().instanceFolder + "/MESSAGE.TXT";
  EXPECT_EQ(Arguments(),
            QStringList({"-compose", QString::fromUtf8("to='friend@x.org,other@y.org',subject='It"
                                                       "\xe2\x80\x99s turn 5, go',message='") +
                                         body + "',attachment='file://" +
                                         home.File("out/it%27s%2C%20odd.klt") + "'"}));
  EXPECT_EQ(ReadFile(body), "Body \xc3\xa4\r\nline 2");

  // A home folder with an apostrophe (o'brien) cannot be quoted on the compose line: the
  // body goes to a temporary file whose path can.
  App().instanceFolder = home.File("o'brien/0");
  QDir().mkpath(App().instanceFolder);
  ASSERT_TRUE(Send("friend@x.org", "Turn 6", "Second body", {}));
  const QString line = Arguments().value(1);
  const qsizetype at = line.indexOf("message='");
  ASSERT_GE(at, 0) << line.toStdString();
  const QString path = line.mid(at + 9, line.indexOf('\'', at + 9) - at - 9);
  EXPECT_FALSE(path.contains('\'')) << path.toStdString();
  EXPECT_EQ(ReadFile(path), "Second body");
  QFile::remove(path);
}

}  // namespace
