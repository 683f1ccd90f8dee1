// Packing and unpacking turn archives, against Info-ZIP's zip and unzip.
#include "ArchiveFixture.h"
#include "exchange/archive/ArchiveCodes.h"
#include "exchange/archive/EntryNames.h"

#include <QRandomGenerator>

using namespace kolt;
using namespace kolt::test;

namespace {

// Bytes that do not compress, the same in every run.
QByteArray Noise(int words, quint32 seed) {
  QByteArray b(words * 4, '\0');
  QRandomGenerator(seed).fillRange(reinterpret_cast<quint32*>(b.data()), words);
  return b;
}

// The last byte of an entry's 12-byte encryption header as the classic zip scheme
// decrypts it with `password`; a password passes when it equals the entry's check byte.
quint8 DecryptedCheck(const QByteArray& password, const QByteArray& header) {
  auto crc = [](quint32 c, quint8 b) {
    c ^= b;
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    return c;
  };
  quint32 k0 = 0x12345678, k1 = 0x23456789, k2 = 0x34567890;
  auto update = [&](quint8 b) {
    k0 = crc(k0, b);
    k1 = (k1 + (k0 & 0xff)) * 134775813u + 1;
    k2 = crc(k2, static_cast<quint8>(k1 >> 24));
  };
  for (char c : password) update(static_cast<quint8>(c));
  quint8 plain = 0;
  for (char c : header) {
    const quint32 t = (k2 | 2) & 0xffff;
    plain = static_cast<quint8>(c) ^ static_cast<quint8>((t * (t ^ 1)) >> 8);
    update(plain);
  }
  return plain;
}

class ArchiveExchange : public ArchiveTest {
 protected:
  // A packing root like the instance folder: SPWAW/ with two turn files and a subfolder
  // that is not packed, and SENDER.TXT. Odd seconds: only the exact time survives.
  void MakeRoot() {
    ASSERT_TRUE(WriteFile(Path("inst/SPWAW/game01.dat"), Noise(17500, 1)));
    ASSERT_TRUE(WriteFile(Path("inst/SPWAW/game01.cmt"), QByteArray(50000, 'x') + "turn"));
    ASSERT_TRUE(WriteFile(Path("inst/SPWAW/bak/old.dat"), "old"));
    ASSERT_TRUE(WriteFile(Path("inst/SENDER.TXT"), "me@example.org\r\n(GMT+1) CET\r\n-60\r\n3.0.0\r\n"));
    SetModified(Path("inst/SPWAW/game01.dat"), QDateTime::fromSecsSinceEpoch(1100000001));
    SetModified(Path("inst/SPWAW/game01.cmt"), QDateTime::fromSecsSinceEpoch(1100000103));
    SetModified(Path("inst/SENDER.TXT"), QDateTime::fromSecsSinceEpoch(1100000205));
  }
  void ExpectSameFiles(const QString& from, const QString& to, const QStringList& names) {
    for (const QString& n : names) {
      EXPECT_EQ(ReadFile(to + "/" + n), ReadFile(from + "/" + n)) << n.toStdString();
      EXPECT_EQ(Time(to + "/" + n), Time(from + "/" + n)) << n.toStdString();
    }
  }
  // The names in the archive, as Info-ZIP lists them.
  QStringList Listing(const QString& archive) {
    QByteArray out;
    EXPECT_EQ(RunTool("unzip", {"-Z1", archive}, home.Path(), &out), 0) << out.constData();
    return QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts);
  }
  const QStringList kFiles{"SPWAW/game01.cmt", "SPWAW/game01.dat", "SENDER.TXT"};
};

TEST_F(ArchiveExchange, InfoZipArchiveUnpacksOverExistingFiles) {
  MakeRoot();
  QByteArray out;
  ASSERT_EQ(RunTool("zip", {"-9", "-q", Path("iz.zip"), "SPWAW/game01.dat", "SPWAW/game01.cmt", "SENDER.TXT"},
                    Path("inst"), &out),
            0)
      << out.constData();
  ASSERT_TRUE(WriteFile(Path("target/SPWAW/game01.dat"), "an older turn"));
  ASSERT_TRUE(WriteFile(Path("target/other.txt"), "stays"));

  ASSERT_TRUE(Unzip(Path("iz.zip"), Path("target")));
  EXPECT_EQ(log.mode, ArchiveLog::Mode::Unzip);
  EXPECT_EQ(log.extractRoot, Path("target"));
  EXPECT_EQ(log.lines.last(), "Done!");
  EXPECT_TRUE(ui.prompts.isEmpty());
  EXPECT_TRUE(ui.boxes.empty());  // replaced without asking
  ExpectSameFiles(Path("inst"), Path("target"), kFiles);
  EXPECT_EQ(Tree(Path("target")), QStringList({"SENDER.TXT", "SPWAW", "SPWAW/game01.cmt", "SPWAW/game01.dat",
                                               "other.txt"}));  // no staging folder left behind
}

