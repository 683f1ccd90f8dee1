#include "core/AppSettings.h"

#include <arpa/inet.h>

#include <algorithm>

#include "core/Settings.h"
#include "core/Utilities.h"

namespace kolt {
namespace {

const QString kMail = QStringLiteral("E-Mail");
const QString kSettings = QStringLiteral("Settings");
const QString kAddresses = QStringLiteral("Addresses");
const QString kText = QStringLiteral("Text");

QString Read(const QString& section, const char* key, const QString& defaultValue = QString()) {
  return IniRead(section, QString::fromLatin1(key), defaultValue);
}

bool Write(const QString& section, const char* key, const QString& value) {
  return IniWrite(section, QString::fromLatin1(key), value);
}

bool IsIpv6(const QString& text) {
  in6_addr address{};
  return inet_pton(AF_INET6, text.toLatin1().constData(), &address) == 1 && text.toLatin1() == text.toUtf8();
}

// A host name or IPv4 address: dot-separated labels of letters, digits, '-' and '_'.
bool IsHostName(const QString& text) {
  if (text.isEmpty()) return false;
  for (const QString& label : text.split(QChar('.'))) {
    if (label.isEmpty()) return false;
    for (QChar c : label) {
      if (!c.isLetterOrNumber() && c != QChar('-') && c != QChar('_')) return false;
    }
  }
  return true;
}

// 1 to 65535 in plain digits; 0 for anything else.
int PortNumber(const QString& text) {
  if (text.isEmpty() || text.size() > 5) return 0;
  for (QChar c : text) {
    if (c < QChar('0') || c > QChar('9')) return 0;
  }
  const int port = text.toInt();
  return port <= 65535 ? port : 0;
}

}  // namespace

std::optional<SmtpServerText> ParseSmtpServer(const QString& text) {
  const QString t = text.trimmed();
  SmtpServerText result;
  QString portText;
  bool hasPort = false;
  if (t.startsWith(QChar('['))) {
    const qsizetype close = t.indexOf(QChar(']'));
    if (close < 0) return std::nullopt;
    result.host = t.mid(1, close - 1);
    const QString rest = t.mid(close + 1);
    if (!rest.isEmpty()) {
      if (!rest.startsWith(QChar(':'))) return std::nullopt;
      portText = rest.mid(1);
      hasPort = true;
    }
    if (!IsIpv6(result.host)) return std::nullopt;
  } else if (t.count(QChar(':')) > 1) {
    // Without brackets an IPv6 address cannot carry a port.
    result.host = t;
    if (!IsIpv6(result.host)) return std::nullopt;
  } else {
    const qsizetype colon = t.indexOf(QChar(':'));
    result.host = colon < 0 ? t : t.left(colon);
    if (colon >= 0) {
      portText = t.mid(colon + 1);
      hasPort = true;
    }
    if (!IsHostName(result.host)) return std::nullopt;
  }
  if (hasPort) {
    result.port = PortNumber(portText);
    if (result.port == 0) return std::nullopt;
  }
  return result;
}

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
  MailSettings s;
  s.mode = MailMode();
  s.server = Read(kMail, "SMTP_Server");
  s.account = Read(kMail, "Address");
  s.from = GetOwnAddress();
  s.dialog = IsDialogEnabled();
  s.security = SecurityFromName(Read(kMail, "SMTP_Security"));
  // Without a port of its own, implicit TLS means the smtps port.
  const long long port = LeadingInteger(Read(kMail, "SMTP_Port"));
  if (port > 0 && port <= 65535)
    s.port = static_cast<int>(port);
  else
    s.port = s.security == SmtpSecurity::Tls ? kDefaultSmtpsPort : kDefaultSmtpPort;
  s.user = Read(kMail, "SMTP_User");
  return s;
}

bool WriteMailSettings(const MailSettings& s) {
  // Every key is tried, so one failure does not leave the others unwritten.
  bool ok = Write(kMail, "From", s.from);
  ok = Write(kMail, "Mode", s.mode) && ok;
  ok = Write(kMail, "Address", s.account) && ok;
  ok = Write(kMail, "SMTP_Server", s.server) && ok;
  ok = Write(kMail, "Dialog", s.dialog ? QStringLiteral("1") : QString()) && ok;
  ok = Write(kMail, "SMTP_Port", QString::number(s.port)) && ok;
  ok = Write(kMail, "SMTP_Security", SecurityName(s.security)) && ok;
  ok = Write(kMail, "SMTP_User", s.user.trimmed()) && ok;
  return ok;
}

QString ImapSecurityName(ImapSecurity security) {
  switch (security) {
    case ImapSecurity::StartTls:
      return QStringLiteral("STARTTLS");
    case ImapSecurity::None:
      return QStringLiteral("NONE");
    case ImapSecurity::Tls:
      break;
  }
  return QStringLiteral("TLS");
}

ImapSecurity ImapSecurityFromName(const QString& name) {
  const QString n = name.trimmed().toUpper();
  if (n == QLatin1String("STARTTLS")) return ImapSecurity::StartTls;
  if (n == QLatin1String("NONE")) return ImapSecurity::None;
  // Anything else keeps the safe default rather than reading mail in clear text.
  return ImapSecurity::Tls;
}

