#pragma once

#include <QString>
#include <QStringList>

namespace kolt {

// Sends one composed e-mail by the mode chosen in the settings. The sending engine and
// the test message reach the transport only through this interface, so a test of the
// engine may hand in a stand-in.
class MailTransport {
 public:
  virtual ~MailTransport() = default;

  // `address`: one or more recipients separated by ';'. `body` uses CR LF line ends.
  // `allowSelf` keeps the user's own address among the recipients; `showDialog` asks for
  // the mail client's own message window. False after a failure (already reported to the
  // user) or a cancel (silent).
  virtual bool SendMail(const QString& address, const QString& subject, const QString& body,
                        const QStringList& attachments, bool allowSelf, bool showDialog) = 0;
};

}  // namespace kolt