TEST_F(ArchiveExchange, ZipMakesAStandardArchiveThatInfoZipAndWeUnpack) {
  MakeRoot();
  const QString klt = Path("inst/KOLT.KLT");
  ASSERT_TRUE(Zip(klt, Path("inst"), {"SPWAW\\*", "SENDER.TXT"}));
  EXPECT_EQ(log.mode, ArchiveLog::Mode::Zip);
  EXPECT_EQ(log.archiveName, klt);
  EXPECT_EQ(log.extractRoot, "SPWAW\\* SENDER.TXT ");
  EXPECT_EQ(log.lines.last(), "Done!");
  EXPECT_EQ(wrapper.LastCode(), 0);

  EXPECT_EQ(Listing(klt), kFiles);  // '/' and the subfolder left out
  QByteArray out;
  ASSERT_EQ(RunTool("unzip", {"-t", "-q", klt}, home.Path(), &out), 0) << out.constData();
  ASSERT_EQ(RunTool("unzip", {"-v", klt}, home.Path(), &out), 0);
  EXPECT_EQ(out.count("Defl:"), 3) << out.constData();
  // Best compression: no larger than Info-ZIP's own -9 for the same files.
  ASSERT_EQ(RunTool("zip", {"-9", "-q", Path("iz.zip"), "SPWAW/game01.cmt"}, Path("inst")), 0);
  ASSERT_TRUE(Zip(Path("ours.zip"), Path("inst"), {"SPWAW/game01.cmt"}));
  EXPECT_LE(QFileInfo(Path("ours.zip")).size(), QFileInfo(Path("iz.zip")).size() + 64);
  ASSERT_EQ(RunTool("unzip", {"-q", klt, "-d", Path("out")}, home.Path(), &out), 0) << out.constData();
  ExpectSameFiles(Path("inst"), Path("out"), kFiles);

  // Packed with '/' and unpacked by us: the subfolder is made again. After packing,
  // unpacking shows its own texts again with a fresh message list.
  ASSERT_TRUE(Zip(Path("inst/KOLT2.KLT"), Path("inst"), {"SPWAW/*", "SENDER.TXT"}));
  wrapper.UnzipInit();
  EXPECT_EQ(log.mode, ArchiveLog::Mode::Unzip);
  EXPECT_TRUE(log.archiveName.isEmpty());
  EXPECT_TRUE(log.extractRoot.isEmpty());
  EXPECT_TRUE(log.lines.isEmpty());
  ASSERT_TRUE(Unzip(Path("inst/KOLT2.KLT"), Path("recv")));
  ExpectSameFiles(Path("inst"), Path("recv"), kFiles);
  EXPECT_FALSE(QFileInfo::exists(Path("recv/SPWAW/bak")));
}

TEST_F(ArchiveExchange, StarPacksTheRootFilesOnlyAndUnmatchedNamesAreSilent) {
  MakeRoot();
  ASSERT_TRUE(WriteFile(Path("inst/SPWAW/.hidden"), "x"));
  ASSERT_TRUE(Zip(Path("inst/SPWAW.zip"), Path("inst/SPWAW"), {"NOTHERE\\*", "*"}));
  EXPECT_EQ(log.extractRoot, "NOTHERE\\* SPWAW ");
  for (const QString& line : log.lines) EXPECT_FALSE(line.contains("not matched")) << line.toStdString();
  EXPECT_EQ(Listing(Path("inst/SPWAW.zip")), QStringList({"game01.cmt", "game01.dat"}));

  // The archive beside the files is not packed into its successor.
  ASSERT_TRUE(Zip(Path("inst/SPWAW/again.zip"), Path("inst/SPWAW"), {"*", "*"}));
  EXPECT_EQ(Listing(Path("inst/SPWAW/again.zip")), QStringList({"game01.cmt", "game01.dat"}));

  EXPECT_FALSE(Zip(Path("none.zip"), Path("inst"), {"missing.txt"}));
  EXPECT_EQ(log.lines.last(), "Return code:12");
  EXPECT_FALSE(QFileInfo::exists(Path("none.zip")));
  EXPECT_EQ(Tree(home.Path()).filter(".zip.").size(), 0);  // no temporary archive left
}

