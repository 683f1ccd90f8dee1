#include "model/Waiting.h"

#include <algorithm>

#include "model/Status.h"

namespace kolt {

QDateTime StampTime(const QString& stamp) {
  return QDateTime::fromString(stamp, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

qint64 WaitingSeconds(const QString& status, const QString& m, const QString& s, const QString& r,
                      const QDateTime& now, const TurnMoments& moments) {
  QString since;
  QDateTime recorded;
  if (status == status::Play) {
    since = r;
    recorded = moments.received;
  } else if (status == status::Wait || status == status::WaitHost) {
    since = s;
    recorded = moments.sent;
  } else if (status == status::Send || status == status::PlaySend || status == status::Host ||
             status == status::New) {
    since = m;
  } else {
    return -1;
  }
  QDateTime from = StampTime(since);
  // The file's time is when the turn was saved, which may be long before it went out or
  // came in; a history entry older than the stamp belongs to an earlier turn.
  if (recorded.isValid() && (!from.isValid() || recorded > from)) from = recorded;
  if (!from.isValid() || !now.isValid()) return -1;
  return std::max<qint64>(0, from.secsTo(now));
}

QString WaitingText(qint64 seconds) {
  if (seconds < 0) return QString();
  constexpr qint64 kHour = 3600;
  constexpr qint64 kDay = 24 * kHour;
  if (seconds < kHour) return QString::number(seconds / 60) + QStringLiteral(" min");
  if (seconds < kDay) return QString::number(seconds / kHour) + QStringLiteral(" h");
  return QString::number(seconds / kDay) + QStringLiteral(" d");
}

bool IsLate(const QString& status, qint64 seconds, int lateDays) {
  return lateDays > 0 && status == status::Play && seconds > static_cast<qint64>(lateDays) * 24 * 3600;
}

}  // namespace kolt
