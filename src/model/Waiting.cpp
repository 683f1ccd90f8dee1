#include "model/Waiting.h"

#include <QCoreApplication>
#include <algorithm>

#include "model/Status.h"

namespace kolt {

QDateTime StampTime(const QString& stamp) {
  return QDateTime::fromString(stamp, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

qint64 WaitingSeconds(const QString& status, const QString& m, const QString& s, const QString& r,
                      const QDateTime& now, const TurnMoments& moments) {
  if (!now.isValid()) return -1;
  return WaitingSeconds(status, Stamp::FromText(m), Stamp::FromText(s), Stamp::FromText(r),
                        now.toSecsSinceEpoch(), moments);
}

qint64 WaitingSeconds(const QString& status, const Stamp& m, const Stamp& s, const Stamp& r, qint64 now,
                      const TurnMoments& moments) {
  const Stamp* since = nullptr;
  const QDateTime* recorded = nullptr;
  if (status == status::Play) {
    since = &r;
    recorded = &moments.received;
  } else if (status == status::Wait || status == status::WaitHost) {
    since = &s;
    recorded = &moments.sent;
  } else if (status == status::Send || status == status::PlaySend || status == status::Host ||
             status == status::New) {
    since = &m;
  } else {
    return -1;
  }
  qint64 from = since->EpochSeconds();
  // The file's time is when the turn was saved, which may be long before it went out or
  // came in; a history entry older than the stamp belongs to an earlier turn.
  if (recorded && recorded->isValid()) {
    const qint64 at = recorded->toSecsSinceEpoch();
    if (from < 0 || at > from) from = at;
  }
  if (from < 0) return -1;
  return std::max<qint64>(0, now - from);
}

QString WaitingText(qint64 seconds) {
  if (seconds < 0) return QString();
  constexpr qint64 kHour = 3600;
  constexpr qint64 kDay = 24 * kHour;
  if (seconds < kHour) return QString::number(seconds / 60) + QStringLiteral(" min");
  if (seconds < kDay) return QString::number(seconds / kHour) + QStringLiteral(" h");
  return QString::number(seconds / kDay) + QStringLiteral(" d");
}

QString ShownWaitingText(qint64 seconds) {
  if (seconds < 0) return QString();
  constexpr qint64 kHour = 3600;
  constexpr qint64 kDay = 24 * kHour;
  //: minutes a game has waited, as the lists show it
  if (seconds < kHour) return QCoreApplication::translate("Waiting", "%1 min").arg(seconds / 60);
  //: hours a game has waited
  if (seconds < kDay) return QCoreApplication::translate("Waiting", "%1 h").arg(seconds / kHour);
  //: days a game has waited
  return QCoreApplication::translate("Waiting", "%1 d").arg(seconds / kDay);
}

bool IsLate(const QString& status, qint64 seconds, int lateDays) {
  return lateDays > 0 && status == status::Play && seconds > static_cast<qint64>(lateDays) * 24 * 3600;
}

}  // namespace kolt
