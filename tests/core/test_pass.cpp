// Passes: folder snapshots answer from one listing per folder and never from before the
// program's own changes; settings written during a pass reach the disk once.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "core/FileNames.h"
#include "core/FolderSnapshot.h"
#include "core/Pass.h"
#include "core/Settings.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

QString MakeFolder(const TempHome& home, const QStringList& names) {
  QString folder = home.Root() + "/EMAIL";
  QDir().mkpath(folder);
  for (const QString& n : names) WriteFile(folder + "/" + n, n.toUtf8());
  return folder;
}

// The names ListPrefixNoCase gives for `prefix`.
QStringList PrefixNames(const QString& folder, const QString& prefix) {
  QStringList names;
  for (const FolderEntry& e : ListPrefixNoCase(folder, prefix)) names.append(e.name);
  return names;
}

}  // namespace

TEST(FolderSnapshot, AnswersEveryLookUpOfAPassFromOneListing) {
  TempHome home;
  const QString folder = MakeFolder(home, {"email001.cmt", "EMAIL001.DAT", "email001.aux", "email001.bak",
                                           "Email002.CMT", "readme", "Ölmühle.SAV"});
  QDir().mkpath(folder + "/sub");

  Pass pass;
  const long long before = FolderListingCount();
  // Exact spelling first, else the first match in name order.
  EXPECT_EQ(FindEntryNoCase(folder, "email001.dat"), folder + "/EMAIL001.DAT");
  EXPECT_EQ(FindEntryNoCase(folder, "email002.cmt"), folder + "/Email002.CMT");
  EXPECT_EQ(FindEntryNoCase(folder, "missing"), QString());
  EXPECT_EQ(FindEntryNoCase(folder, "ÖLMÜHLE.sav"), folder + "/Ölmühle.SAV");
  EXPECT_EQ(PrefixNames(folder, "ölMÜHLE."), QStringList({"Ölmühle.SAV"}));
  EXPECT_EQ(ListNoCase(folder, "email*.cmt"), QStringList({"Email002.CMT", "email001.cmt"}));
  EXPECT_EQ(ListNoCase(folder, "*.*").size(), 7);  // "*.*" takes names without a dot too
  EXPECT_EQ(ListNoCase(folder, "*", false).size(), 8);
  EXPECT_EQ(PrefixNames(folder, "EMAIL001."),
            QStringList({"EMAIL001.DAT", "email001.aux", "email001.bak", "email001.cmt"}));
  const std::optional<FolderEntry> dat = EntryNoCase(folder, "Email001.Dat");
  ASSERT_TRUE(dat);
  EXPECT_TRUE(dat->IsFile());
  EXPECT_EQ(dat->size, 12);
  EXPECT_TRUE(EntryNoCase(folder, "SUB")->IsFolder());
  EXPECT_EQ(ResolveNoCase(home.Root(), "email/Sub"), folder + "/sub");
  EXPECT_EQ(FolderListingCount() - before, 2);  // the folder and its parent, once each
}

TEST(FolderSnapshot, NeverAnswersFromBeforeTheProgramsOwnChanges) {
  TempHome home;
  const QString folder = MakeFolder(home, {"email001.cmt", "email001.dat"});
  Pass pass;
  ASSERT_EQ(ListNoCase(folder, "*.*").size(), 2);

  WriteFile(folder + "/email002.cmt", "new game, a longer text");
  NoteChanged(folder + "/email002.cmt");
  QFile::remove(folder + "/email001.dat");
  NoteChanged(folder + "/email001.dat");
  EXPECT_EQ(ListNoCase(folder, "*.*"), QStringList({"email001.cmt", "email002.cmt"}));
  EXPECT_EQ(EntryNoCase(folder, "EMAIL002.CMT")->size, 23);
  EXPECT_FALSE(EntryNoCase(folder, "email001.dat"));

  // A bulk change (an archive unpacked) drops the folder and what was listed below it.
  QDir().mkpath(folder + "/bak");
  NoteChanged(folder + "/bak");
  ASSERT_TRUE(ListNoCase(folder + "/bak", "*").isEmpty());
  WriteFile(folder + "/bak/a", "1");
  WriteFile(folder + "/b", "2");
  NoteFolderChanged(folder);
  EXPECT_EQ(ListNoCase(folder + "/bak", "*"), QStringList({"a"}));
  EXPECT_EQ(FindEntryNoCase(folder, "B"), folder + "/b");
}

