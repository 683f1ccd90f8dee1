#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// Texts of an outgoing message: recipients and header fields.
namespace kolt {

// Splits the address text at ';', trims blanks around each address and drops empty
// ones; unless `allowSelf`, an address equal to `own` (without regard to case) is
// dropped too. Control characters are removed, so an address can never carry a
// command or header line of its own.
QStringList SplitRecipients(const QString& addressText, const QString& own, bool allowSelf);

// One plain address, local@domain, as an SMTP envelope takes it: no blanks, control
// characters, display name, angle brackets or list separators; a domain of non-empty
// dot-separated labels, or an address literal in brackets. Leading and trailing blanks
// are not ignored: callers trim first.
bool IsPlainAddress(const QString& address);

// Why `text` is not an address list that may be stored for a game or mailed to, or
// nullopt when it is one: plain addresses (IsPlainAddress) separated by ';', blanks
// around each allowed, no empty entry, the whole at most 255 characters (what a
// settings value holds). An empty or blank text is not a list: callers decide what no
// address means.
std::optional<QString> AddressListProblem(const QString& text);

// A header value: CR, LF and other control characters become blanks; text that is not
// plain ASCII becomes RFC 2047 encoded words (UTF-8, base64), split on character
// boundaries so no word exceeds 75 characters.
QByteArray EncodeHeaderText(const QString& text);

// RFC 5322 date with English names and the numeric offset: "Tue, 05 Mar 2024 14:07:09 +0100".
QByteArray FormatMailDate(const QDateTime& when);

// "<random.time@domain>", the domain taken from `address` ("kolt.invalid" when it has none).
QByteArray MakeMessageId(const QString& address);

}  // namespace kolt
