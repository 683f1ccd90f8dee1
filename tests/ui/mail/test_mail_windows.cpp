// The settings dialog and the SMTP progress window, on the offscreen platform.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "core/Settings.h"
#include "core/Startup.h"
#include "exchange/mail/FilePasswordStore.h"
#include "exchange/mail/Mailer.h"
#include "mail/DovecotTestServer.h"
#include "mail/QtPrinters.h"
#include "mail/SmtpHome.h"
#include "mail/SmtpTestServer.h"
#include "support/Child.h"
#include "support/ScopedEnv.h"
#include "support/Screenshot.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"
#include "ui/frmBlat.h"
#include "ui/frmOptions.h"

using namespace kolt;
using namespace kolt::test;

namespace {

const char* const kSmtpOnly[] = {"txtEMail",        "txtSMTPServer", "lblEMail",    "lblSMTP",
                                 "cmbSMTPSecurity", "spnSMTPPort",   "txtSMTPUser", "txtSMTPPassword"};

// In desktop-client mode the SMTP fields and the message dialog choice (the client
// shows its own window anyway) are greyed; in SMTP mode all are open.
void ExpectSmtpFieldsEnabled(QWidget& dialog, bool enabled) {
  for (const char* name : kSmtpOnly) EXPECT_EQ(Child<QWidget>(dialog, name)->isEnabled(), enabled) << name;
  EXPECT_EQ(Child<QCheckBox>(dialog, "chkShowDialog")->isEnabled(), enabled);
}

// The test result is laid out in full: as tall as its wrapped text needs, inside its page.
void ExpectShownInFull(QWidget& dialog, const char* label) {
  auto* l = Child<QLabel>(dialog, label);
  EXPECT_GE(l->height(), l->heightForWidth(l->width())) << label;
  const QWidget* page = l->parentWidget();
  EXPECT_TRUE(page->rect().contains(l->geometry())) << label;
}

// The refusal box of the settings dialog, if one is open; closes it.
QString TakeRefusal(QWidget& dialog) {
  auto* box = dialog.findChild<QMessageBox*>("msgRefused");
  if (!box) return QString();
  EXPECT_TRUE(box->isVisible());
  QString text = box->text();
  box->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return text;
}

// The settings dialog on an empty home.
class Options : public ::testing::Test {
 protected:
  void Type(const char* field, const QString& text) { Child<QLineEdit>(dialog, field)->setText(text); }
  void Click(const char* button) { QTest::mouseClick(Child<QPushButton>(dialog, button), Qt::LeftButton); }
  QString Shown(const char* label) { return Child<QLabel>(dialog, label)->text(); }
  QSpinBox* Spin(const char* name) { return Child<QSpinBox>(dialog, name); }

