#include "model/Status.h"

#include "core/FileNames.h"

#include <QFileInfo>
#include <QLocale>

namespace kolt {

QString DecideStatus(const QString& m, const QString& s, const QString& r) {
  // Ordinal comparison: the stamps are fixed-width text.
  auto cmp = [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseSensitive); };
  if (s.isEmpty() && r.isEmpty()) return status::New;
  if (s.isEmpty()) {
    if (cmp(m, r) > 0) return status::Send;
    if (cmp(m, r) == 0) return status::Play;
    return status::Unknown;
  }
  if (r.isEmpty()) {
    if (cmp(m, s) > 0) return status::PlaySend;
    if (cmp(m, s) == 0) return status::Wait;
    return status::Unknown;
  }
  if (cmp(m, s) <= 0) {
    // The file still carries the stamp stored at sending: that wins over a receipt.
    if (cmp(m, s) == 0) return status::Wait;
    if (cmp(m, r) == 0) return status::Play;
    return status::Unknown;
  }
  if (cmp(m, r) > 0) return status::Send;
  if (cmp(m, r) == 0) return status::Play;
  return status::Unknown;
}

QString FormatStamp(const QDateTime& time) {
  if (!time.isValid()) return QString();
  return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString FormatModified(const QDateTime& time) {
  if (!time.isValid()) return QString();
  return QLocale::system().toString(time, QLocale::ShortFormat);
}

QString FileStamp(const QString& path) {
  if (path.isEmpty()) return QString();
  const std::optional<FolderEntry> entry = FileEntryAt(path);
  return entry && entry->IsFile() ? FormatStamp(entry->Modified()) : QString();
}

QString FileModifiedText(const QString& path) {
  if (path.isEmpty()) return QString();
  const std::optional<FolderEntry> entry = FileEntryAt(path);
  return entry && entry->IsFile() ? FormatModified(entry->Modified()) : QString();
}

bool IsStatusBold(const QString& word, const QString& address) {
  if (address == QStringLiteral("-")) return false;
  return word == status::Play || word == status::Send || word == status::Host;
}

}  // namespace kolt
