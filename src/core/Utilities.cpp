#include "core/Utilities.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMutex>
#include <QTime>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <random>
#include <string>

#include "core/Settings.h"

namespace kolt {
namespace {

QMutex g_randomMutex;
std::mt19937_64 g_random{0x4b4f4c54};  // replaced by SeedRandom at start-up

}  // namespace

QString FormatGeneralNumber(double x) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(x, 'g', 15);
}

QString FormatOneDecimal(double x) {
  QString s = FormatGeneralNumber(x);
  const QString separator = FormatGeneralNumber(1.2).mid(1, 1);
  const qsizetype p = s.indexOf(separator) + 1;  // 1-based, 0 when absent
  if (p == 2) return FormatGeneralNumber(std::trunc(x * 10 + 0.5) / 10);
  if (p == 3 || p == 4) return FormatGeneralNumber(std::trunc(x + 0.5));
  return s;
}

QString FormatSize(qint64 bytes) {
  //: a file size in bytes
  if (bytes < 1000) return QCoreApplication::translate("Utilities", "%1 B").arg(bytes);
  double x = static_cast<double>(bytes) / 1024.0;
  //: a file size in kilobytes
  if (x < 999) return QCoreApplication::translate("Utilities", "%1 kB").arg(FormatOneDecimal(x));
  //: a file size in megabytes
  return QCoreApplication::translate("Utilities", "%1 MB").arg(FormatOneDecimal(x / 1024.0));
}

long long LeadingInteger(const QString& text) {
  // A number beyond the range reads as the nearest end of it: converting it as it
  // stands would be undefined.
  const double value = std::trunc(LeadingNumber(text));
  constexpr double kLimit = 9.2e18;  // below 2^63, exactly representable ends
  if (!(value > -kLimit)) return value != value ? 0 : static_cast<long long>(-kLimit);
  if (!(value < kLimit)) return static_cast<long long>(kLimit);
  return static_cast<long long>(value);
}

double LeadingNumber(const QString& text) {
  // Like Val(): blanks skipped, an optional sign, digits and at most one '.'.
  const qsizetype n = text.size();
  qsizetype i = 0;
  while (i < n && text[i].isSpace()) ++i;
  std::string digits;  // every character kept is ASCII; short ones stay off the heap
  bool negative = false;
  if (i < n && (text[i] == QChar('-') || text[i] == QChar('+'))) {
    negative = text[i] == QChar('-');
    digits += static_cast<char>(text[i++].unicode());
  }
  bool dot = false;
  // Whole numbers of up to 15 digits are exact in a double and counted here; others go
  // through the full conversion. Save files are read field by field with this.
  long long whole = 0;
  int count = 0;
  for (; i < n; ++i) {
    const QChar c = text[i];
    if (c.unicode() >= '0' && c.unicode() <= '9') {
      digits += static_cast<char>(c.unicode());
      if (++count <= 15) whole = whole * 10 + (c.unicode() - '0');
    } else if (c == QChar('.') && !dot) {
      dot = true;
      digits += '.';
    } else if (c == QChar(' ')) {
      continue;
    } else {
      break;
    }
  }
  if (!dot && count > 0 && count <= 15) return static_cast<double>(negative ? -whole : whole);
  bool ok = false;
  const double v = QByteArray::fromStdString(digits).toDouble(&ok);
  return ok ? v : 0.0;
}

int CompareVersions(const QString& a, const QString& b) {
  const QStringList pa = a.isEmpty() ? QStringList() : a.split(QChar('.'));
  const QStringList pb = b.isEmpty() ? QStringList() : b.split(QChar('.'));
  if (pa.size() != pb.size()) return pa.size() < pb.size() ? -1 : 1;
  for (qsizetype i = 0; i < pa.size() && i < 3; ++i) {
    long long x = LeadingInteger(pa[i]);
    long long y = LeadingInteger(pb[i]);
    if (x != y) return x > y ? 1 : -1;
  }
  return 0;
}

void SeedRandom(std::uint64_t seed) {
  if (seed == 0) {
    // Milliseconds since start plus seconds since midnight, as the original did, mixed
    // with the wall clock so that two instances started together still differ.
    auto uptime = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now().time_since_epoch())
                      .count();
    seed = static_cast<std::uint64_t>(uptime) + QTime::currentTime().msecsSinceStartOfDay() / 1000 +
           (static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()) << 16);
  }
  QMutexLocker guard(&g_randomMutex);
  g_random.seed(seed);
}

QString GeneratePassword() {
  static const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
  static const QString all = letters + QStringLiteral("0123456789");
  QMutexLocker guard(&g_randomMutex);
  QString password;
  std::uniform_int_distribution<int> first(0, static_cast<int>(letters.size()) - 1);
  std::uniform_int_distribution<int> rest(0, static_cast<int>(all.size()) - 1);
  password += letters[first(g_random)];
  for (int i = 0; i < 7; ++i) password += all[rest(g_random)];
  return password;
}

std::optional<QByteArray> ReadFilePart(const QString& path, qint64 offset, qint64 max, struct stat* info) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  std::optional<QByteArray> result;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    offset = std::max<qint64>(offset, 0);
    const qint64 size = std::max<qint64>(st.st_size - offset, 0);
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(std::min<qint64>(size, max)));
    qsizetype filled = 0;
    bool ok = true;
    for (;;) {
      if (filled == bytes.size()) {
        if (filled >= max || filled == size) break;
        // The file grew since it was measured.
        bytes.resize(static_cast<qsizetype>(std::min<qint64>(max, bytes.size() * 2 + 4096)));
      }
      const ssize_t n = ::pread(fd, bytes.data() + filled, static_cast<size_t>(bytes.size() - filled),
                                static_cast<off_t>(offset + filled));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) ok = false;
      if (n <= 0) break;
      filled += n;
    }
    bytes.truncate(filled);
    if (ok) result = std::move(bytes);
    if (info) *info = st;
  }
  ::close(fd);
  return result;
}

std::optional<QByteArray> ReadFileHead(const QString& path, qint64 max, struct stat* info) {
  return ReadFilePart(path, 0, max, info);
}

void TrimNewlines(QString& text) {
  auto isNl = [](QChar c) { return c == QChar('\r') || c == QChar('\n'); };
  qsizetype start = 0;
  while (start < text.size() && isNl(text[start])) ++start;
  qsizetype end = text.size();
  while (end > start && isNl(text[end - 1])) --end;
  text = text.mid(start, end - start);
}

int ArrayIndexOf(const QStringList& array, const QString& text) {
  for (qsizetype i = 0; i < array.size(); ++i) {
    if (array[i] == text) return static_cast<int>(i);
  }
  return -1;
}

bool ArrayAdd(QStringList& array, const QString& text) {
  if (ArrayIndexOf(array, text) >= 0) return false;
  array.append(text);
  return true;
}

bool ArrayRemove(QStringList& array, const QString& text) {
  int i = ArrayIndexOf(array, text);
  if (i < 0) return false;
  array.removeAt(i);
  return true;
}

QString JoinNonEmpty(const QStringList& array) {
  QStringList parts;
  for (const QString& s : array) {
    if (!s.isEmpty()) parts.append(s);
  }
  return parts.join(QChar(','));
}

void AddUnique(KeyedCollection& collection, const QString& text) {
  const QString key = text.toUpper();
  if (!collection.contains(key)) collection.insert(key, text);
}

bool CollectionHasKey(const KeyedCollection& collection, const QString& text) {
  auto it = collection.constFind(text.toUpper());
  return it != collection.constEnd() && !it->isEmpty();
}

}  // namespace kolt