// A prefix without a dot ("Game" for "Game_0002.plr") is answered from the sorted names,
// which follow the program's own changes.
TEST(FolderSnapshot, PrefixesFollowTheProgramsOwnChanges) {
  TempHome home;
  const QString folder =
      MakeFolder(home, {"Game.gam", "GAME_0002.plr", "game_0001.PLR", "Gamer.gam", "Gam.gam", "other.gam"});
  Pass pass;
  auto names = [&](const QString& prefix) { return PrefixNames(folder, prefix); };
  EXPECT_EQ(names("game"), QStringList({"GAME_0002.plr", "Game.gam", "Gamer.gam", "game_0001.PLR"}));
  EXPECT_EQ(names("Game_"), QStringList({"GAME_0002.plr", "game_0001.PLR"}));
  EXPECT_EQ(names("zzz"), QStringList());

  WriteFile(folder + "/Game_0003.plr", "orders");
  NoteChanged(folder + "/Game_0003.plr");
  QFile::remove(folder + "/Gamer.gam");
  NoteChanged(folder + "/Gamer.gam");
  EXPECT_EQ(names("GAME_"), QStringList({"GAME_0002.plr", "Game_0003.plr", "game_0001.PLR"}));
  EXPECT_EQ(names("game"), QStringList({"GAME_0002.plr", "Game.gam", "Game_0003.plr", "game_0001.PLR"}));
}

TEST(FolderSnapshot, PassesNestAndTheOutermostEndsThem) {
  TempHome home;
  const QString folder = MakeFolder(home, {"a"});
  long long listed = 0;
  {
    Pass outer;
    FindEntryNoCase(folder, "A");
    listed = FolderListingCount();
    {
      Pass inner;
      EXPECT_TRUE(inner.End());
      FindEntryNoCase(folder, "A");
    }
    FindEntryNoCase(folder, "A");
    EXPECT_EQ(FolderListingCount(), listed);
  }
  FindEntryNoCase(folder, "A");
  EXPECT_GT(FolderListingCount(), listed);  // the outermost end dropped the snapshot
}

TEST(SettingsPass, WritesAreSeenAtOnceAndReachTheDiskOnce) {
  TempHome home;
  IniWrite("SPWAW", "old.cmt", "a@x");
  const QByteArray before = ReadFile(home.Ini());
  const long long writes = IniFileWriteCount();
  {
    Pass pass;
    // Many new records: one linear rewrite at the end, not one per key.
    for (int i = 0; i < 3000; ++i) IniWrite("SPWAW", QString("email%1.cmt").arg(i), "p@x");
    IniWrite("spwaw", "OLD.CMT", "c@x");
    IniWrite("New Section", "Key", " \"quoted\" ");
    EXPECT_EQ(IniRead("SPWAW", "email2999.cmt"), "p@x");
    EXPECT_EQ(IniRead("SPWAW", "old.cmt"), "c@x");
    EXPECT_EQ(IniRead("new section", "key"), "quoted");  // as it reads back from the file
    EXPECT_EQ(ReadFile(home.Ini()), before);
    EXPECT_EQ(IniFileWriteCount(), writes);
    EXPECT_TRUE(pass.End());
  }
  EXPECT_EQ(IniFileWriteCount(), writes + 1);
  ClearIniCache();
  EXPECT_EQ(IniRead("SPWAW", "email0.cmt"), "p@x");
  EXPECT_EQ(IniRead("SPWAW", "email2999.cmt"), "p@x");
  EXPECT_EQ(IniRead("SPWAW", "old.cmt"), "c@x");
  EXPECT_EQ(IniRead("New Section", "Key"), "quoted");
  const QByteArray text = ReadFile(home.Ini());
  // The key keeps the spelling the file gave it, new keys follow in the order written.
  EXPECT_TRUE(text.startsWith("[SPWAW]\r\nold.cmt=c@x\r\nemail0.cmt=p@x\r\nemail1.cmt=p@x\r\n"));
  EXPECT_TRUE(text.endsWith("[New Section]\r\nKey= \"quoted\" \r\n"));
}

