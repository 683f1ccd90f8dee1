#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/linux/WineRegistry.h"
#include "support/TempHome.h"

using kolt::WineRegistry;

namespace {

const QString kSample = QStringLiteral(KOLT_TEST_SOURCE_DIR "/tests/platform/data/wine-system.reg");

}  // namespace

TEST(WineRegistry, ReadsTheRealFileFormat) {
  WineRegistry reg;
  ASSERT_TRUE(reg.Load(kSample));
  EXPECT_EQ(reg.ReadString(QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
                                          "Steel_Panthers_World_At_War"),
                           "UninstallString"),
            "\"C:\\Games\\SPWAW\\uninst.exe\"");
  // Key and value names without regard to case; doubled separators as written in files.
  EXPECT_EQ(reg.ReadString(QStringLiteral("SOFTWARE\\\\WOW6432NODE\\\\microsoft\\windows\\currentversion\\"
                                          "uninstall\\space empires iv"),
                           "uninstallstring"),
            R"(C:\WINDOWS\unwise.exe C:\Games\SE4\install.log)");
  const QString cv = "Software\\Microsoft\\Windows\\CurrentVersion";
  EXPECT_EQ(reg.ReadString(cv, "ProgramFilesDir (x86)"), "C:\\Program Files (x86)");
  EXPECT_EQ(reg.ReadString(cv, "ProgramFilesPath"), "%ProgramFiles%");
  EXPECT_EQ(reg.ReadString(cv, "RegisteredOwner"), QString(""));
  EXPECT_FALSE(reg.ReadString(cv, "FirstInstallDateTime").has_value());  // binary
  const auto bin = reg.Read(cv, "FirstInstallDateTime");
  ASSERT_TRUE(bin.has_value());
  EXPECT_EQ(bin->text, "21817c23");
  // The continued hex(6) value before it must not swallow this key.
  const QString folder = R"(Software\Classes\CLSID\{0AFACED1-E828-11D1-9187-B532F1E9575D}\ShellFolder)";
  const auto dword = reg.Read(folder, "Attributes");
  ASSERT_TRUE(dword.has_value());
  EXPECT_EQ(dword->number, 0x60010000u);
  EXPECT_EQ(dword->text, "60010000");
  const auto link = reg.Read("Software\\Wow6432Node\\Classes", "SymbolicLinkValue");
  ASSERT_TRUE(link.has_value());
  const QByteArray bytes = QByteArray::fromHex(link->text.toLatin1());
  EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2),
            "\\Registry\\Machine\\Software\\Classes\\Wow6432Node");
}

// The uninstall entries are listed for the user to pick from: each child once, spelled as
// written, in file order, also when only a deeper key names it.
TEST(WineRegistry, ListsTheSubKeysOfAKey) {
  WineRegistry reg;
  reg.Parse(
      "WINE REGISTRY Version 2\n"
      "[Software\\\\Uninstall] 1\n"
      "[Software\\\\Uninstall\\\\Beta] 1\n"
      "\"UninstallString\"=\"b\"\n"
      "[Software\\\\Uninstall\\\\{1234-ABCD}] 1\n"
      "[Software\\\\Uninstall\\\\Alpha\\\\Deeper] 1\n"
      "[Software\\\\UNINSTALL\\\\alpha] 1\n"
      "[Software\\\\UninstallOther\\\\Gamma] 1\n");
  EXPECT_EQ(reg.SubKeyNames("software\\uninstall\\"), QStringList({"Beta", "{1234-ABCD}", "Alpha"}));
  EXPECT_EQ(reg.SubKeyNames("Software\\Uninstall\\Alpha"), QStringList({"Deeper"}));
  EXPECT_TRUE(reg.SubKeyNames("Software\\Uninstall\\Beta").isEmpty());
  EXPECT_TRUE(reg.SubKeyNames("Nothing").isEmpty());
}

TEST(WineRegistry, EscapesDefaultValuesAndEncodedStrings) {
  WineRegistry reg;
  reg.Parse(
      "WINE REGISTRY Version 2\n"
      "[Software\\\\Odd\\]Name\\\\Sub] 1700000000\r\n"
      "@=\"default \\\"quoted\\\" \\x20ac \\x4e2d\\x6587 tab\\there\"\r\n"
      "\"Multi\"=str(7):\"a\\0b\\0\"\n"
      "\"Octal\"=\"\\101\\102C\"\n"
      "\"Wide\"=hex(2):43,00,3a,00,5c,00,00,00\n"
      "\"Big\"=dword:ffffffff\n"
      "\"TooBig\"=dword:1ffffffff\n"
      "\"Broken\"=\"no end\n"
      "\"NoEquals\" \"x\"\n");
  const QString key = "Software\\Odd]Name\\Sub";
  EXPECT_EQ(reg.ReadString(key, QString()), "default \"quoted\" \u20ac \u4e2d\u6587 tab\there");
  EXPECT_FALSE(reg.ReadString(key, "Multi").has_value());
  EXPECT_EQ(reg.Read(key, "Multi")->type, WineRegistry::Type::MultiString);
  EXPECT_EQ(reg.ReadString(key, "Octal"), "ABC");
  EXPECT_EQ(reg.ReadString(key, "Wide"), "C:\\");
  EXPECT_EQ(reg.Read(key, "Big")->number, 0xFFFFFFFFu);
  EXPECT_FALSE(reg.Read(key, "TooBig").has_value());
  EXPECT_FALSE(reg.Read(key, "Broken").has_value());
  EXPECT_FALSE(reg.Read(key, "NoEquals").has_value());
}

TEST(WineRegistry, DamagedFilesParseWithoutHarm) {
  WineRegistry reg;
  EXPECT_FALSE(reg.Load("/nonexistent/system.reg"));
  EXPECT_EQ(reg.KeyCount(), 0);
  // A pipe is not waited on, and a file larger than Wine writes is not read (sparse).
  QTemporaryDir dir;
  const QString fifo = dir.path() + "/fifo.reg";
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  EXPECT_FALSE(reg.Load(fifo));
  const QString huge = dir.path() + "/huge.reg";
  ASSERT_TRUE(kolt::test::WriteFile(huge, "WINE REGISTRY Version 2\n[K] 1\n\"A\"=\"b\"\n"));
  ASSERT_TRUE(QFile::resize(huge, WineRegistry::kMaxFileSize + 1));
  EXPECT_FALSE(reg.Load(huge));
  EXPECT_EQ(reg.KeyCount(), 0);
  // Values before any key, unterminated key lines, a continuation at the end of file.
  reg.Parse("\"Orphan\"=\"x\"\n[Unterminated\n\"A\"=\"b\"\n[K] 1\n\"H\"=hex:01,\\");
  EXPECT_FALSE(reg.Read("Unterminated", "A").has_value());
  EXPECT_TRUE(reg.Read("K", "H").has_value());
  // Long runs of escapes are read in one pass, and what follows them still counts.
  reg.Parse(QByteArray("[") + QByteArray(100000, '\\') + "\n[K] 1\n\"A\"=\"" + QByteArray(100000, '\\') +
            "\"\n");
  EXPECT_TRUE(reg.Read("K", "A").has_value());
}
