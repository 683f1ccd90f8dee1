#include <gtest/gtest.h>

#include <QDir>

#include "core/Settings.h"
#include "core/Startup.h"
#include "programs/CUSTOM/ProgramDefinition.h"
#include "support/FileSizeLimit.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

ProgramDefinition Full() {
  ProgramDefinition d;
  d.LongName = QStringLiteral("Alpha Bravo ä");
  d.EXE = QStringLiteral("AB.EXE");
  d.EMailSubDir = QStringLiteral("turns");
  d.Uninstall = QStringLiteral("AB_Game | AB2");
  d.KOLTFilePattern = QStringLiteral("*.SAV");
  d.Description = QStringLiteral("MID21,64");
  d.CommandLine = QStringLiteral("\"%f\" \"%p\"");
  d.Contact = QStringLiteral("Jo");
  d.ContactEMail = QStringLiteral("jo@x.org");
  d.Files = {{.Ext = "SAV", .Primary = true, .CheckSame = true, .Required = true, .Modified = true},
             {.Ext = "DAT", .CheckSame = true},
             {.Ext = "", .Required = true}};
  return d;
}

}  // namespace

namespace kolt {
void PrintTo(const ProgramDefinition& d, std::ostream* os) {
  *os << QStringList({d.LongName, d.EXE, d.EMailSubDir, d.Uninstall, d.KOLTFilePattern, d.Description,
                      d.CommandLine, d.Contact, d.ContactEMail})
             .join(" | ")
             .toStdString();
  for (const CUSTOM_File& f : d.Files)
    *os << " [" << f.Ext.toStdString() << ' ' << f.Primary << f.Modified << f.CheckSame << f.Required << ']';
}
}  // namespace kolt

TEST(ProgramDefinition, RoundTripKeepsEveryKeyAndWhatItDoesNotKnow) {
  TempHome home;
  const QString path = home.File("AB.INI");
  // A peer's file with a key and a section this build does not know, and a stale type
  // beyond the count.
  WriteFile(path,
            "[Settings]\r\nLongName=old\r\nHomePage=http://example.org\r\nFileTypes=4\r\n"
            "[File3]\r\nExt=OLD\r\n[Notes]\r\nText=kept\r\n");
  const ProgramDefinition written = Full();
  ASSERT_TRUE(written.Write(path));
  EXPECT_EQ(ProgramDefinition::Read(path), written);

  EXPECT_EQ(IniReadSection("Settings", path),
            QStringList({"LongName=Alpha Bravo ä", "HomePage=http://example.org", "FileTypes=3", "EXE=AB.EXE",
                         "EMailSubDir=turns", "Uninstall=AB_Game | AB2", "KOLTFilePattern=*.SAV",
                         "Description=MID21,64", "CommandLine=\"\"%f\" \"%p\"\"", "Contact=Jo",
                         "ContactEMail=jo@x.org"}));
  EXPECT_EQ(IniReadSection("File0", path),
            QStringList({"Ext=SAV", "Primary=1", "Modified=1", "CheckSame=1", "Required=1"}));
  EXPECT_EQ(IniReadSection("File1", path),
            QStringList({"Ext=DAT", "Primary=", "Modified=", "CheckSame=1", "Required="}));
  EXPECT_EQ(IniReadSection("File2", path),
            QStringList({"Ext=", "Primary=", "Modified=", "CheckSame=", "Required=1"}));
  EXPECT_EQ(IniReadSection("File3", path), QStringList({"Ext=OLD"}));
  EXPECT_EQ(IniReadSection("Notes", path), QStringList({"Text=kept"}));

  // Compacting drops only the empty keys; the definition reads the same.
  ASSERT_TRUE(ProgramDefinition::Compact(path));
  EXPECT_EQ(IniReadSection("File1", path), QStringList({"Ext=DAT", "CheckSame=1"}));
  EXPECT_EQ(ProgramDefinition::Read(path), written);

  // Writing what was read changes no byte.
  const QByteArray before = ReadFile(path);
  ASSERT_TRUE(ProgramDefinition::Read(path).Write(path));
  ASSERT_TRUE(ProgramDefinition::Compact(path));
  EXPECT_EQ(ReadFile(path), before);
}