TEST_F(ArchiveExchange, BackslashNamesAndFoldersCaseInsensitively) {
  Craft(Path("old.zip"), {{"OLD\\", "", AE_IFDIR}, {"SPWAW\\turn.dat", "t1"}, {"spwaw\\Turn2.DAT", "t2"}});
  ASSERT_TRUE(WriteFile(Path("target/Spwaw/turn2.dat"), "older"));
  ASSERT_TRUE(Unzip(Path("old.zip"), Path("target")));
  // Existing folders and files are matched without regard to case, as on Windows.
  EXPECT_EQ(Tree(Path("target")), QStringList({"OLD", "Spwaw", "Spwaw/turn.dat", "Spwaw/turn2.dat"}));
  EXPECT_EQ(ReadFile(Path("target/Spwaw/turn2.dat")), "t2");
  EXPECT_EQ(Time(Path("target/Spwaw/turn.dat")), 1000000000);
}

TEST_F(ArchiveExchange, NonAsciiNamesInEveryEncoding) {
  // Info-ZIP on a UTF-8 system.
  ASSERT_TRUE(WriteFile(Path("src/Übung ä.txt"), "utf8"));
  ASSERT_EQ(RunTool("zip", {"-q", Path("utf8.zip"), "Übung ä.txt"}, Path("src")), 0);
  ASSERT_TRUE(Unzip(Path("utf8.zip"), Path("t1")));
  EXPECT_EQ(ReadFile(Path("t1/Übung ä.txt")), "utf8");

  // Old Windows zippers: code page 437 or Windows-1252 bytes without the UTF-8 flag.
  // Patched in after writing, so the writer cannot flag or convert them.
  Craft(Path("raw.zip"), {{"cafX437.txt", "a"}, {"cafY1252.txt", "b"}});
  QByteArray raw = ReadFile(Path("raw.zip"));
  raw.replace("cafX437", QByteArray("caf\x82") + "437").replace("cafY1252", QByteArray("caf\xe9") + "1252");
  ASSERT_TRUE(WriteFile(Path("raw.zip"), raw));
  ASSERT_TRUE(Unzip(Path("raw.zip"), Path("t2")));
  EXPECT_EQ(Tree(Path("t2")), QStringList({"café1252.txt", "café437.txt"}));

  EXPECT_EQ(DecodeEntryName("M\x81nchen\\\x84rger"), "München\\ärger");
  EXPECT_EQ(DecodeEntryName("M\xfcnchen \xc4rger"), "München Ärger");

  // Our archives flag UTF-8; Info-ZIP unpacks the name as it was.
  ASSERT_TRUE(Zip(Path("ours.zip"), Path("src"), {"*"}));
  ASSERT_EQ(RunTool("unzip", {"-q", Path("ours.zip"), "-d", Path("t3")}, home.Path()), 0);
  EXPECT_EQ(ReadFile(Path("t3/Übung ä.txt")), "utf8");
}

TEST_F(ArchiveExchange, PasswordIsAskedAndAnEmptyAnswerSkipsForTheRestOfTheRun) {
  MakeRoot();
  ASSERT_EQ(
      RunTool("zip", {"-q", "-P", "secret", Path("enc.zip"), "SENDER.TXT", "SPWAW/game01.dat"}, Path("inst")),
      0);
  ui.Inputs({QString("wrong"), QString("secret")});
  ASSERT_TRUE(Unzip(Path("enc.zip"), Path("t1")));
  // Asked again after the wrong one; the right one serves the second entry too.
  EXPECT_EQ(ui.prompts, QStringList({"Please Enter The Password!", "Please Enter The Password!"}));
  EXPECT_EQ(ReadFile(Path("t1/SPWAW/game01.dat")), ReadFile(Path("inst/SPWAW/game01.dat")));

  ui.prompts.clear();
  ui.Inputs({QString("")});
  EXPECT_FALSE(Unzip(Path("enc.zip"), Path("t2")));
  EXPECT_EQ(wrapper.LastCode(), UnzipCode::BadPassword);
  EXPECT_EQ(log.lines.last(), "Retcode: 82");
  EXPECT_EQ(ui.prompts.size(), 1);
  EXPECT_TRUE(Tree(Path("t2")).isEmpty());
  // Skipped from now on without asking; plain entries of a mixed archive still arrive.
  ASSERT_EQ(RunTool("zip", {"-q", Path("enc.zip"), "SPWAW/game01.cmt"}, Path("inst")), 0);
  EXPECT_FALSE(Unzip(Path("enc.zip"), Path("t3")));
  EXPECT_EQ(wrapper.LastCode(), UnzipCode::Warning);
  EXPECT_EQ(ui.prompts.size(), 1);
  EXPECT_EQ(Tree(Path("t3")), QStringList({"SPWAW", "SPWAW/game01.cmt"}));
}

