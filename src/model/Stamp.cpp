#include "model/Stamp.h"

#include <QDate>
#include <atomic>
#include <cstdio>
#include <ctime>

namespace kolt {
namespace {

std::atomic<long long> g_conversions{0};

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
qint64 DaysFromCivil(qint64 y, unsigned m, unsigned d) {
  y -= m <= 2 ? 1 : 0;
  const qint64 era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<qint64>(doe) - 719468;
}

// The local zone's offset from UTC at `t`. localtime_r reads the zone once per process,
// where mktime and a local QDateTime check the zone file again on every call.
long OffsetAt(time_t t) {
  struct tm tm {};
  return ::localtime_r(&t, &tm) ? tm.tm_gmtoff : 0;
}

bool Digits(const QString& text, qsizetype from, qsizetype count, int* value) {
  int v = 0;
  for (qsizetype i = from; i < from + count; ++i) {
    const char16_t c = text[i].unicode();
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  *value = v;
  return true;
}

}  // namespace

Stamp Stamp::OfFile(const FolderEntry& entry) {
  ++g_conversions;
  const auto secs =
      static_cast<time_t>(entry.mtimeNs / 1000000000LL - (entry.mtimeNs % 1000000000LL < 0 ? 1 : 0));
  struct tm tm {};
  if (!::localtime_r(&secs, &tm)) return {};
  const qint64 date = (qint64{tm.tm_year} + 1900) * 10000 + (qint64{tm.tm_mon} + 1) * 100 + tm.tm_mday;
  return FromNumber(date * 1000000 + qint64{tm.tm_hour} * 10000 + qint64{tm.tm_min} * 100 + tm.tm_sec);
}

Stamp Stamp::FromText(const QString& text) {
  Stamp s;
  if (text.isEmpty()) return s;
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, se = 0;
  // Only the exact form maps to a number: anything else must keep comparing as text.
  if (text.size() == 19 && text[4] == QChar('-') && text[7] == QChar('-') && text[10] == QChar(' ') &&
      text[13] == QChar(':') && text[16] == QChar(':') && Digits(text, 0, 4, &y) && Digits(text, 5, 2, &mo) &&
      Digits(text, 8, 2, &d) && Digits(text, 11, 2, &h) && Digits(text, 14, 2, &mi) &&
      Digits(text, 17, 2, &se) && y > 0) {
    s.m_number = ((((static_cast<qint64>(y) * 100 + mo) * 100 + d) * 100 + h) * 100 + mi) * 100 + se;
  } else {
    s.m_text = text;
  }
  return s;
}

QString Stamp::Text() const {
  if (m_number == 0) return m_text;
  char text[32];
  const qint64 n = m_number;
  std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", n / 10000000000LL,
                n / 100000000LL % 100, n / 1000000LL % 100, n / 10000LL % 100, n / 100LL % 100, n % 100);
  return QString::fromLatin1(text);
}

qint64 Stamp::EpochSeconds() const {
  if (m_number == 0) return -1;
  const qint64 n = m_number;
  const int mo = static_cast<int>(n / 100000000LL % 100), d = static_cast<int>(n / 1000000LL % 100);
  const int h = static_cast<int>(n / 10000LL % 100), mi = static_cast<int>(n / 100LL % 100);
  const int se = static_cast<int>(n % 100);
  if (!QDate::isValid(static_cast<int>(n / 10000000000LL), mo, d) || h > 23 || mi > 59 || se > 59) return -1;
  ++g_conversions;
  const qint64 wall =
      DaysFromCivil(n / 10000000000LL, static_cast<unsigned>(mo), static_cast<unsigned>(d)) * 86400 +
      static_cast<qint64>(h) * 3600 + static_cast<qint64>(mi) * 60 + se;
  // The offset at the guess, then at the time that gives: right on both sides of a
  // change of the offset.
  qint64 t = wall - OffsetAt(static_cast<time_t>(wall));
  t = wall - OffsetAt(static_cast<time_t>(t));
  return t;
}

int Stamp::Compare(const Stamp& other) const {
  if (m_text.isEmpty() && other.m_text.isEmpty()) {
    return m_number < other.m_number ? -1 : m_number > other.m_number ? 1 : 0;
  }
  return QString::compare(Text(), other.Text(), Qt::CaseSensitive);
}

long long Stamp::ConversionCount() {
  return g_conversions.load();
}

}  // namespace kolt