TEST(ProgramDefinition, ReadsFlagsAsNumbersAndLimitsTheTypeCount) {
  TempHome home;
  const QString path = home.File("AB.INI");
  WriteFile(path,
            "[settings]\r\nfiletypes=99999\r\n[File0]\r\nExt=a\r\nPrimary=2\r\nModified=x\r\n"
            "CheckSame=0\r\nRequired= 1\r\n[File1]\r\nExt=b\r\nModified=1\r\n");
  const ProgramDefinition d = ProgramDefinition::Read(path);
  ASSERT_EQ(d.Files.size(), std::size_t(kMaxFileTypes));
  EXPECT_EQ(d.Files[0], (CUSTOM_File{.Ext = "a", .Primary = true, .Required = true}));
  EXPECT_EQ(d.ModifiedExt(), "b");
  EXPECT_EQ(d.FileTypeOf("game.B"), &d.Files[1]);
  EXPECT_EQ(d.FileTypeOf("game"), &d.Files[2]);  // the first type without an extension
  EXPECT_EQ(ProgramDefinition::Read(home.File("missing.ini")), ProgramDefinition{});
}

TEST(ProgramDefinition, FileTypeWarningsInTheOrderTheEditorAsks) {
  using Files = std::vector<CUSTOM_File>;
  const CUSTOM_File all{.Ext = "A", .Primary = true, .CheckSame = true, .Required = true, .Modified = true};
  const struct {
    Files files;
    QStringList warnings;
  } cases[] = {
      {{}, {"At least one file type is required."}},
      {{all}, {}},
      {{all, {.Ext = "a", .Primary = true, .Modified = true}, {.Ext = "c", .Primary = true}},
       {"Only one file type can have the Primary checked.",
        "Only one file type can have the Modified checked.",
        "Only one file type can have the Primary checked.", "Each extension should be different."}},
      {{{.Ext = "A"}, {.Ext = "B"}, {.Ext = "b"}, {.Ext = "a"}},
       {"One file type must have the Primary checked.", "One file type must have the Modified checked.",
        "At least one file type must have the Check Same checked.",
        "At least one file type must have the Required checked.", "Each extension should be different."}},
  };
  for (const auto& c : cases) {
    ProgramDefinition d;
    d.Files = c.files;
    EXPECT_EQ(d.FileTypeWarnings(), c.warnings) << c.warnings.join(" / ").toStdString();
  }
}

// Where a game folder may lead is checked through the CUSTOM adapter, with links and
// every kind of path (test_custom); here what the definition alone decides.
TEST(ProgramDefinition, TheExecutableIsAPlainNameAndNoInstallationHasNothingToLeave) {
  ProgramDefinition d;
  for (const char* exe : {"", ".", "..", "sub/ab.exe", "..\\ab.exe"}) {
    d.EXE = exe;
    EXPECT_FALSE(d.ExeIsPlainName()) << exe;
  }
  d.EXE = "ab.exe";
  EXPECT_TRUE(d.ExeIsPlainName());
  d.EMailSubDir = "..";
  EXPECT_FALSE(d.GameFolderLeavesInstallation(QString()));
}

TEST(ProgramDefinition, PathIsFoundWithoutRegardToCaseAndAFailedWriteIsReported) {
  TempHome home;
  App().homeFolder = home.Path();
  EXPECT_EQ(ProgramDefinition::PathFor("AB"), home.File("AB.INI"));
  WriteFile(home.File("ab.Ini"), "[Settings]\r\nLongName=x\r\n");
  EXPECT_EQ(ProgramDefinition::PathFor("AB"), home.File("ab.Ini"));
  App().homeFolder.clear();

  const QString path = home.File("ab.Ini");
  const QByteArray before = ReadFile(path);
  {
    FileSizeLimit limit(4);  // no file can be written
    ASSERT_TRUE(limit.IsSet());
    EXPECT_FALSE(Full().Write(path));
    EXPECT_FALSE(ProgramDefinition::WriteLongName(path, "AB"));
  }
  EXPECT_EQ(ReadFile(path), before);
  ASSERT_TRUE(ProgramDefinition::WriteLongName(home.File("NEW.INI"), "NEW"));
  EXPECT_EQ(ReadFile(home.File("NEW.INI")), "[Settings]\r\nLongName=NEW\r\n");
}
