#include <gtest/gtest.h>
#include <sys/stat.h>
#include <csignal>

#include <QDateTime>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringList>
#include <QThread>

#include "core/Pass.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

const QString S = QStringLiteral("SPWAW");

}  // namespace

TEST(Settings, MissingFileGivesDefaultsAndFirstWriteCreatesIt) {
  TempHome home;
  EXPECT_EQ(IniRead(S, "Directory", "dflt"), "dflt");
  EXPECT_TRUE(IniReadSection("Text").isEmpty());
  IniWrite(S, "Directory", "/games/spwaw");
  EXPECT_EQ(ReadFile(home.Ini()), QByteArray("[SPWAW]\r\nDirectory=/games/spwaw\r\n"));
  EXPECT_EQ(IniRead("spwaw", "DIRECTORY"), "/games/spwaw");
}

TEST(Settings, WritesReplaceInPlaceAndKeepOtherLines) {
  TempHome home;
  WriteFile(
      home.Ini(),
      "; my notes\r\n[Settings]\r\nInformed=1.0.0\r\n\r\n[spwaw]\r\nDirectory = C:\\x \r\nOther=1\r\n\r\n"
      "[E-Mail]\r\nMode=SMTP\r\n");
  IniWrite("SPWAW", "directory", "/new");
  IniWrite("SPWAW", "g1.dat/S", "2026-01-02 03:04:05");
  IniWrite("Text", "0", "Hello");
  EXPECT_EQ(
      ReadFile(home.Ini()),
      QByteArray("; my notes\r\n[Settings]\r\nInformed=1.0.0\r\n\r\n[spwaw]\r\nDirectory=/new\r\nOther=1\r\n"
                 "g1.dat/S=2026-01-02 03:04:05\r\n\r\n[E-Mail]\r\nMode=SMTP\r\n[Text]\r\n0=Hello\r\n"));
  // Writing the same value again leaves the file alone.
  QByteArray before = ReadFile(home.Ini());
  IniWrite("E-MAIL", "mode", "SMTP");
  EXPECT_EQ(ReadFile(home.Ini()), before);
}

TEST(Settings, EmptyValuesLongValuesNulAndLineBreaks) {
  TempHome home;
  IniWrite(S, "a", "");
  EXPECT_TRUE(ReadFile(home.Ini()).contains("\r\na=\r\n"));
  EXPECT_EQ(IniRead(S, "a", "dflt"), "");  // present but empty is not absent

  QString longValue(300, QChar('x'));
  longValue[254] = QChar('y');
  IniWrite(S, "long", longValue);
  EXPECT_EQ(IniRead(S, "long").size(), 255);
  EXPECT_EQ(IniRead(S, "long").back(), QChar('y'));
  // The caller can tell a cut value from one that is 255 characters long, whether read
  // from the file, after a write in place, or from what a pass gathered.
  EXPECT_TRUE(IniLastReadWasCut());
  IniWrite(S, "fits", QString(255, QChar('z')));
  EXPECT_EQ(IniRead(S, "fits").size(), 255);
  EXPECT_FALSE(IniLastReadWasCut());
  IniWrite(S, "fits", longValue);
  IniRead(S, "fits");
  EXPECT_TRUE(IniLastReadWasCut());
  IniRead(S, "absent");
  EXPECT_FALSE(IniLastReadWasCut());
  ClearIniCache();
  IniRead(S, "long");
  EXPECT_TRUE(IniLastReadWasCut());
  {
    Pass pass;
    IniWrite(S, "gathered", longValue);
    EXPECT_EQ(IniRead(S, "gathered").size(), 255);
    EXPECT_TRUE(IniLastReadWasCut());
    IniWrite(S, "gathered", "short");
    IniRead(S, "gathered");
    EXPECT_FALSE(IniLastReadWasCut());
  }

  WriteFile(home.Ini(), QByteArray("[X]\r\nk=abc\0def\r\nq=\"quoted\"  \r\n", 28));
  EXPECT_EQ(IniRead("X", "k"), "abc");
  EXPECT_EQ(IniRead("X", "q"), "quoted");

  // A line break in a value must not split the line (and forge another key).
  IniWrite("X", "evil", "one\r\n[E-Mail]\r\nMode=MAPI");
  EXPECT_EQ(IniRead("E-Mail", "Mode", "none"), "none");
  EXPECT_EQ(IniRead("X", "evil"), "one  [E-Mail]  Mode=MAPI");
}

