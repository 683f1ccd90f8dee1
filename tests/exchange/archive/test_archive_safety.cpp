// Received archives come from other people: whatever they hold, nothing lands outside
// the target folder, and a refused archive leaves nothing behind at all.
#include "ArchiveFixture.h"
#include "exchange/archive/ArchiveCodes.h"

using namespace kolt;
using namespace kolt::test;

namespace {

class ArchiveSafety : public ArchiveTest {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteFile(Path("target/keep.txt"), "mine")); }

  // Unpacks into target/ and checks the refusal: code 3 as the last line, the entry
  // named, the target as it was and nothing new anywhere else.
  void ExpectRefused(const QString& archive, const QString& named) {
    const QStringList outside = Tree(home.Root());
    EXPECT_FALSE(Unzip(archive, Path("target")));
    EXPECT_EQ(wrapper.LastCode(), UnzipCode::Refused);
    EXPECT_EQ(log.lines.last(), "Retcode: 3");
    EXPECT_TRUE(log.lines.join('\n').contains("\"" + named + "\"")) << log.lines.join('\n').toStdString();
    EXPECT_EQ(Tree(Path("target")), QStringList({"keep.txt"}));
    EXPECT_EQ(Tree(home.Root()), outside);
    EXPECT_EQ(ReadFile(Path("target/keep.txt")), "mine");
  }
};

TEST_F(ArchiveSafety, NamesLeavingTheTargetAreRefused) {
  const QByteArray absolute = QFile::encodeName(Path("abs.txt"));
  const std::vector<QByteArray> names = {
      "../evil.txt", "..\\..\\evil.txt", "SPWAW/../../evil.txt", "SPWAW\\..\\..\\x",
      absolute,      "C:\\evil.txt",     "C:evil.txt",           "\\\\server\\share\\x"};
  for (const QByteArray& name : names) {
    SCOPED_TRACE(name.constData());
    Craft(Path("bad.zip"), {{"good.txt", "fine"}, {name, "evil"}});
    ExpectRefused(Path("bad.zip"), QString::fromUtf8(name).replace('\\', '/'));  // shown with '/'
  }
  EXPECT_FALSE(QFileInfo::exists(Path("abs.txt")));
  EXPECT_FALSE(QFileInfo::exists(Path("evil.txt")));
  EXPECT_FALSE(QFileInfo::exists(home.Root() + "/evil.txt"));
}

TEST_F(ArchiveSafety, LinksDevicesAndPipesAreRefused) {
  Craft(Path("sym.zip"), {{"good.txt", "fine"}, {"link", "", AE_IFLNK, "/etc/passwd"}});
  ExpectRefused(Path("sym.zip"), "link");

  // Info-ZIP stores a symbolic link as one with -y.
  ASSERT_TRUE(WriteFile(Path("src/good.txt"), "fine"));
  ASSERT_EQ(::symlink("/etc", QFile::encodeName(Path("src/etc")).constData()), 0);
  ASSERT_EQ(RunTool("zip", {"-q", "-y", Path("izsym.zip"), "good.txt", "etc"}, Path("src")), 0);
  ExpectRefused(Path("izsym.zip"), "etc");

  Craft(Path("hard.tar"), {{"good.txt", "fine"}, {"hard", "", AE_IFREG, "good.txt", true}}, true);
  ExpectRefused(Path("hard.tar"), "hard");
  Craft(Path("fifo.tar"), {{"good.txt", "fine"}, {"fifo", "", AE_IFIFO}}, true);
  ExpectRefused(Path("fifo.tar"), "fifo");
  Craft(Path("dev.tar"), {{"good.txt", "fine"}, {"null", "", AE_IFCHR}}, true);
  ExpectRefused(Path("dev.tar"), "null");
}

TEST_F(ArchiveSafety, MoreThanTenThousandEntriesAreRefused) {
  std::vector<Crafted> many;
  for (int i = 0; i < 10001; ++i) many.push_back({"f" + QByteArray::number(i), ""});
  Craft(Path("many.zip"), many);
  ExpectRefused(Path("many.zip"), "f10000");
  // Exactly the limit is fine (a smaller one here: ten thousand new files cost seconds).
  many.erase(many.begin() + 51, many.end());
  Craft(Path("many.zip"), many);
  wrapper.SetLimits(ExtractLimits{50, qint64(1) << 30});
  ExpectRefused(Path("many.zip"), "f50");
  many.pop_back();
  Craft(Path("many.zip"), many);
  EXPECT_TRUE(Unzip(Path("many.zip"), Path("t")));
  EXPECT_EQ(Tree(Path("t")).size(), 50);
}

