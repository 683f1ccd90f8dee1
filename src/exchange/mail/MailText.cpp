#include "exchange/mail/MailText.h"
#include "core/Settings.h"
#include "core/TextCodec.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTimeZone>

namespace kolt {
namespace {

// A game's addresses are one settings value.
constexpr qsizetype kAddressListMax = kIniValueMax;

QString WithoutControls(const QString& text, QChar replacement) {
  return SafeForDisplay(text, replacement);
}

bool IsPlainAscii(const QString& text) {
  for (QChar c : text) {
    if (c.unicode() > 0x7e) return false;
  }
  return true;
}

}  // namespace

QStringList SplitRecipients(const QString& addressText, const QString& own, bool allowSelf) {
  QStringList result;
  const QStringList parts = addressText.split(QChar(';'));
  for (const QString& part : parts) {
    const QString address = WithoutControls(part, QChar()).trimmed();
    if (address.isEmpty()) continue;
    if (!allowSelf && address.compare(own.trimmed(), Qt::CaseInsensitive) == 0) continue;
    result.append(address);
  }
  return result;
}

bool IsPlainAddress(const QString& address) {
  // The longest address a server has to take (RFC 5321: 64 for the local part, a path
  // of 256 with its brackets).
  if (address.size() > 254) return false;
  for (QChar c : address) {
    // Line breaks, bidirectional marks and other invisible characters have no place in
    // an address, and would make the one shown differ from the one used.
    const QChar::Category category = c.category();
    if (category == QChar::Other_Control || category == QChar::Other_Format ||
        category == QChar::Other_Surrogate || category == QChar::Other_NotAssigned ||
        category == QChar::Other_PrivateUse || c.isSpace())
      return false;
  }
  const qsizetype at = address.lastIndexOf(QChar('@'));
  if (at <= 0 || at > 64 || at == address.size() - 1) return false;
  const QString local = address.left(at);
  const QString domain = address.mid(at + 1);
  // Quoted local parts are legal but never seen in practice; refusing them keeps the
  // address safe in every place it is written.
  static const QString kNotInLocal = QStringLiteral(" \"(),:;<>@[\\]");
  for (QChar c : local) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.isSpace() || kNotInLocal.contains(c)) return false;
  }
  if (local.startsWith(QChar('.')) || local.endsWith(QChar('.')) || local.contains(QStringLiteral("..")))
    return false;
  if (domain.startsWith(QChar('[')) && domain.endsWith(QChar(']'))) {
    const QString literal = domain.mid(1, domain.size() - 2);
    if (literal.isEmpty()) return false;
    for (QChar c : literal) {
      if (!c.isLetterOrNumber() && c != QChar('.') && c != QChar(':')) return false;
    }
    return true;
  }
  for (const QString& label : domain.split(QChar('.'))) {
    if (label.isEmpty() || label.startsWith(QChar('-')) || label.endsWith(QChar('-'))) return false;
    for (QChar c : label) {
      if (!c.isLetterOrNumber() && c != QChar('-')) return false;
    }
  }
  return true;
}

std::optional<QString> AddressListProblem(const QString& text) {
  const QString shown =
      SafeForDisplay(text.size() > 80 ? text.left(80) + QStringLiteral("...") : text, QChar(' '));
  if (text.trimmed().size() > kAddressListMax) {
    return QCoreApplication::translate(
               "MailText",
               "The address list is %1 characters long; at most %2 fit. Send to fewer addresses at once.")
        .arg(QString::number(text.trimmed().size()), QString::number(kAddressListMax));
  }
  const QStringList parts = text.split(QChar(';'));
  for (const QString& part : parts) {
    // Blanks around an entry are how people write lists; nothing else is trimmed.
    qsizetype start = 0;
    qsizetype end = part.size();
    while (start < end && (part[start] == QChar(' ') || part[start] == QChar('\t'))) ++start;
    while (end > start && (part[end - 1] == QChar(' ') || part[end - 1] == QChar('\t'))) --end;
    const QString address = part.mid(start, end - start);
    if (address.isEmpty()) {
      return QCoreApplication::translate("MailText",
                                         R"("%1" has an empty entry; separate the addresses by one ";".)")
          .arg(shown);
    }
    if (!IsPlainAddress(address)) {
      const QString one = SafeForDisplay(
          address.size() > 80 ? address.left(80) + QStringLiteral("...") : address, QChar(' '));
      return QCoreApplication::translate(
                 "MailText",
                 "\"%1\" is not an e-mail address. Enter addresses such as name@example.com, several "
                 "separated by \";\".")
          .arg(one);
    }
  }
  return std::nullopt;
}

QByteArray EncodeHeaderText(const QString& text) {
  const QString clean = WithoutControls(text, QChar(' '));
  if (IsPlainAscii(clean)) return clean.toLatin1();
  // 45 bytes of UTF-8 give 60 base64 characters, 72 with "=?UTF-8?B?" and "?=".
  constexpr int kChunk = 45;
  QByteArray out;
  QByteArray chunk;
  auto flush = [&]() {
    if (chunk.isEmpty()) return;
    if (!out.isEmpty()) out.append(' ');
    out.append("=?UTF-8?B?").append(chunk.toBase64()).append("?=");
    chunk.clear();
  };
  for (qsizetype i = 0; i < clean.size(); ++i) {
    // A surrogate pair stays in one word.
    qsizetype n = (clean.at(i).isHighSurrogate() && i + 1 < clean.size()) ? 2 : 1;
    const QByteArray bytes = clean.mid(i, n).toUtf8();
    if (chunk.size() + bytes.size() > kChunk) flush();
    chunk.append(bytes);
    i += n - 1;
  }
  flush();
  return out;
}

QByteArray FormatMailDate(const QDateTime& when) {
  static const char* const days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const QDate d = when.date();
  const QTime t = when.time();
  const int offset = when.offsetFromUtc() / 60;
  const int absOffset = offset < 0 ? -offset : offset;
  return QStringLiteral("%1, %2 %3 %4 %5:%6:%7 %8%9%10")
      .arg(QLatin1String(days[d.dayOfWeek() - 1]))
      .arg(d.day(), 2, 10, QChar('0'))
      .arg(QLatin1String(months[d.month() - 1]))
      .arg(d.year(), 4, 10, QChar('0'))
      .arg(t.hour(), 2, 10, QChar('0'))
      .arg(t.minute(), 2, 10, QChar('0'))
      .arg(t.second(), 2, 10, QChar('0'))
      .arg(offset < 0 ? QChar('-') : QChar('+'))
      .arg(absOffset / 60, 2, 10, QChar('0'))
      .arg(absOffset % 60, 2, 10, QChar('0'))
      .toLatin1();
}

QByteArray MakeMessageId(const QString& address) {
  QString domain = address.section(QChar('@'), 1).trimmed();
  QString cleanDomain;
  for (QChar c : domain) {
    if (c.isLetterOrNumber() && c.unicode() < 0x80)
      cleanDomain.append(c);
    else if (c == QChar('.') || c == QChar('-'))
      cleanDomain.append(c);
  }
  if (cleanDomain.isEmpty()) cleanDomain = QStringLiteral("kolt.invalid");
  const quint64 random = QRandomGenerator::system()->generate64();
  return QStringLiteral("<%1.%2@%3>")
      .arg(random, 16, 16, QChar('0'))
      .arg(QDateTime::currentMSecsSinceEpoch(), 0, 36)
      .arg(cleanDomain)
      .toLatin1();
}

}  // namespace kolt
