#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>

#include "model/Status.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

const QString T1 = "2024-03-01 10:00:00";
const QString T2 = "2024-03-01 10:00:05";
const QString T3 = "2024-03-02 09:00:00";

}  // namespace

// The status from the file's stamp and the stored sent (S) and received (R) stamps. The
// usual life of a turn: New, Wait once sent, Play once the answer came in, Send once
// played, Wait again.
TEST(DecideStatus, FromTheFileAndTheStoredStamps) {
  const struct {
    QString file, sent, received, status;
  } cases[] = {
      {T1, "", "", "New"},  // nothing stored, whatever the file
      {"", "", "", "New"},  // status file missing
      // Only received.
      {T2, "", T1, "Send"},
      {T1, "", T1, "Play"},
      {T1, "", T2, "Unknown"},
      {"", "", T1, "Unknown"},
      // Only sent.
      {T2, T1, "", "Play/Send"},
      {T1, T1, "", "Wait"},
      {T1, T2, "", "Unknown"},
      {"", T1, "", "Unknown"},  // stored S, file now missing
      // Both, the file not newer than the send: all three equal, the send wins.
      {T1, T1, T1, "Wait"},
      {T2, T2, T1, "Wait"},
      {T1, T2, T1, "Play"},
      {T1, T3, T2, "Unknown"},
      {"", T1, T2, "Unknown"},
      // Both, the file newer than the send.
      {T3, T1, T2, "Send"},  // played after the receipt
      {T2, T1, T2, "Play"},  // received after sending, not yet played
      {T2, T1, T3, "Unknown"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecideStatus(c.file, c.sent, c.received), c.status)
        << c.file.toStdString() << " | " << c.sent.toStdString() << " | " << c.received.toStdString();
  }
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
  const struct {
    const char *status, *email;
    bool bold;
  } cases[] = {{"Play", "a@b.c", true},       {"Send", "", true},       {"Host", "a@b.c", true},
               {"Play/Send", "a@b.c", false}, {"Wait", "a@b.c", false}, {"Play", "-", false},
               {"Send", "-", false}};
  for (const auto& c : cases)
    EXPECT_EQ(IsStatusBold(c.status, c.email), c.bold) << c.status << " " << c.email;
}