TEST(Settings, FilesFromWindowsReadCorrectly) {
  TempHome home;
  const QString ini = home.File("CUSTOM.INI");
  // LF line ends, Windows-1252 bytes, a byte-order mark elsewhere, blanks around names.
  WriteFile(ini, "[ Program ]\nName=Panzer \xe9lite \x96 Caf\xe9\nExe = pz.exe\n");
  EXPECT_EQ(IniRead("program", "name", "", ini), QString::fromUtf8("Panzer élite – Café"));
  EXPECT_EQ(IniRead("PROGRAM", "exe", "", ini), "pz.exe");
  // A write keeps the file's Windows-1252 encoding for text that fits it.
  IniWrite("Program", "Long", QString::fromUtf8("Ärger"), ini);
  EXPECT_TRUE(ReadFile(ini).contains("Long=\xc4rger\r\n"));
  EXPECT_TRUE(ReadFile(ini).contains("Name=Panzer \xe9lite \x96 Caf\xe9\r\n"));
  EXPECT_EQ(IniRead("Program", "Long", "", ini), QString::fromUtf8("Ärger"));

  // Some Windows-1252 byte sequences are also valid UTF-8 ("\xdf\x85" is both "ß…" and
  // one other character): text written into such a file must read back as it was written.
  const QString greeting = QString::fromUtf8("Straße… bis später");
  const QString mark = QString::fromUtf8("Â© 2026");
  IniWrite("Program", "Greeting", greeting, ini);
  IniWrite("Program", "Mark", mark, ini);
  IniWriteSection("Text", {QStringLiteral("0=") + greeting}, ini);
  ClearIniCache();
  EXPECT_EQ(IniRead("Program", "Greeting", "", ini), greeting);
  EXPECT_EQ(IniRead("Program", "Mark", "", ini), mark);
  EXPECT_EQ(IniReadSection("Text", ini), QStringList({QStringLiteral("0=") + greeting}));
  EXPECT_EQ(IniRead("Program", "Name", "", ini), QString::fromUtf8("Panzer élite – Café"));

  const QString utf = home.File("UTF.INI");
  WriteFile(utf, "\xEF\xBB\xBF[A]\r\nk=Gr\xc3\xbc\xc3\x9f\x65\r\n");
  EXPECT_EQ(IniRead("A", "k", "", utf), QString::fromUtf8("Grüße"));
  IniWrite("A", "j", QString::fromUtf8("€"), utf);
  EXPECT_EQ(ReadFile(utf), QByteArray("\xEF\xBB\xBF[A]\r\nk=Gr\xc3\xbc\xc3\x9f\x65\r\nj=\xe2\x82\xac\r\n"));
}

TEST(Settings, WholeSectionReadAndWrite) {
  TempHome home;
  WriteFile(home.Ini(), "[Text]\r\n0=First\r\n1=Second\r\n\r\n[Other]\r\nx=1\r\n");
  EXPECT_EQ(IniReadSection("TEXT"), QStringList({"0=First", "1=Second"}));
  IniWriteSection("Text", {"0=Only", "", "1=Two"});
  EXPECT_EQ(ReadFile(home.Ini()), QByteArray("[Text]\r\n0=Only\r\n1=Two\r\n\r\n[Other]\r\nx=1\r\n"));
  IniWriteSection("Text", {});
  EXPECT_TRUE(IniReadSection("Text").isEmpty());
  EXPECT_EQ(IniRead("Other", "x"), "1");
  IniWriteSection("New", {"a=b"});
  EXPECT_EQ(IniRead("New", "a"), "b");
}