TEST(SettingsPass, KeysAnotherProcessWroteDuringThePassSurvive) {
  TempHome home;
  IniWrite("SPWAW", "mine", "1");
  Pass pass;
  EXPECT_EQ(IniRead("SPWAW", "mine"), "1");
  IniWrite("SPWAW", "mine", "2");
  QProcess other;
  other.start(INI_WRITER, {home.Ini(), "SPWAW", "theirs", "3"});
  ASSERT_TRUE(other.waitForFinished(10000));
  ASSERT_EQ(other.exitCode(), 0);
  ASSERT_TRUE(pass.End());
  ClearIniCache();
  EXPECT_EQ(IniRead("SPWAW", "mine"), "2");
  EXPECT_EQ(IniRead("SPWAW", "theirs0"), "value-0");
  EXPECT_EQ(IniRead("SPWAW", "theirs2"), "value-2");
}

TEST(SettingsPass, GatheredWritesReachTheDiskBeforeAMessageBox) {
  TempHome home;
  ScriptedUi ui;
  Pass pass;
  IniWrite("SPWAW", "a.cmt/S", "2026-01-01 10:00:00");
  EXPECT_FALSE(ReadFile(home.Ini()).contains("a.cmt/S"));
  ui.ShowError("Can't copy file");
  EXPECT_TRUE(ReadFile(home.Ini()).contains("a.cmt/S=2026-01-01 10:00:00"));
}

TEST(SettingsPass, AFailedWriteIsReportedAndTheFileIsWhatReadsShow) {
  TempHome home;
  IniWrite("Settings", "Filler", QString(200, 'x'));
  const QByteArray before = ReadFile(home.Ini());
  FileSizeLimit full(256);
  ASSERT_TRUE(full.IsSet());
  {
    Pass pass;
    IniWrite("SPWAW", "a.cmt/S", QString(100, 's'));
    EXPECT_EQ(IniRead("SPWAW", "a.cmt/S"), QString(100, 's'));
    EXPECT_FALSE(pass.End());
  }
  // Nothing claims what the disk does not hold.
  EXPECT_EQ(IniRead("SPWAW", "a.cmt/S"), QString());
  EXPECT_EQ(ReadFile(home.Ini()), before);
  // Outside a pass the write itself says so.
  EXPECT_FALSE(IniWrite("SPWAW", "a.cmt/S", QString(100, 's')));
  EXPECT_TRUE(IniWrite("SPWAW", "b", "1"));
}

TEST(FolderSnapshot, ListedFilesAreReadAgainWhenTheyChangeEvenWithTheSameSizeAndTime) {
  TempHome home;
  const QString folder = MakeFolder(home, {});
  const QString path = folder + "/email001.cmt";
  WriteFile(path, "Scenario A");
  const QDateTime when = QDateTime::currentDateTime().addDays(-1);
  SetModified(path, when);
  auto read = [&] {
    Pass pass;
    const std::optional<FolderEntry> entry = EntryNoCase(folder, "email001.cmt");
    return entry ? ReadListedFile(path, *entry, 1 << 20).value_or("(unreadable)") : QByteArray("(missing)");
  };
  EXPECT_EQ(read(), "Scenario A");
  EXPECT_EQ(read(), "Scenario A");
  // Rewritten in place with the same size and the old time: only the change time says so.
  WriteFile(path, "Scenario B");
  SetModified(path, when);
  EXPECT_EQ(read(), "Scenario B");
  QFile::remove(path);
  EXPECT_EQ(read(), "(missing)");
}
