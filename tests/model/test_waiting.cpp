// How long a game has been in its state: the moment each state counts from, and the
// texts of the games list around each unit's boundary.
#include <gtest/gtest.h>

#include "model/Status.h"
#include "model/Waiting.h"

using namespace kolt;

namespace {

const QDateTime kNow(QDate(2024, 6, 10), QTime(12, 0, 0));

QString Ago(qint64 seconds) {
  return FormatStamp(kNow.addSecs(-seconds));
}

}  // namespace

TEST(Waiting, TextsAroundTheUnitBoundaries) {
  const std::pair<qint64, const char*> cases[] = {
      {0, "0 min"},           {59, "0 min"},  {60, "1 min"},
      {3599, "59 min"},       {3600, "1 h"},  {3 * 3600 + 3599, "3 h"},
      {86399, "23 h"},        {86400, "1 d"}, {2 * 86400 + 86399, "2 d"},
      {400 * 86400, "400 d"}, {-1, ""}};
  for (const auto& [seconds, text] : cases) EXPECT_EQ(WaitingText(seconds), text) << seconds;
}

TEST(Waiting, EachStateCountsFromItsOwnStamp) {
  const QString m = Ago(3600), s = Ago(2 * 86400), r = Ago(5 * 86400);
  EXPECT_EQ(WaitingSeconds(status::Play, m, s, r, kNow), 5 * 86400);  // since it came in
  EXPECT_EQ(WaitingSeconds(status::Wait, m, s, r, kNow), 2 * 86400);  // since it went out
  EXPECT_EQ(WaitingSeconds(status::Send, m, s, r, kNow), 3600);       // since the turn was played
  EXPECT_EQ(WaitingSeconds(status::PlaySend, m, s, QString(), kNow), 3600);
  EXPECT_EQ(WaitingSeconds(status::New, m, QString(), QString(), kNow), 3600);
  EXPECT_EQ(WaitingSeconds(status::Unknown, m, s, r, kNow), -1);
  EXPECT_EQ(WaitingSeconds(status::Dead, m, s, r, kNow), -1);
  // A missing or malformed stamp gives no time; one in the future counts as now.
  EXPECT_EQ(WaitingSeconds(status::Play, m, s, QString(), kNow), -1);
  EXPECT_EQ(WaitingSeconds(status::Play, m, s, "2024-06-10 25:00:00", kNow), -1);
  EXPECT_EQ(WaitingSeconds(status::Play, m, s, FormatStamp(kNow.addSecs(90)), kNow), 0);
}

// The files' stamps say when a turn was saved; the history says when it went out or
// came in. The later of the two counts, so an entry of an earlier turn changes nothing.
TEST(Waiting, ARecordedSendOrReceiveCountsWhenItIsLater) {
  const QString m = Ago(3 * 3600), s = Ago(3 * 3600), r = Ago(5 * 86400);
  const TurnMoments moments{kNow.addSecs(-60), kNow.addSecs(-2 * 86400)};
  EXPECT_EQ(WaitingSeconds(status::Wait, m, s, r, kNow, moments), 60);         // sent a minute ago
  EXPECT_EQ(WaitingSeconds(status::Play, m, s, r, kNow, moments), 2 * 86400);  // came in 2 days ago
  EXPECT_EQ(WaitingSeconds(status::Send, m, s, r, kNow, moments), 3 * 3600);   // the file's own time
  const TurnMoments earlier{kNow.addSecs(-9 * 86400), kNow.addSecs(-9 * 86400)};
  EXPECT_EQ(WaitingSeconds(status::Wait, m, s, r, kNow, earlier), 3 * 3600);
  EXPECT_EQ(WaitingSeconds(status::Play, m, s, r, kNow, earlier), 5 * 86400);
  // Without a stored stamp the history still tells; a moment ahead of the clock is now.
  EXPECT_EQ(WaitingSeconds(status::WaitHost, m, QString(), r, kNow, moments), 60);
  EXPECT_EQ(WaitingSeconds(status::Wait, m, s, r, kNow, {kNow.addSecs(30), {}}), 0);
}

TEST(Waiting, OnlyAGameToPlayIsLateAndOnlyPastTheDays) {
  EXPECT_FALSE(IsLate(status::Play, 3 * 86400, 3));
  EXPECT_TRUE(IsLate(status::Play, 3 * 86400 + 1, 3));
  EXPECT_FALSE(IsLate(status::Wait, 30 * 86400, 3));
  EXPECT_FALSE(IsLate(status::Play, 30 * 86400, 0));  // switched off
  EXPECT_FALSE(IsLate(status::Play, -1, 3));
}