TEST(Settings, CompactRemovesEmptyValuesAndTrailingBlankLines) {
  TempHome home;
  EXPECT_FALSE(CompactIniFile(home.Ini()));  // missing file: false, nothing created
  EXPECT_FALSE(QFile::exists(home.Ini()));

  WriteFile(home.Ini(), "[A]\r\nk=\r\nv=1\r\n\r\n[B]\r\nw=\r\n\r\n\r\n\r\n");
  EXPECT_TRUE(CompactIniFile(home.Ini()));
  EXPECT_EQ(ReadFile(home.Ini()), QByteArray("[A]\r\nv=1\r\n\r\n[B]\r\n"));
  EXPECT_EQ(IniRead("A", "k", "dflt"), "dflt");

  // Nothing to do: the file is not rewritten (same time, same bytes).
  const QByteArray clean = "[A]\r\nv=1\r\n";
  WriteFile(home.Ini(), clean);
  SetModified(home.Ini(), QDateTime::fromSecsSinceEpoch(1000000000));
  EXPECT_TRUE(CompactIniFile(home.Ini()));
  EXPECT_EQ(ReadFile(home.Ini()), clean);
  EXPECT_EQ(QFileInfo(home.Ini()).lastModified().toSecsSinceEpoch(), 1000000000);

  // A file written with LF only is compacted too.
  WriteFile(home.Ini(), "[A]\nk=\nv=1\n");
  EXPECT_TRUE(CompactIniFile(home.Ini()));
  EXPECT_EQ(ReadFile(home.Ini()), QByteArray("[A]\r\nv=1\r\n"));
}

TEST(Settings, ChangesByAnotherWriterAreSeen) {
  TempHome home;
  IniWrite(S, "k", "mine");
  EXPECT_EQ(IniRead(S, "k"), "mine");
  // Same size, same second: the inode of a replaced file still tells.
  WriteFile(home.Ini() + ".new", "[SPWAW]\r\nk=your\r\n");
  ASSERT_EQ(
      ::rename(QFile::encodeName(home.Ini() + ".new").constData(), QFile::encodeName(home.Ini()).constData()),
      0);
  EXPECT_EQ(IniRead(S, "k"), "your");
  // Rewritten in place with another size.
  WriteFile(home.Ini(), "[SPWAW]\r\nk=theirs\r\n");
  EXPECT_EQ(IniRead(S, "k"), "theirs");
  QFile::remove(home.Ini());
  EXPECT_EQ(IniRead(S, "k", "dflt"), "dflt");
}

TEST(Settings, TwoProcessesWritingTheSameFileLoseNothing) {
  TempHome home;
  IniWrite("Start", "x", "1");
  QProcess a, b;
  a.start(INI_WRITER, {home.Ini(), "SPWAW", "a", "150"});
  b.start(INI_WRITER, {home.Ini(), "spwaw", "b", "150"});
  ASSERT_TRUE(a.waitForFinished(120000));
  ASSERT_TRUE(b.waitForFinished(120000));
  ASSERT_EQ(a.exitCode(), 0);
  ASSERT_EQ(b.exitCode(), 0);
  for (int i = 0; i < 150; ++i) {
    ASSERT_EQ(IniRead(S, "a" + QString::number(i)), "value-" + QString::number(i)) << i;
    ASSERT_EQ(IniRead(S, "b" + QString::number(i)), "value-" + QString::number(i)) << i;
  }
  EXPECT_EQ(IniRead("Start", "x"), "1");
  // Exactly one section, no stray temporary files.
  EXPECT_EQ(ReadFile(home.Ini()).toUpper().count("[SPWAW]"), 1);
  EXPECT_EQ(QDir(home.Path()).entryList(QDir::Files | QDir::Hidden).filter(".KOLT.INI.").size(),
            1);  // the lock file only
}

