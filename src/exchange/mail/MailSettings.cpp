#include "exchange/mail/MailSettings.h"

#include "core/Settings.h"
#include "core/Utilities.h"

namespace kolt {

QString SecurityName(SmtpSecurity security) {
  switch (security) {
    case SmtpSecurity::StartTls:
      return QStringLiteral("STARTTLS");
    case SmtpSecurity::Tls:
      return QStringLiteral("TLS");
    case SmtpSecurity::None:
      return QStringLiteral("NONE");
  }
  return QStringLiteral("STARTTLS");
}

SmtpSecurity SecurityFromName(const QString& name) {
  const QString n = name.trimmed().toUpper();
  if (n == QLatin1String("TLS")) return SmtpSecurity::Tls;
  if (n == QLatin1String("NONE")) return SmtpSecurity::None;
  // Anything else keeps the safe default rather than silently sending in clear text.
  return SmtpSecurity::StartTls;
}

MailSettings ReadMailSettings() {
  const QString section = QStringLiteral("E-Mail");
  MailSettings s;
  s.mode = IniRead(section, QStringLiteral("Mode"));
  s.server = IniRead(section, QStringLiteral("SMTP_Server"));
  s.account = IniRead(section, QStringLiteral("Address"));
  s.from = GetOwnAddress();
  s.dialog = IsDialogEnabled();
  s.security = SecurityFromName(IniRead(section, QStringLiteral("SMTP_Security")));
  // Without a port of its own, implicit TLS means the smtps port.
  const long long port = LeadingInteger(IniRead(section, QStringLiteral("SMTP_Port")));
  if (port > 0 && port <= 65535)
    s.port = static_cast<int>(port);
  else
    s.port = s.security == SmtpSecurity::Tls ? kDefaultSmtpsPort : kDefaultSmtpPort;
  s.user = IniRead(section, QStringLiteral("SMTP_User"));
  if (s.user.isEmpty()) s.user = s.account;
  return s;
}

}  // namespace kolt
