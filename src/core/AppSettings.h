#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The program's fixed settings in KOLT.INI, each with its section, key and default in
// one place. Other copies of the program read the same file, so the keys and the forms
// of their values stay exactly as they are. Writers return false (errno set) when the
// value did not reach the settings file. Per-game records live with the record code
// (model/RecordGame), and each program's own section with its adapter.
namespace kolt {

// --- [E-Mail] ---

enum class SmtpSecurity {
  StartTls,  // plain connection upgraded by STARTTLS, required (default)
  Tls,       // TLS from the first byte (smtps, usually port 465)
  None,      // no encryption at all
};

constexpr int kDefaultSmtpPort = 587;
constexpr int kDefaultSmtpsPort = 465;

// "MAPI" (the desktop mail client) and "SMTP", as stored.
inline constexpr const char* kMailModeDesktop = "MAPI";
inline constexpr const char* kMailModeSmtp = "SMTP";

// What the mail transport and the settings dialog work with; read at the moment of
// sending, so that a change in the dialog takes effect with the next message.
struct MailSettings {
  QString mode;                 // Mode: kMailModeDesktop or kMailModeSmtp; anything else: not defined
  QString server;               // SMTP_Server
  QString account;              // Address: the SMTP account address, the envelope sender
  QString from;                 // From: the user's own address, the From header
  bool dialog = false;          // Dialog
  int port = kDefaultSmtpPort;  // SMTP_Port (465 by default with implicit TLS)
  SmtpSecurity security = SmtpSecurity::StartTls;  // SMTP_Security
  QString user;                                    // SMTP_User as stored; empty: the account address

  // The name to log in with.
  QString LoginUser() const { return user.trimmed().isEmpty() ? account.trimmed() : user.trimmed(); }
};

// The SMTP server field as typed: "host", "host:port", "[IPv6]", "[IPv6]:port" or a bare
// IPv6 address. `port` is 0 when the text gives none.
struct SmtpServerText {
  QString host;  // without brackets
  int port = 0;
};
// Nullopt for an empty or malformed text (a port that is not 1 to 65535, blanks or a
// scheme such as "smtp://" in it, an empty host).
std::optional<SmtpServerText> ParseSmtpServer(const QString& text);

MailSettings ReadMailSettings();
// Writes every field; false when any of them could not be written.
[[nodiscard]] bool WriteMailSettings(const MailSettings& settings);
// "STARTTLS", "TLS", "NONE" (the stored values); unknown texts read as STARTTLS.
QString SecurityName(SmtpSecurity security);
SmtpSecurity SecurityFromName(const QString& name);

// Receiving: the mailbox that turns are fetched from.
enum class ImapSecurity {
  Tls,       // TLS from the first byte (imaps, port 993; default)
  StartTls,  // plain connection upgraded by STARTTLS, required
  None,      // no encryption at all
};

constexpr int kDefaultImapsPort = 993;
constexpr int kDefaultImapPort = 143;

// What happens to a message once its turn was taken in.
enum class ImapAfter { MarkRead, Move };

struct ImapSettings {
  QString server;                             // IMAP_Server; empty: no mailbox is checked
  int port = kDefaultImapsPort;               // IMAP_Port (143 by default without implicit TLS)
  ImapSecurity security = ImapSecurity::Tls;  // IMAP_Security: "TLS", "STARTTLS", "NONE"
  QString user;                               // IMAP_User as stored; empty: the account address
  QString folder = QStringLiteral("INBOX");   // IMAP_Folder
  int interval = 0;                           // IMAP_Interval: minutes between checks, 0: on request
  ImapAfter after = ImapAfter::MarkRead;      // IMAP_After: "READ", or "MOVE:" + folder
  QString moveTo;                             // the folder of ImapAfter::Move

  // The name to log in with: the stored one, else the SMTP account address, else the
  // user's own address.
  QString LoginUser() const;
};

ImapSettings ReadImapSettings();
[[nodiscard]] bool WriteImapSettings(const ImapSettings& settings);
QString ImapSecurityName(ImapSecurity security);
ImapSecurity ImapSecurityFromName(const QString& name);

// [E-Mail] From: the user's own address.
QString GetOwnAddress();
// [E-Mail] Dialog, read as a number, is not 0.
bool IsDialogEnabled();
// [E-Mail] Mode as stored ("" until the user chose one).
QString MailMode();

// --- [Settings] ---

// WorkingFolder: the additional working folder, "" for none.
QString WorkingFolderSetting();
[[nodiscard]] bool SetWorkingFolderSetting(const QString& folder);
// Taunt: ask for a personal text with every message.
bool TauntEnabled();
[[nodiscard]] bool SetTauntEnabled(bool enabled);
// Wine: the command that runs Windows programs ("wine" when not set).
QString WineCommand();
// Informed: the newest version of the program a peer was seen with and the user told of.
QString InformedVersion();
[[nodiscard]] bool SetInformedVersion(const QString& version);
// Window: the main window's geometry (Qt's saved form).
QByteArray WindowGeometry();
[[nodiscard]] bool SetWindowGeometry(const QByteArray& geometry);
// RemovedPrograms: short names of user-defined programs the user removed.
QStringList RemovedPrograms();
// Stores the non-empty names joined with ",".
[[nodiscard]] bool SetRemovedPrograms(const QStringList& names);

// --- [Addresses] ---

// The address book: the values under 0, 1, 2, ... up to the first empty one.
QStringList AddressBook();
// Adds `address` under the first free key (a section with duplicates or gaps must not
// lose an address); true when it was there already.
bool AddToAddressBook(const QString& address);

// --- [Text] ---

// The stored taunt texts in their order.
QStringList TauntTexts();
// Replaces them (the section is rewritten whole: "0=text", "1=text", ...).
[[nodiscard]] bool SetTauntTexts(const QStringList& texts);

}  // namespace kolt