TEST(Settings, WriterKilledAtRandomNeverLeavesABrokenFile) {
  TempHome home;
  for (int i = 0; i < 40; ++i) IniWrite("Before", "k" + QString::number(i), "v" + QString::number(i));
  auto* rng = QRandomGenerator::global();
  for (int round = 0; round < 12; ++round) {
    QProcess writer;
    writer.start(INI_WRITER, {home.Ini(), "Round" + QString::number(round), "w", "100000"});
    ASSERT_TRUE(writer.waitForStarted());
    QThread::msleep(5UL + rng->bounded(60U));
    ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
    writer.waitForFinished();
    // Every write that reported success before the kill is in the file.
    const QList<QByteArray> done = writer.readAllStandardOutput().split('\n');
    int last = -1;
    for (const QByteArray& line : done) {
      if (!line.isEmpty()) last = line.toInt();
    }
    ClearIniCache();
    for (int i = 0; i < 40; ++i)
      ASSERT_EQ(IniRead("Before", "k" + QString::number(i)), "v" + QString::number(i)) << "round " << round;
    for (int i = 0; i <= last; ++i)
      ASSERT_EQ(IniRead("Round" + QString::number(round), "w" + QString::number(i)),
                "value-" + QString::number(i))
          << "round " << round;
  }
}

TEST(Settings, AFileThatCannotBeReadIsNeverReplaced) {
  TempHome home;
  // A fifo in the file's place: reads give defaults at once, writes leave it alone.
  ASSERT_EQ(::mkfifo(QFile::encodeName(home.Ini()).constData(), 0600), 0);
  EXPECT_EQ(IniRead("Settings", "Taunt", "dflt"), "dflt");
  IniWrite("Settings", "Taunt", "1");
  EXPECT_FALSE(CompactIniFile(home.Ini()));
  EXPECT_TRUE(QFileInfo(home.Ini()).exists());
  EXPECT_FALSE(QFileInfo(home.Ini()).isFile());
  QFile::remove(home.Ini());
  // A folder of that name likewise.
  const QString custom = home.File("CUSTOM.INI");
  QDir().mkpath(custom + "/inside");
  IniWrite("Program", "Name", "x", custom);
  EXPECT_TRUE(QFileInfo(custom + "/inside").isDir());
}

// A settings file nobody could have written by hand (a sparse one takes no disk space):
// refused before it is read, never replaced, and start-up stops with a message.
TEST(SettingsSizeLimit, AFileAboveTheLimitIsNeitherReadNorReplaced) {
  TempHome home;
  WriteFile(home.Ini(), "[SPWAW]\r\nDirectory=/games/spwaw\r\n");
  EXPECT_EQ(IniRead(S, "Directory"), "/games/spwaw");
  EXPECT_FALSE(IniFileTooLarge());
  QFile file(home.Ini());
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.resize(kIniFileMax + 1));
  file.close();
  EXPECT_TRUE(IniFileTooLarge());
  EXPECT_TRUE(IniFileTooLarge(home.Ini()));

  EXPECT_EQ(IniRead(S, "Directory", "dflt"), "dflt");  // the cached parse is not used either
  EXPECT_TRUE(IniReadSection(S).isEmpty());
  errno = 0;
  EXPECT_FALSE(IniWrite(S, "Directory", "/elsewhere"));
  EXPECT_EQ(errno, EFBIG);
  EXPECT_FALSE(CompactIniFile(home.Ini()));
  {
    Pass pass;
    EXPECT_TRUE(IniWrite(S, "Directory", "/elsewhere"));  // gathered ...
    EXPECT_FALSE(pass.End());                             // ... and refused at the end
  }
  EXPECT_EQ(QFileInfo(home.Ini()).size(), kIniFileMax + 1);
  EXPECT_EQ(ReadFile(home.Ini()).left(10), QByteArray("[SPWAW]\r\nD"));

  ScriptedUi ui;
  EXPECT_FALSE(RunStartup(ui, {}, home.Root() + "/kolt-helper", false));
  EXPECT_EQ(ui.Texts(),
            QStringList({home.Ini() + " is larger than 64 MB and is not read. No settings file is that "
                                      "large: move it away or put a backup in its place."}));
  EXPECT_EQ(QFileInfo(home.Ini()).size(), kIniFileMax + 1);

  // At the limit itself the file is still read.
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.resize(kIniFileMax));
  file.close();
  ClearIniCache();
  EXPECT_FALSE(IniFileTooLarge());
  EXPECT_EQ(IniRead(S, "Directory"), "/games/spwaw");
}

