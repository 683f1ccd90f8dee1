// Atomic replacement of files, and the settings store refusing to write where Windows
// would refuse too.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "core/AtomicFile.h"
#include "core/Settings.h"
#include "support/FileSizeLimit.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

mode_t ModeOf(const QString& path) {
  struct stat st {};
  ::stat(QFile::encodeName(path).constData(), &st);
  return st.st_mode & 07777;
}

QStringList Hidden(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

}  // namespace

TEST(AtomicFileWriter, ReplacesWholeKeepingOrSettingPermissions) {
  TempHome home;
  const QString path = home.File("turn.dat");
  WriteFile(path, "old turn");
  ::chmod(QFile::encodeName(path).constData(), 0640);
  {
    AtomicFileWriter writer(path);
    ASSERT_TRUE(writer.Open(Permissions::KeepExisting, 0600));
    ASSERT_TRUE(writer.Write("new "));
    EXPECT_EQ(ReadFile(path), "old turn");  // nothing shows before the commit
    ASSERT_TRUE(writer.Write(QByteArray("turn")));
    ASSERT_TRUE(writer.Commit());
  }
  EXPECT_EQ(ReadFile(path), "new turn");
  EXPECT_EQ(ModeOf(path), 0640u);

  AtomicFileWriter password(home.File("secret"));
  ASSERT_TRUE(password.Open(Permissions::Exactly, 0600));
  ASSERT_TRUE(password.Write("x") && password.Commit());
  EXPECT_EQ(ModeOf(home.File("secret")), 0600u);
  EXPECT_EQ(Hidden(home.Path()), QStringList({"secret", "turn.dat"}));
}

TEST(AtomicFileWriter, AFailedOrAbandonedWriteLeavesTheOldFileAndNoTemporary) {
  TempHome home;
  const QString path = home.File("KOLT.KLT");
  WriteFile(path, "the archive sent last");
  {
    AtomicFileWriter abandoned(path);
    ASSERT_TRUE(abandoned.Open(Permissions::KeepExisting, 0644));
    ASSERT_TRUE(abandoned.Write("half"));
  }
  EXPECT_EQ(ReadFile(path), "the archive sent last");
  EXPECT_EQ(Hidden(home.Path()), QStringList({"KOLT.KLT"}));

  FileSizeLimit full(64);
  ASSERT_TRUE(full.IsSet());
  AtomicFileWriter writer(path);
  ASSERT_TRUE(writer.Open(Permissions::KeepExisting, 0644));
  EXPECT_FALSE(writer.Write(QByteArray(1000, 'x')) && writer.Commit());
  writer.Discard();
  EXPECT_EQ(ReadFile(path), "the archive sent last");
  EXPECT_EQ(Hidden(home.Path()), QStringList({"KOLT.KLT"}));
}

TEST(FileDescriptor, MovesWithoutClosingTwice) {
  TempHome home;
  WriteFile(home.File("a"), "a");
  FileDescriptor first(::open(QFile::encodeName(home.File("a")).constData(), O_RDONLY | O_CLOEXEC));
  ASSERT_TRUE(first.IsOpen());
  const int fd = first.Get();
  FileDescriptor second(std::move(first));
  EXPECT_FALSE(first.IsOpen());  // NOLINT(bugprone-use-after-move): what a move leaves is the point
  EXPECT_EQ(second.Get(), fd);
  FileDescriptor third;
  third = std::move(second);
  EXPECT_EQ(::fcntl(fd, F_GETFD), FD_CLOEXEC);  // still open
  EXPECT_TRUE(third.Close());
  EXPECT_EQ(::fcntl(fd, F_GETFD), -1);
}

TEST(SettingsWrites, AReadOnlySettingsFileIsNotReplacedAndTheWriteSaysSo) {
  TempHome home;
  ASSERT_TRUE(IniWrite("E-Mail", "From", "me@example.org"));
  const QByteArray before = ReadFile(home.Ini());
  ASSERT_EQ(::chmod(QFile::encodeName(home.Ini()).constData(), 0444), 0);
  EXPECT_FALSE(IniWrite("SPWAW", "email1.cmt/S", "2026-01-01 10:00:00"));
  EXPECT_EQ(errno, EACCES);
  EXPECT_FALSE(IniWriteSection("Text", {"1=Hello"}));
  EXPECT_EQ(ReadFile(home.Ini()), before);
  EXPECT_EQ(IniRead("SPWAW", "email1.cmt/S"), QString());
  ::chmod(QFile::encodeName(home.Ini()).constData(), 0644);
  EXPECT_TRUE(IniWrite("SPWAW", "email1.cmt/S", "2026-01-01 10:00:00"));
}
