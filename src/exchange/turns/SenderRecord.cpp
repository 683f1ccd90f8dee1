#include "exchange/turns/SenderRecord.h"

#include <QFile>
#include <QStringList>
#include <algorithm>

#include "core/TextCodec.h"
#include "core/Utilities.h"

namespace kolt {
namespace {

// Four short lines never need more; a larger file is not read further.
constexpr qint64 kReadLimit = 4096;
constexpr qsizetype kFieldLimit = 255;
// The address is not cut to what a settings value holds: a cut list still looks like one
// and would mail to a fragment. The receiving side refuses a longer one as a whole.
constexpr qsizetype kAddressReadLimit = 1024;

QString CleanField(const QString& text, qsizetype limit = kFieldLimit) {
  QString out;
  out.reserve(std::min(text.size(), limit));
  for (QChar c : text) {
    if (out.size() >= limit) break;
    out += IsUnsafeForDisplay(c) ? QChar(' ') : c;
  }
  return out.trimmed();
}

}  // namespace

QByteArray SenderFileBytes(const SenderRecord& record) {
  const QString crlf = QStringLiteral("\r\n");
  const QString text = record.address + crlf + record.timeZoneText + crlf + QString::number(record.bias) +
                       crlf + record.version + crlf;
  // The whole file in one encoding: Windows-1252, what older readers expect, unless the
  // text needs more or its bytes would read as other text (a reader tries UTF-8 first,
  // and "Ã€" in Windows-1252 is "À" in UTF-8).
  QByteArray bytes;
  if (EncodeCp1252(text, &bytes) && DecodeText(bytes) == text) return bytes;
  return text.toUtf8();
}

SenderRecord ParseSenderFile(const QByteArray& bytes) {
  QString text = DecodeText(bytes.left(kReadLimit));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  const QStringList lines = text.split(QChar('\n'));
  SenderRecord r;
  r.address = CleanField(lines.value(0), kAddressReadLimit);
  r.timeZoneText = CleanField(lines.value(1));
  r.bias = static_cast<int>(
      std::clamp<long long>(LeadingInteger(CleanField(lines.value(2))), -24LL * 60, 24LL * 60));
  r.version = CleanField(lines.value(3));
  return r;
}

bool ReadSenderFile(const QString& path, SenderRecord* record) {
  // Never opened when it is not a regular file: a pipe would wait for a writer.
  const std::optional<QByteArray> bytes = ReadFileHead(path, kReadLimit);
  if (!bytes) return false;
  *record = ParseSenderFile(*bytes);
  return true;
}

}  // namespace kolt
