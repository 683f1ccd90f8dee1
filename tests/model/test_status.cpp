#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>

#include "model/Status.h"
#include "support/TempHome.h"

using namespace kolt;
using kolt::test::SetModified;
using kolt::test::TempHome;
using kolt::test::WriteFile;

namespace {

const QString T1 = "2024-03-01 10:00:00";
const QString T2 = "2024-03-01 10:00:05";
const QString T3 = "2024-03-02 09:00:00";

}  // namespace

TEST(DecideStatus, NothingStoredIsNewWhateverTheFile) {
  EXPECT_EQ(DecideStatus(T1, "", ""), "New");
  EXPECT_EQ(DecideStatus("", "", ""), "New");  // status file missing
}

TEST(DecideStatus, OnlyReceived) {
  EXPECT_EQ(DecideStatus(T2, "", T1), "Send");
  EXPECT_EQ(DecideStatus(T1, "", T1), "Play");
  EXPECT_EQ(DecideStatus(T1, "", T2), "Unknown");
  EXPECT_EQ(DecideStatus("", "", T1), "Unknown");
}

TEST(DecideStatus, OnlySent) {
  EXPECT_EQ(DecideStatus(T2, T1, ""), "Play/Send");
  EXPECT_EQ(DecideStatus(T1, T1, ""), "Wait");
  EXPECT_EQ(DecideStatus(T1, T2, ""), "Unknown");
  EXPECT_EQ(DecideStatus("", T1, ""), "Unknown");  // stored S, file now missing
}

TEST(DecideStatus, SentAndReceivedWithFileNotNewerThanSent) {
  // All three equal: the stamp stored at sending wins.
  EXPECT_EQ(DecideStatus(T1, T1, T1), "Wait");
  EXPECT_EQ(DecideStatus(T2, T2, T1), "Wait");
  EXPECT_EQ(DecideStatus(T1, T2, T1), "Play");
  EXPECT_EQ(DecideStatus(T1, T3, T2), "Unknown");
  EXPECT_EQ(DecideStatus("", T1, T2), "Unknown");
}

TEST(DecideStatus, SentAndReceivedWithFileNewerThanSent) {
  EXPECT_EQ(DecideStatus(T3, T1, T2), "Send");  // played after the receipt
  EXPECT_EQ(DecideStatus(T2, T1, T2), "Play");  // received after sending, not yet played
  EXPECT_EQ(DecideStatus(T2, T1, T3), "Unknown");
}

TEST(DecideStatus, TheUsualLifeOfATurn) {
  QString s, r;
  const QString created = T1;
  EXPECT_EQ(DecideStatus(created, s, r), "New");
  s = created;  // sent
  EXPECT_EQ(DecideStatus(created, s, r), "Wait");
  const QString received = T2;  // the opponent's turn copied in
  r = received;
  EXPECT_EQ(DecideStatus(received, s, r), "Play");
  const QString played = T3;
  EXPECT_EQ(DecideStatus(played, s, r), "Send");
  s = played;  // sent again
  EXPECT_EQ(DecideStatus(played, s, r), "Wait");
}

TEST(Stamps, FixedWidthTextOrdersLikeTime) {
  const QDateTime a(QDate(2024, 9, 30), QTime(9, 5, 7));
  const QDateTime b(QDate(2024, 10, 1), QTime(23, 0, 0));
  EXPECT_EQ(FormatStamp(a), "2024-09-30 09:05:07");
  EXPECT_LT(FormatStamp(a), FormatStamp(b));
  EXPECT_EQ(FormatStamp(QDateTime()), "");
}

TEST(Stamps, FileStampIsEmptyForMissingFilesAndFolders) {
  TempHome home;
  const QString path = home.File("x.dat");
  ASSERT_TRUE(WriteFile(path, "data"));
  const QDateTime when(QDate(2023, 12, 24), QTime(18, 30, 15));
  SetModified(path, when);
  EXPECT_EQ(FileStamp(path), "2023-12-24 18:30:15");
  EXPECT_EQ(FileStamp(home.File("missing.dat")), "");
  EXPECT_EQ(FileStamp(home.Path()), "");  // a folder is no status file
  EXPECT_EQ(FileStamp(""), "");
}

TEST(Status, BoldOnlyWhenAMoveIsDueAndTheAddressIsNotExcluded) {
  EXPECT_TRUE(IsStatusBold("Play", "a@b.c"));
  EXPECT_TRUE(IsStatusBold("Send", ""));
  EXPECT_TRUE(IsStatusBold("Host", "a@b.c"));
  EXPECT_FALSE(IsStatusBold("Play/Send", "a@b.c"));
  EXPECT_FALSE(IsStatusBold("Wait", "a@b.c"));
  EXPECT_FALSE(IsStatusBold("Play", "-"));
  EXPECT_FALSE(IsStatusBold("Send", "-"));
}