TEST_F(ArchiveSafety, SizesFromHeadersAndRealBytesAreBothCounted) {
  ASSERT_TRUE(WriteFile(Path("src/zeros"), QByteArray(1000000, '\0')));
  ASSERT_TRUE(WriteFile(Path("src/a.txt"), "first"));
  ASSERT_EQ(RunTool("zip", {"-9", "-q", Path("z.zip"), "a.txt", "zeros"}, Path("src")), 0);
  const QByteArray good = ReadFile(Path("z.zip"));
  // Both copies of the uncompressed size of "zeros": local header (offset 22) and
  // central directory (offset 24).
  auto withSize = [&](quint32 size) {
    QByteArray b = good;
    const qsizetype local = b.indexOf(QByteArray("PK\x03\x04", 4), 1);
    const qsizetype central = b.indexOf(QByteArray("PK\x01\x02", 4));
    const qsizetype central2 = b.indexOf(QByteArray("PK\x01\x02", 4), central + 1);
    for (qsizetype at : {local + 22, central2 + 24})
      for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((size >> (8 * i)) & 0xff);
    return b;
  };
  ASSERT_TRUE(WriteFile(Path("big.zip"), withSize(0x80000000u)));  // claims 2 GiB
  ExpectRefused(Path("big.zip"), "zeros");

  // Headers that understate the size: counted while writing and stopped at the limit.
  ASSERT_TRUE(WriteFile(Path("lie.zip"), withSize(10)));
  wrapper.SetLimits(ExtractLimits{10000, 100000});
  ExpectRefused(Path("lie.zip"), "zeros");
  // Under the default limit the reader itself finds the lie; still nothing is written.
  wrapper.SetLimits(ExtractLimits{});
  EXPECT_FALSE(Unzip(Path("lie.zip"), Path("target")));
  EXPECT_EQ(wrapper.LastCode(), UnzipCode::ArchiveError);
  EXPECT_EQ(Tree(Path("target")), QStringList({"keep.txt"}));

  // A sparse tar entry whose map places 4 bytes 1 TiB into the file, with a real size
  // of 10 in the header: few bytes on disk, but a file of 1 TiB for whoever reads it.
  const char* script =
      "import io, sys, tarfile\n"
      "m = b'1\\n1099511627776\\n4\\n'\n"
      "data = m + bytes(512 - len(m)) + b'EVIL'\n"
      "ti = tarfile.TarInfo('holes.dat')\n"
      "ti.size = len(data)\n"
      "ti.pax_headers = {'GNU.sparse.major': '1', 'GNU.sparse.minor': '0',\n"
      "                  'GNU.sparse.name': 'holes.dat', 'GNU.sparse.realsize': '10'}\n"
      "with tarfile.open(sys.argv[1], 'w', format=tarfile.PAX_FORMAT) as t:\n"
      "    t.addfile(ti, io.BytesIO(data))\n";
  ASSERT_EQ(RunTool("/usr/bin/python3", {"-c", script, Path("holes.tar")}, Path(".")), 0);
  ExpectRefused(Path("holes.tar"), "holes.dat");
}

TEST_F(ArchiveSafety, ExistingLinksAndFoldersInTheTargetAreNotFollowedOrReplaced) {
  // A link already in the target folder is not a way out of it.
  ASSERT_TRUE(QDir().mkpath(Path("elsewhere")));
  ASSERT_EQ(::symlink(QFile::encodeName(Path("elsewhere")).constData(),
                      QFile::encodeName(Path("target/SPWAW")).constData()),
            0);
  Craft(Path("a.zip"), {{"good.txt", "fine"}, {"SPWAW/turn.dat", "x"}});
  EXPECT_FALSE(Unzip(Path("a.zip"), Path("target")));
  EXPECT_EQ(wrapper.LastCode(), UnzipCode::DiskError);
  EXPECT_TRUE(Tree(Path("elsewhere")).isEmpty());
  EXPECT_EQ(Tree(Path("target")), QStringList({"SPWAW", "keep.txt"}));  // checked before anything moved

  // A file where a folder is: nothing is half done.
  Craft(Path("b.zip"), {{"good.txt", "fine"}, {"keep.txt/inner", "x"}});
  EXPECT_FALSE(Unzip(Path("b.zip"), Path("target")));
  EXPECT_EQ(wrapper.LastCode(), UnzipCode::DiskError);
  EXPECT_FALSE(QFileInfo::exists(Path("target/good.txt")));
}

}  // namespace