// A game's record read in one look-up gives what reading each key gives: case and
// blanks of the file, the first of two equal keys, keys beyond ASCII, cut
// values, and within a pass what the pass wrote.
TEST(SettingsRecords, OneLookupReadsAsIniReadDoesKeyByKey) {
  TempHome home;
  const QByteArray longValue(300, 'a');
  WriteFile(home.Ini(),
            "[spwaw]\r\n"
            "  Game1.CMT = one@example.org\r\n"
            "GAME1.cmt/s=2024-06-01 10:00:00\r\n"
            "game1.cmt/S=second, never read\r\n"
            "game1.cmt/R = \"2024-06-02 10:00:00\"\r\n"
            "game1.cmt/P=" +
                longValue +
                "\r\n"
                "Sp\xc3\xa4t.cmt/M=ZIP\r\n"
                "kelvin.cmt/S=2024-06-03 10:00:00\r\n"
                "[CMBO]\r\ngame1.cmt/M=KLT\r\n");
  const QStringList suffixes = {"", "/S", "/R", "/M", "/P", "/SN"};
  for (const QString& key :
       {QStringLiteral("game1.cmt"), QStringLiteral(" GAME1.CMT"), QStringLiteral("Spät.CMT"),
        QStringLiteral("SPÄT.cmt"), QStringLiteral("\u212Aelvin.CMT"), QStringLiteral("missing")}) {
    std::vector<bool> cut;
    const QStringList values = IniReadKeys(S, key, suffixes, &cut);
    ASSERT_EQ(values.size(), suffixes.size());
    for (qsizetype i = 0; i < suffixes.size(); ++i) {
      EXPECT_EQ(values[i], IniRead(S, key + suffixes[i])) << qPrintable(key + suffixes[i]);
      EXPECT_EQ(cut[static_cast<size_t>(i)], IniLastReadWasCut()) << qPrintable(key + suffixes[i]);
    }
  }
  EXPECT_EQ(IniReadKeys(S, "game1.cmt", {"/S"}), QStringList{"2024-06-01 10:00:00"});
  EXPECT_EQ(IniReadKeys(S, "spät.cmt", {"/M"}), QStringList{"ZIP"});
  EXPECT_EQ(IniReadKeys(S, "\u212Aelvin.cmt", {"/S"}), QStringList{"2024-06-03 10:00:00"});
  // A blank at the end of a suffix is trimmed with the key, as IniRead trims it.
  EXPECT_EQ(IniReadKeys(S, "game1.cmt", {"/S "}), QStringList{"2024-06-01 10:00:00"});

  Pass pass;
  const quint64 before = IniGeneration();
  IniWrite(S, "game1.cmt/R", "2024-07-01 10:00:00");
  IniWrite(S, "GAME1.CMT", "");
  EXPECT_NE(IniGeneration(), before);
  EXPECT_EQ(IniReadKeys(S, "game1.cmt", {"", "/R", "/S"}),
            (QStringList{"", "2024-07-01 10:00:00", "2024-06-01 10:00:00"}));
  ASSERT_TRUE(pass.End());
  EXPECT_EQ(IniReadKeys(S, "game1.cmt", {"", "/R"}), (QStringList{"", "2024-07-01 10:00:00"}));
}