QString ImapSettings::LoginUser() const {
  if (!user.trimmed().isEmpty()) return user.trimmed();
  const QString account = Read(kMail, "Address").trimmed();
  return account.isEmpty() ? GetOwnAddress().trimmed() : account;
}

ImapSettings ReadImapSettings() {
  ImapSettings s;
  s.server = Read(kMail, "IMAP_Server").trimmed();
  s.security = ImapSecurityFromName(Read(kMail, "IMAP_Security"));
  const long long port = LeadingInteger(Read(kMail, "IMAP_Port"));
  if (port > 0 && port <= 65535)
    s.port = static_cast<int>(port);
  else
    s.port = s.security == ImapSecurity::Tls ? kDefaultImapsPort : kDefaultImapPort;
  s.user = Read(kMail, "IMAP_User");
  const QString folder = Read(kMail, "IMAP_Folder").trimmed();
  if (!folder.isEmpty()) s.folder = folder;
  s.interval =
      static_cast<int>(std::clamp<long long>(LeadingInteger(Read(kMail, "IMAP_Interval")), 0, 24LL * 60));
  const QString after = Read(kMail, "IMAP_After").trimmed();
  if (after.startsWith(QLatin1String("MOVE:"), Qt::CaseInsensitive) && after.size() > 5) {
    s.after = ImapAfter::Move;
    s.moveTo = after.mid(5).trimmed();
  }
  return s;
}

bool WriteImapSettings(const ImapSettings& s) {
  bool ok = Write(kMail, "IMAP_Server", s.server.trimmed());
  ok = Write(kMail, "IMAP_Port", QString::number(s.port)) && ok;
  ok = Write(kMail, "IMAP_Security", ImapSecurityName(s.security)) && ok;
  ok = Write(kMail, "IMAP_User", s.user.trimmed()) && ok;
  ok = Write(kMail, "IMAP_Folder", s.folder.trimmed()) && ok;
  ok = Write(kMail, "IMAP_Interval", QString::number(std::max(0, s.interval))) && ok;
  const bool move = s.after == ImapAfter::Move && !s.moveTo.trimmed().isEmpty();
  ok = Write(kMail, "IMAP_After",
             move ? QStringLiteral("MOVE:") + s.moveTo.trimmed() : QStringLiteral("READ")) &&
       ok;
  return ok;
}

QString GetOwnAddress() {
  return Read(kMail, "From");
}

bool IsDialogEnabled() {
  return LeadingNumber(Read(kMail, "Dialog")) != 0;
}

QString MailMode() {
  return Read(kMail, "Mode");
}

QString WorkingFolderSetting() {
  return Read(kSettings, "WorkingFolder");
}

bool SetWorkingFolderSetting(const QString& folder) {
  return Write(kSettings, "WorkingFolder", folder);
}

bool TauntEnabled() {
  return LeadingNumber(Read(kSettings, "Taunt")) != 0;
}

bool SetTauntEnabled(bool enabled) {
  return Write(kSettings, "Taunt", enabled ? QStringLiteral("1") : QStringLiteral("0"));
}

QString WineCommand() {
  const QString wine = Read(kSettings, "Wine").trimmed();
  return wine.isEmpty() ? QStringLiteral("wine") : wine;
}

QString InformedVersion() {
  return Read(kSettings, "Informed");
}

bool SetInformedVersion(const QString& version) {
  return Write(kSettings, "Informed", version);
}

QByteArray WindowGeometry() {
  return QByteArray::fromBase64(Read(kSettings, "Window").toLatin1());
}

bool SetWindowGeometry(const QByteArray& geometry) {
  return Write(kSettings, "Window", QString::fromLatin1(geometry.toBase64()));
}

QStringList RemovedPrograms() {
  return Read(kSettings, "RemovedPrograms").split(QChar(','), Qt::SkipEmptyParts);
}

bool SetRemovedPrograms(const QStringList& names) {
  return Write(kSettings, "RemovedPrograms", JoinNonEmpty(names));
}

QStringList AddressBook() {
  QStringList addresses;
  for (int n = 0;; ++n) {
    const QString address = IniRead(kAddresses, QString::number(n));
    if (address.isEmpty()) break;
    addresses.append(address);
  }
  return addresses;
}

bool AddToAddressBook(const QString& address) {
  int key = 0;
  for (;; ++key) {
    const QString stored = IniRead(kAddresses, QString::number(key));
    if (stored.isEmpty()) break;
    if (stored.compare(address, Qt::CaseInsensitive) == 0) return true;
  }
  // Past the first gap the book is not read; an address stored there stays unseen.
  return IniWrite(kAddresses, QString::number(key), address);
}

QStringList TauntTexts() {
  QStringList texts;
  for (const QString& line : IniReadSection(kText)) {
    const qsizetype eq = line.indexOf(QChar('='));
    if (eq < 0) continue;
    const QString text = line.mid(eq + 1);
    if (!text.isEmpty()) texts.append(text);
  }
  return texts;
}

bool SetTauntTexts(const QStringList& texts) {
  QStringList lines;
  for (qsizetype i = 0; i < texts.size(); ++i) lines.append(QString::number(i) + QChar('=') + texts[i]);
  return IniWriteSection(kText, lines);
}

}  // namespace kolt
