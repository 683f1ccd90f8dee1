// Stamps as numbers: they order as their texts do, give back the same text, and turn
// into the same moments as Qt's local time does, also around a change of the offset.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QStringList>
#include <algorithm>
#include <ctime>

#include "model/Stamp.h"
#include "support/ScopedEnv.h"

using namespace kolt;
using kolt::test::ScopedEnv;

namespace {

FolderEntry At(qint64 secs) {
  FolderEntry e;
  e.kind = EntryKind::File;
  e.mtimeNs = secs * 1000000000LL + 250000000LL;
  return e;
}

}  // namespace

TEST(Stamp, OrdersAsTheTextsDoAndKeepsTextThatIsNoStamp) {
  const QStringList texts = {"2024-06-01 10:00:00",  "2024-06-01 09:59:59", "",
                             "2023-12-31 23:59:59",  "2024-6-1 10:00",      "x",
                             "2024-06-01 10:00:00 ", "0999-01-01 00:00:00", "2024-06-01 10:00:01"};
  for (const QString& a : texts) {
    EXPECT_EQ(Stamp::FromText(a).Text(), a);
    EXPECT_EQ(Stamp::FromText(a).IsEmpty(), a.isEmpty());
    for (const QString& b : texts) {
      const int text = QString::compare(a, b, Qt::CaseSensitive);
      const int number = Stamp::FromText(a).Compare(Stamp::FromText(b));
      EXPECT_EQ(text < 0, number < 0) << qPrintable(a + " / " + b);
      EXPECT_EQ(text == 0, number == 0) << qPrintable(a + " / " + b);
    }
  }
  EXPECT_EQ(Stamp::FromText("2024-06-01 25:00:00").EpochSeconds(), -1);
  EXPECT_EQ(Stamp::FromText("2024-02-30 10:00:00").EpochSeconds(), -1);
  EXPECT_EQ(Stamp::FromText("not a stamp").EpochSeconds(), -1);
}

TEST(Stamp, LocalTimesAsQtMakesThemAroundTheChangesOfTheOffset) {
  ScopedEnv zone("TZ", "Europe/Berlin");
  // Ordinary times and the seconds around each change of the offset.
  for (const char* text :
       {"2024-01-15 12:00:00", "2024-03-31 01:59:59", "2024-03-31 03:00:00", "2024-07-01 00:00:00",
        "2024-10-27 01:59:59", "2024-10-27 03:00:00", "1999-12-31 23:59:59"}) {
    const QDateTime local = QDateTime::fromString(QString::fromLatin1(text), "yyyy-MM-dd hh:mm:ss");
    ASSERT_TRUE(local.isValid());
    const qint64 secs = local.toSecsSinceEpoch();
    EXPECT_EQ(Stamp::FromText(QString::fromLatin1(text)).EpochSeconds(), secs) << text;
    EXPECT_EQ(Stamp::OfFile(At(secs)).Text(), QString::fromLatin1(text)) << text;
  }
  // The hour that comes twice: either moment names the same wall-clock time.
  const qint64 first = QDateTime::fromString("2024-10-27 01:30:00", "yyyy-MM-dd hh:mm:ss").toSecsSinceEpoch();
  EXPECT_EQ(Stamp::OfFile(At(first + 3600)).Text(), "2024-10-27 02:30:00");
  EXPECT_EQ(Stamp::OfFile(At(first + 7200)).Text(), "2024-10-27 02:30:00");
  const qint64 twice = Stamp::FromText("2024-10-27 02:30:00").EpochSeconds();
  EXPECT_TRUE(twice == first + 3600 || twice == first + 7200);
  // Times before 1970 too.
  EXPECT_EQ(Stamp::OfFile(At(-1)).Text(), "1970-01-01 00:59:59");
}