  TempHome home;
  FilePasswordStore passwords;
  frmOptions dialog{nullptr, &passwords};
};

TEST_F(Options, FirstRunShowsTheDesktopClientAndOkWritesTheKeys) {
  EXPECT_TRUE(Child<QRadioButton>(dialog, "optMAPI")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(dialog, "chkShowDialog")->isChecked());
  ExpectSmtpFieldsEnabled(dialog, false);
  EXPECT_EQ(Spin("spnIMAPPort")->value(), 993);
  EXPECT_EQ(Child<QLineEdit>(dialog, "txtIMAPFolder")->text(), "INBOX");
  Type("txtFrom", "me@home.net");
  Click("cmdOK");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(IniRead("E-Mail", "Mode"), "MAPI");
  EXPECT_EQ(IniRead("E-Mail", "From"), "me@home.net");
  // The keys in the order they are written; empty ones stay as "key=".
  const QList<QByteArray> lines = ReadFile(home.Ini()).split('\n');
  QStringList keys;
  for (const QByteArray& l : lines)
    if (l.contains('=')) keys.append(QString::fromLatin1(l.left(l.indexOf('='))));
  EXPECT_EQ(keys.mid(0, 5), QStringList({"From", "Mode", "Address", "SMTP_Server", "Dialog"}));
  EXPECT_TRUE(ReadFile(home.Ini()).contains("Dialog=\r\n"));
}

TEST_F(Options, RefusesAnAddressOrServerThatCannotWork) {
  dialog.show();
  auto* from = Child<QLineEdit>(dialog, "txtFrom");
  auto* server = Child<QLineEdit>(dialog, "txtSMTPServer");
  auto* account = Child<QLineEdit>(dialog, "txtEMail");
  // Each refused on OK and on Apply: the dialog stays open, the field has the focus,
  // nothing is written.
  auto expectRefused = [&](QLineEdit* field, const QString& part) {
    for (const char* button : {"cmdOK", "cmdApply"}) {
      SCOPED_TRACE(button);
      Click(button);
      const QString text = TakeRefusal(dialog);
      EXPECT_TRUE(text.contains(part)) << text.toStdString();
      EXPECT_TRUE(dialog.isVisible());
      EXPECT_EQ(dialog.focusWidget(), field);
      EXPECT_FALSE(QFile::exists(home.Ini()));
    }
  };
  {
    SCOPED_TRACE("desktop client mode: the own address is needed too");
    expectRefused(from, "Enter your e-mail address under \"From (your e-mail address):\"");
    for (const char* bad : {"me", "me@", "me at home.net", "Me <me@home.net>", "a@x.org;b@x.org"}) {
      SCOPED_TRACE(bad);
      from->setText(bad);
      expectRefused(from, QString("\"") + bad + "\" is not an e-mail address.");
    }
    // Longer than a settings value holds: it would be stored cut.
    from->setText(QString(250, 'm') + "@home.net");
    expectRefused(from, "is 259 characters long; at most 255 fit.");
    // The SMTP fields are not in use, so not checked.
    server->setText("not a server");
  }
  from->setText("me@home.net");
  Child<QRadioButton>(dialog, "optSMTP")->click();
  {
    SCOPED_TRACE("SMTP mode");
    expectRefused(server, "\"not a server\" is not an SMTP server.");
    server->clear();
    expectRefused(server, "Enter the SMTP server");
    server->setText("mail.example.net:2525");
    expectRefused(account, "Enter the address of your SMTP account");
    account->setText("acct@");
    expectRefused(account, "\"acct@\" is not an e-mail address.");
    account->setText(QString(250, 'a') + "@home.net");
    expectRefused(account, "is 259 characters long; at most 255 fit.");
  }
  // A port typed with the name is the one used: the port field shows it, greyed.
  QSpinBox* port = Spin("spnSMTPPort");
  server->setText("[::1]:2526");
  EXPECT_EQ(port->value(), 2526);
  EXPECT_FALSE(port->isEnabled());
  server->setText("mail.example.net");
  EXPECT_TRUE(port->isEnabled());
  server->setText("[::1]:2526");
  account->setText("acct@example.net");
  Click("cmdOK");
  EXPECT_EQ(TakeRefusal(dialog), QString());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(IniRead("E-Mail", "SMTP_Server"), "[::1]:2526");  // as typed
  EXPECT_EQ(IniRead("E-Mail", "From"), "me@home.net");
}

TEST(frmOptions, EnablingFollowsTheChosenMode) {
  TempHome home;
  IniWrite("E-Mail", "Mode", "SMTP");
  IniWrite("E-Mail", "Dialog", "1");
  FilePasswordStore passwords;
  frmOptions dialog(nullptr, &passwords);
  EXPECT_TRUE(Child<QRadioButton>(dialog, "optSMTP")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(dialog, "chkShowDialog")->isChecked());
  ExpectSmtpFieldsEnabled(dialog, true);
  Child<QRadioButton>(dialog, "optMAPI")->click();
  ExpectSmtpFieldsEnabled(dialog, false);
  Child<QRadioButton>(dialog, "optSMTP")->click();
  ExpectSmtpFieldsEnabled(dialog, true);
}

TEST(frmOptions, LowerCaseModeIsRewrittenAsDesktopClient) {
  TempHome home;
  IniWrite("E-Mail", "Mode", "smtp");
  FilePasswordStore passwords;
  frmOptions dialog(nullptr, &passwords);
  EXPECT_TRUE(Child<QRadioButton>(dialog, "optMAPI")->isChecked());
  Child<QLineEdit>(dialog, "txtFrom")->setText("me@home.net");
  QTest::mouseClick(Child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(IniRead("E-Mail", "Mode"), "MAPI");
}

TEST_F(Options, SmtpFieldsApplyThenCancelKeepsThem) {
  Child<QRadioButton>(dialog, "optSMTP")->click();
  Type("txtFrom", "me@example.net");
  Type("txtSMTPServer", "mail.example.net");
  Type("txtEMail", "acct@example.net");
  EXPECT_EQ(Spin("spnSMTPPort")->value(), 587);
  Child<QComboBox>(dialog, "cmbSMTPSecurity")->setCurrentIndex(1);  // implicit TLS: the usual port follows
  EXPECT_EQ(Spin("spnSMTPPort")->value(), 465);
  Type("txtSMTPUser", "player7");
  Type("txtSMTPPassword", "pa55word");
  Click("cmdApply");
  Type("txtSMTPServer", "changed.example.net");
  Click("cmdCancel");
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(IniRead("E-Mail", "Mode"), "SMTP");
  EXPECT_EQ(IniRead("E-Mail", "SMTP_Server"), "mail.example.net");
  EXPECT_EQ(IniRead("E-Mail", "Address"), "acct@example.net");
  EXPECT_EQ(IniRead("E-Mail", "SMTP_Port"), "465");
  EXPECT_EQ(IniRead("E-Mail", "SMTP_Security"), "TLS");
  EXPECT_EQ(IniRead("E-Mail", "SMTP_User"), "player7");
  EXPECT_EQ(passwords.ReadPassword(), "pa55word");
  EXPECT_FALSE(ReadFile(home.Ini()).contains("pa55word"));

  // Shown again on the next opening; a cleared password is removed from the store.
  frmOptions again(nullptr, &passwords);
  EXPECT_EQ(Child<QLineEdit>(again, "txtSMTPPassword")->text(), "pa55word");
  EXPECT_EQ(Child<QComboBox>(again, "cmbSMTPSecurity")->currentIndex(), 1);
  Child<QLineEdit>(again, "txtSMTPPassword")->clear();
  again.Apply();
  EXPECT_FALSE(QFile::exists(passwords.Path()));
}

TEST(frmBlat, ShowsARealConversationAndCanCancel) {
  TempHome home;
  App().homeFolder = home.Path();
  SmtpTestServer server;
  ASSERT_GT(server.Port(), 0);
  UseSmtp("127.0.0.1", "me@home.net");
  IniWrite("E-Mail", "SMTP_Port", QString::number(server.Port()));
  const QString file = home.File("KOLT.KLT");
  WriteFile(file, QByteArray(5000, 'k'));

  frmBlat window;
  auto* list = Child<QListWidget>(window, "lstMessages");
  // The conversation lines up in columns: narrow and wide letters take the same room.
  const QFontMetrics metrics(list->font());
  EXPECT_EQ(metrics.horizontalAdvance("iiiiiiii"), metrics.horizontalAdvance("MMMMMMMM"));
  ScriptedUi ui;
  FilePasswordStore passwords;
  Mailer mailer(ui, &window, &passwords);
  ASSERT_TRUE(mailer.SendMail("friend@example.org", "Turn 3", "Your move", {file}, false, false))
      << ui.Texts().join("|").toStdString();
  EXPECT_FALSE(window.isVisible());  // hidden again after the send, with the last conversation kept
  EXPECT_EQ(Child<QLineEdit>(window, "txtTo")->text(), "friend@example.org");
  EXPECT_EQ(Child<QLineEdit>(window, "ZipFName")->text(), file + " (4.9 kB) ");
  EXPECT_TRUE(window.Lines().contains("> RCPT TO:<friend@example.org>"));
  EXPECT_EQ(Child<QPushButton>(window, "cmdCancel")->text(), "Close");
  SaveScreenshot(window, "frmBlat");

  // While sending, the button cancels instead of closing.
  window.Init();
  window.SetSending(true);
  window.ShowWindow();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(list->count(), 0);
  QTest::mouseClick(Child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
  EXPECT_TRUE(window.CancelRequested());
  EXPECT_TRUE(window.isVisible());
  window.SetSending(false);
  QTest::mouseClick(Child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  window.Init();
  EXPECT_FALSE(window.CancelRequested());
  App().homeFolder.clear();
}

}  // namespace

// A newly named mailbox is checked every five minutes unless the user chooses otherwise;
// his choice, 0 included, is kept.
TEST(frmOptions, ANewMailboxIsCheckedEveryFiveMinutesUnlessChosenOtherwise) {
  TempHome home;
  FilePasswordStore passwords;
  auto save = [&passwords](const char* server, int interval) {
    frmOptions dialog(nullptr, &passwords);
    const int shown = Child<QSpinBox>(dialog, "spnIMAPInterval")->value();
    Child<QLineEdit>(dialog, "txtFrom")->setText("me@home.net");
    Child<QLineEdit>(dialog, "txtIMAPServer")->setText(server);
    if (interval >= 0) Child<QSpinBox>(dialog, "spnIMAPInterval")->setValue(interval);
    EXPECT_TRUE(dialog.Apply());
    return shown;
  };
  EXPECT_EQ(save("", -1), 5);  // saved without a mailbox: still no choice made
  EXPECT_EQ(IniRead("E-Mail", "IMAP_Interval"), "5");
  WriteFile(home.Ini(), "[E-Mail]\r\nIMAP_Interval=0\r\n");
  EXPECT_EQ(save("imap.home.net", -1), 5);
  EXPECT_EQ(IniRead("E-Mail", "IMAP_Interval"), "5");
  EXPECT_EQ(save("imap.home.net", 0), 5);
  EXPECT_EQ(save("imap.home.net", -1), 0);
  EXPECT_EQ(IniRead("E-Mail", "IMAP_Interval"), "0");
}

// A real mailbox server with the user's account, named on the receiving page.
class Mailbox : public Options {
 protected:
  void SetUp() override {
    ASSERT_TRUE(certificate.Ok());
    ASSERT_TRUE(imap.Ok()) << imap.Log().toStdString();
    Type("txtFrom", "me@home.net");
    Type("txtIMAPServer", "127.0.0.1");
    Spin("spnIMAPPort")->setValue(imap.TlsPort());
  }
  TestCertificate certificate;
  DovecotTestServer imap{"me@home.net", "inbox-secret", certificate.Cert(), certificate.Key()};
};

TEST_F(Mailbox, ReceivingPageTestsTheMailboxAndKeepsItsPasswordApart) {
  const ScopedEnv trusted("KOLT_IMAP_CAINFO", certificate.Cert());
  Type("txtIMAPPassword", "wrong");
  Click("cmdIMAPTest");
  EXPECT_TRUE(Shown("lblIMAPTest").contains("Check the user name and the password"))
      << Shown("lblIMAPTest").toStdString();
  // The answer reads across the page, not down a narrow column.
  Child<QTabWidget>(dialog, "tabMail")->setCurrentIndex(1);
  dialog.show();
  SaveScreenshot(dialog, QStringLiteral("frmOptions-Receiving-test"));
  EXPECT_GT(Child<QLabel>(dialog, "lblIMAPTest")->width(), Child<QWidget>(dialog, "tabMail")->width() / 2);
  Type("txtIMAPPassword", "inbox-secret");
  Click("cmdIMAPTest");
  EXPECT_EQ(Shown("lblIMAPTest"), "Logged in as me@home.net: the folder INBOX has 0 unread messages.");

  Child<QRadioButton>(dialog, "optIMAPMove")->setChecked(true);
  Type("txtIMAPMoveTo", "Turns");
  Spin("spnIMAPInterval")->setValue(5);
  Click("cmdOK");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(IniRead("E-Mail", "IMAP_Server"), "127.0.0.1");
  EXPECT_EQ(IniRead("E-Mail", "IMAP_Security"), "TLS");
  EXPECT_EQ(IniRead("E-Mail", "IMAP_Interval"), "5");
  EXPECT_EQ(IniRead("E-Mail", "IMAP_After"), "MOVE:Turns");
  EXPECT_FALSE(ReadFile(home.Ini()).contains("inbox-secret"));
  EXPECT_EQ(ReadFile(home.File("imap-password")), "inbox-secret");
  EXPECT_FALSE(QFile::exists(home.File("smtp-password")));
}

// An untrusted certificate (IMAP and SMTP): the test shows its fingerprint, subject and
// expiry and offers to trust it; once trusted the test passes and the file keeps it.
TEST_F(Mailbox, TestOffersToTrustAnUntrustedCertificate) {
  SmtpTestServer smtp(certificate.ServerArguments("starttls"));
  ASSERT_GT(smtp.Port(), 0) << smtp.Errors().toStdString();
  Type("txtIMAPPassword", "inbox-secret");
  Child<QTabWidget>(dialog, "tabMail")->setCurrentIndex(1);
  dialog.show();
  auto* trust = Child<QPushButton>(dialog, "cmdIMAPTrust");
  EXPECT_FALSE(trust->isVisible());
  Click("cmdIMAPTest");
  const QString imapName = "127.0.0.1:" + QString::number(imap.TlsPort());
  const QString shown = Shown("lblIMAPTest");
  for (const QString& part :
       {"The certificate of the server " + imapName + " is not trusted", QString("SHA-256 fingerprint: "),
        QString("Issued to: CN"), QString("Expires: ")})
    EXPECT_TRUE(shown.contains(part)) << part.toStdString() << "\n" << shown.toStdString();
  EXPECT_TRUE(trust->isVisible());
  // What the server sent is shown as text, never as markup.
  EXPECT_EQ(Child<QLabel>(dialog, "lblIMAPTest")->textFormat(), Qt::PlainText);
  ExpectShownInFull(dialog, "lblIMAPTest");
  SaveScreenshot(dialog, QStringLiteral("frmOptions-Receiving-untrusted"));
  // The offer is for the server it names: another port takes it back.
  Spin("spnIMAPPort")->setValue(imap.PlainPort());
  EXPECT_FALSE(trust->isVisible());
  Spin("spnIMAPPort")->setValue(imap.TlsPort());
  Click("cmdIMAPTest");
  ASSERT_TRUE(trust->isVisible());
  QTest::mouseClick(trust, Qt::LeftButton);
  EXPECT_EQ(Shown("lblIMAPTest"), "Logged in as me@home.net: the folder INBOX has 0 unread messages.");
  EXPECT_FALSE(trust->isVisible());
  EXPECT_TRUE(ReadFile(home.File("trusted-certificates")).contains(imapName.toUtf8()));

  Child<QTabWidget>(dialog, "tabMail")->setCurrentIndex(0);
  Child<QRadioButton>(dialog, "optSMTP")->setChecked(true);
  const QString smtpName = "127.0.0.1:" + QString::number(smtp.Port());
  Type("txtSMTPServer", smtpName);
  Type("txtEMail", "me@home.net");
  Click("cmdSMTPTest");
  EXPECT_TRUE(Shown("lblSMTPTest").contains("The certificate of the server " + smtpName + " is not trusted"))
      << Shown("lblSMTPTest").toStdString();
  ExpectShownInFull(dialog, "lblSMTPTest");
  SaveScreenshot(dialog, QStringLiteral("frmOptions-Sending-untrusted"));
  Click("cmdSMTPTrust");
  EXPECT_EQ(Shown("lblSMTPTest"), "Connected to " + smtpName + " (no password: no login tried).");
  EXPECT_TRUE(smtp.Messages().empty());
}