TEST_F(ArchiveExchange, AWrongPasswordThatPassesTheHeaderCheckIsAskedAgain) {
  MakeRoot();
  ASSERT_EQ(
      RunTool("zip", {"-q", "-P", "secret", Path("enc.zip"), "SENDER.TXT", "SPWAW/game01.dat"}, Path("inst")),
      0);
  QByteArray bytes = ReadFile(Path("enc.zip"));
  ASSERT_GT(bytes.size(), 100);
  auto le16 = [&](int at) {
    return static_cast<quint8>(bytes[at]) | static_cast<quint8>(bytes[at + 1]) << 8;
  };
  const quint8 check = static_cast<quint8>(bytes[(le16(6) & 8) ? 11 : 17]);
  const int data = 30 + le16(26) + le16(28);
  // One wrong password in 256 passes the first entry's check; its data then reads as damaged.
  QByteArray slips;
  for (int i = 0; i < 100000 && slips.isEmpty(); ++i) {
    const QByteArray candidate = "wrong" + QByteArray::number(i);
    if (DecryptedCheck(candidate, bytes.mid(data, 12)) == check) slips = candidate;
  }
  ASSERT_EQ(DecryptedCheck("secret", bytes.mid(data, 12)), check);  // the scheme is read right
  ASSERT_FALSE(slips.isEmpty());

  ui.Inputs({QString::fromLatin1(slips), QString("secret")});
  ASSERT_TRUE(Unzip(Path("enc.zip"), Path("t1")));
  EXPECT_EQ(ui.prompts.size(), 2);  // the right one serves the second entry without asking
  ExpectSameFiles(Path("inst"), Path("t1"), {"SENDER.TXT", "SPWAW/game01.dat"});

  // Damaged data under the right password: asked once more, and the same answer ends it.
  bytes[data + 14] = static_cast<char>(bytes[data + 14] ^ 0x5a);
  ASSERT_TRUE(WriteFile(Path("bad.zip"), bytes));
  ui.prompts.clear();
  ui.Inputs({QString("secret"), QString("secret")});
  EXPECT_FALSE(Unzip(Path("bad.zip"), Path("t2")));
  EXPECT_EQ(wrapper.LastCode(), UnzipCode::Warning);
  EXPECT_EQ(ui.prompts.size(), 2);
  EXPECT_TRUE(log.lines.join('\n').contains("skipping: SENDER.TXT"));
  EXPECT_EQ(Tree(Path("t2")), QStringList({"SPWAW", "SPWAW/game01.dat"}));
}

TEST_F(ArchiveExchange, FailuresEndWithTheCodeAndWriteNothing) {
  EXPECT_FALSE(Unzip(Path("missing.zip"), Path("t")));
  EXPECT_EQ(log.lines.last(), "Retcode: 9");

  ASSERT_TRUE(WriteFile(Path("text.zip"), "just some text, not an archive\n"));
  EXPECT_FALSE(Unzip(Path("text.zip"), Path("t")));
  EXPECT_EQ(log.lines.last(), "Retcode: 9");

  Craft(Path("empty.zip"), {});
  EXPECT_FALSE(Unzip(Path("empty.zip"), Path("t")));
  EXPECT_EQ(log.lines.last(), "Retcode: 1");

  // A damaged second entry: the first one is not left behind either.
  MakeRoot();
  ASSERT_EQ(RunTool("zip", {"-9", "-q", Path("bad.zip"), "SENDER.TXT", "SPWAW/game01.cmt"}, Path("inst")), 0);
  QByteArray bytes = ReadFile(Path("bad.zip"));
  const qsizetype second = bytes.indexOf("SPWAW/game01.cmt") + 40;
  for (int i = 0; i < 8; ++i) bytes[second + i] = static_cast<char>(bytes[second + i] ^ 0x5a);
  ASSERT_TRUE(WriteFile(Path("bad.zip"), bytes));
  EXPECT_FALSE(Unzip(Path("bad.zip"), Path("t")));
  EXPECT_EQ(wrapper.LastCode(), UnzipCode::ArchiveError);
  EXPECT_EQ(log.lines.last(), "Retcode: 2");
  EXPECT_TRUE(Tree(Path("t")).isEmpty());
}

TEST_F(ArchiveExchange, MessagesAreSplitTrimmedAndRepainted) {
  wrapper.UnzipInit();
  const int before = ui.doEvents;
  wrapper.AddMessage("\r\nfirst\r\n\r\n  second\nthird\r");
  EXPECT_EQ(log.lines, QStringList({"first", "  second", "third"}));
  EXPECT_GT(ui.doEvents, before);
}

}  // namespace
