#include "model/Status.h"

#include "core/FileNames.h"
#include "model/Program.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <cstdio>
#include <ctime>

namespace kolt {

QString DecideStatus(const QString& m, const QString& s, const QString& r) {
  return DecideStatus(Stamp::FromText(m), Stamp::FromText(s), Stamp::FromText(r));
}

QString DecideStatus(const Stamp& m, const Stamp& s, const Stamp& r) {
  if (s.IsEmpty() && r.IsEmpty()) return status::New;
  if (s.IsEmpty()) {
    if (m > r) return status::Send;
    if (m == r) return status::Play;
    return status::Unknown;
  }
  if (r.IsEmpty()) {
    if (m > s) return status::PlaySend;
    if (m == s) return status::Wait;
    return status::Unknown;
  }
  if (m <= s) {
    // The file still carries the stamp stored at sending: that wins over a receipt.
    if (m == s) return status::Wait;
    if (m == r) return status::Play;
    return status::Unknown;
  }
  if (m > r) return status::Send;
  if (m == r) return status::Play;
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

namespace {

// The wall-clock time of a file time in the local zone. localtime_r reads the zone once
// per process, where every local QDateTime asks the C library to check it again (a stat
// of /etc/localtime): two per game and refresh.
bool LocalWallClock(const FolderEntry& entry, QDate* date, QTime* time) {
  const auto secs = static_cast<time_t>(entry.mtimeNs / 1000000000LL - (entry.mtimeNs < 0 ? 1 : 0));
  struct tm tm {};
  if (!::localtime_r(&secs, &tm)) return false;
  *date = QDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
  *time = QTime(tm.tm_hour, tm.tm_min, tm.tm_sec);
  return date->isValid() && time->isValid();
}

}  // namespace

QString StampOf(const FolderEntry& entry) {
  return Stamp::OfFile(entry).Text();
}

QString ModifiedTextOf(const FolderEntry& entry) {
  static const QLocale locale = QLocale::system();
  static const QString format = locale.dateTimeFormat(QLocale::ShortFormat);
  // The texts of the times shown last: a refresh shows the same times again.
  static QHash<qint64, QString> shown;
  const qint64 secs = entry.mtimeNs / 1000000000LL - (entry.mtimeNs < 0 ? 1 : 0);
  const auto known = shown.constFind(secs);
  if (known != shown.constEnd()) return *known;
  QDate date;
  QTime time;
  QString text;
  // A format that shows the zone needs the real local time.
  if (format.contains(QChar('t')) || !LocalWallClock(entry, &date, &time)) {
    text = FormatModified(entry.Modified());
  } else {
    text = locale.toString(QDateTime(date, time, Qt::UTC), format);
  }
  if (shown.size() >= 50000) shown.clear();
  shown.insert(secs, text);
  return text;
}

QString FileStamp(const QString& path) {
  if (path.isEmpty()) return QString();
  const std::optional<FolderEntry> entry = FileEntryAt(path);
  return entry && entry->IsFile() ? StampOf(*entry) : QString();
}

QString ProgramStateText(ProgramState state) {
  return state == ProgramState::Running ? QStringLiteral("Running") : QStringLiteral("Not running");
}

QString ShownStatus(const QString& word) {
  struct Word {
    const char* text;
    const char* kind;
  };
  static const Word kWords[] = {
      QT_TRANSLATE_NOOP3("Status", "New", "game status"),
      QT_TRANSLATE_NOOP3("Status", "Play", "game status"),
      QT_TRANSLATE_NOOP3("Status", "Send", "game status"),
      QT_TRANSLATE_NOOP3("Status", "Wait", "game status"),
      QT_TRANSLATE_NOOP3("Status", "Play/Send", "game status"),
      QT_TRANSLATE_NOOP3("Status", "Unknown", "game status"),
      QT_TRANSLATE_NOOP3("Status", "Host", "game status"),
      QT_TRANSLATE_NOOP3("Status", "Wait/Host", "game status"),
      QT_TRANSLATE_NOOP3("Status", "Dead", "game status"),
      QT_TRANSLATE_NOOP3("Status", "Running", "program state"),
      QT_TRANSLATE_NOOP3("Status", "Not running", "program state"),
  };
  for (const Word& w : kWords) {
    if (word == QLatin1String(w.text)) return QCoreApplication::translate("Status", w.text, w.kind);
  }
  return word;
}

bool IsStatusBold(const QString& word, const QString& address) {
  if (address == QStringLiteral("-")) return false;
  return word == status::Play || word == status::Send || word == status::Host;
}

}  // namespace kolt
