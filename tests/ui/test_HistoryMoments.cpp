// The games list's turn moments follow the history file: every write that changes it is
// seen, and an unreadable file keeps what was read last.
#include <gtest/gtest.h>

#include <QFile>

#include "exchange/history/HistoryStore.h"
#include "support/TempHome.h"
#include "ui/HistoryMoments.h"

using namespace kolt;
using namespace kolt::test;

namespace {

TurnEntry Entry(TurnDirection direction, const QDateTime& time) {
  TurnEntry entry;
  entry.time = time;
  entry.program = QStringLiteral("SPWAW");
  entry.game = QStringLiteral("email001.cmt");
  entry.direction = direction;
  entry.opponent = QStringLiteral("mike@example.net");
  entry.mode = QStringLiteral("KLT");
  entry.files = {
      {QStringLiteral("email001.cmt"), QStringLiteral("/g"), 25, QStringLiteral("2026-11-28 21:36:03")}};
  return entry;
}

}  // namespace

TEST(HistoryMoments, FollowTheHistoryFile) {
  TempHome home;
  const QString path = home.Path() + QStringLiteral("/history.sqlite");
  const QString key = QStringLiteral("SPWAW\tEMAIL001.CMT");
  HistoryMoments moments;
  EXPECT_TRUE(moments.Latest(path).isEmpty());  // no history yet

  const QDateTime sent = QDateTime::currentDateTimeUtc().addDays(-2);
  const QDateTime received = sent.addDays(1);
  HistoryStore store(path);
  ASSERT_TRUE(store.Record(Entry(TurnDirection::Sent, sent)));
  EXPECT_EQ(moments.Latest(path).value(key).sent, sent);
  EXPECT_FALSE(moments.Latest(path).value(key).received.isValid());
  // A second write right after the first, in the same second and maybe of the same
  // size, is seen all the same (SQLite's change counter).
  ASSERT_TRUE(store.Record(Entry(TurnDirection::Received, received)));
  EXPECT_EQ(moments.Latest(path).value(key).received, received);

  // A damaged file: the list keeps counting from what was read last.
  ASSERT_TRUE(WriteFile(path, QByteArray(ReadFile(path).size(), 'x')));
  EXPECT_EQ(moments.Latest(path).value(key).received, received);
  // Gone: nothing to count from.
  ASSERT_TRUE(QFile::remove(path));
  EXPECT_TRUE(moments.Latest(path).isEmpty());
}
