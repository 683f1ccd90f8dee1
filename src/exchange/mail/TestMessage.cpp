#include "exchange/mail/TestMessage.h"

#include <QCoreApplication>
#include <QFile>

#include "core/AppSettings.h"
#include "core/Startup.h"
#include "core/UiPort.h"
#include "core/Utilities.h"
#include "exchange/mail/MailTransport.h"

namespace kolt {
namespace {

const QString kProgramName = QStringLiteral("KOLT");
const QByteArray kContent = QByteArrayLiteral("TEST");

}  // namespace

QString TestMessagePath() {
  return App().instanceFolder + QStringLiteral("/TEST.") + QStringLiteral("KLT");
}

std::optional<QString> MailTestMessage(UiPort& ui, MailTransport& transport) {
  const QString own = GetOwnAddress().trimmed();
  if (own.isEmpty()) {
    ui.ShowError(QCoreApplication::translate("TestMessage",
                                             "You have not defined your own e-mail address!\r\r"
                                             "Enter it as \"From\" under Options > Sending e-mail."));
    return std::nullopt;
  }
  const QString path = TestMessagePath();
  QFile file(path);
  // Without an instance folder there is no place of our own to write into.
  if (App().instanceFolder.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    ui.ShowError(QCoreApplication::translate("TestMessage", "Can't create test file: %1").arg(path));
    return std::nullopt;
  }
  const bool written = file.write(kContent) == kContent.size();
  file.close();
  if (!written) {
    ui.ShowError(QCoreApplication::translate("TestMessage", "Can't create test file: %1").arg(path));
    return std::nullopt;
  }
  if (!transport.SendMail(GetOwnAddress(), kProgramName + QStringLiteral(" Test"),
                          kProgramName + QStringLiteral(" text"), {path}, true, false))
    return std::nullopt;
  return own;
}

bool SendTestMessage(UiPort& ui, MailTransport& transport) {
  const std::optional<QString> to = MailTestMessage(ui, transport);
  if (!to) return false;
  ui.MsgBox(TestMessageSentText(*to), Buttons::Ok, Icon::Information, AppTitle(), 1);
  return true;
}

QString TestMessageSentText(const QString& address) {
  return QCoreApplication::translate(
             "TestMessage",
             "The test message was sent to %1. When it arrives, open its attachment TEST.KLT with %2.")
      .arg(address, AppTitle());
}

bool IsTestMessageFile(const QString& path) {
  // Only a regular file is looked into: a pipe would wait for a writer.
  const std::optional<QByteArray> head = ReadFileHead(path, kContent.size() + 1);
  return head && *head == kContent;
}

QString TestMessageCongratulation() {
  return QCoreApplication::translate("TestMessage",
                                     "Congratulations! You have successfully sent a %1 test message.")
      .arg(kProgramName);
}

bool ShowIfTestMessage(UiPort& ui, const QString& path) {
  if (!IsTestMessageFile(path)) return false;
  ui.MsgBox(TestMessageCongratulation(), Buttons::Ok, Icon::Information, AppTitle(), 1);
  return true;
}

}  // namespace kolt
