#include <gtest/gtest.h>

#include <QLocale>
#include <QSet>
#include <tuple>

#include "core/FileNames.h"
#include "core/FolderSnapshot.h"
#include "core/TextCodec.h"
#include "core/Utilities.h"
#include "support/TempHome.h"

using namespace kolt;
using kolt::test::TempHome;
using kolt::test::WriteFile;

TEST(Utilities, NumbersAsText) {
  const std::pair<qint64, const char*> sizes[] = {
      {0, "0 B"},          {999, "999 B"},
      {1000, "1 kB"},      {1536, "1.5 kB"},
      {10240, "10 kB"},    {12800, "13 kB"},  // 12.5 rounds half up
      {1022975, "999 kB"}, {1022976, "1 MB"},
      {5000000, "4.8 MB"}, {2000000000, "1907.3486328125 MB"},  // four digits: the general number
  };
  for (const auto& [bytes, text] : sizes) EXPECT_EQ(FormatSize(bytes), text) << bytes;
  const std::pair<double, const char*> decimals[] = {
      {1.25, "1.3"}, {1.96, "2"}, {12.5, "13"}, {7, "7"}, {1234.5, "1234.5"}};
  for (const auto& [x, text] : decimals) EXPECT_EQ(FormatOneDecimal(x), text) << x;
  const std::pair<const char*, double> leading[] = {
      {"  12abc", 12}, {"1.41", 1.41},    {"-3", -3},    {"x1", 0},
      {"", 0},         {"\t 1 2 3", 123}, {"+7", 7},     {"-", 0},
      {".", 0},        {"1.2.3", 1.2},    {"\u0663", 0}, {"12345678901234567890", 1.2345678901234567e19}};
  for (const auto& [text, x] : leading) EXPECT_EQ(LeadingNumber(QString::fromUtf8(text)), x) << text;

  // The decimal separator follows the locale.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(FormatOneDecimal(1.25), "1,3");
  EXPECT_EQ(FormatSize(1536), "1,5 kB");
  EXPECT_EQ(FormatGeneralNumber(12345.5), "12345,5");  // no group separator
  QLocale::setDefault(QLocale::c());
}

TEST(Utilities, CompareVersions) {
  const struct {
    const char *a, *b;
    int result;
  } cases[] = {
      {"1.10.0", "1.9.0", 1},
      {"2.0", "1.0.5", -1},
      {"1.0.5", "", 1},
      {"", "1.0.5", -1},
      {"", "", 0},
      {"3.0.0", "3.0.0", 0},
      {"3.0.1", "3.0.0", 1},
      {"3.0.0.9", "3.0.0.1", 0},  // only three parts count
      {"2.x.1", "2.0.0", 1},      // no number counts as 0
      {"2.5b.0", "2.5.0", 0},     // the leading number
  };
  for (const auto& c : cases) EXPECT_EQ(CompareVersions(c.a, c.b), c.result) << c.a << " / " << c.b;
}

TEST(Utilities, GeneratePassword) {
  SeedRandom(12345);
  QSet<QString> seen;
  for (int i = 0; i < 2000; ++i) {
    QString p = GeneratePassword();
    ASSERT_EQ(p.size(), 8);
    ASSERT_TRUE(p[0].isLetter()) << p.toStdString();
    for (QChar c : p) ASSERT_TRUE(c.unicode() < 128 && c.isLetterOrNumber());
    seen.insert(p);
  }
  EXPECT_GT(seen.size(), 1990);
  SeedRandom(7);
  QString a = GeneratePassword();
  SeedRandom(7);
  EXPECT_EQ(GeneratePassword(), a);
}

TEST(Utilities, TextHelpers) {
  QString t = "\r\n\nline 1\r\nline 2\n\r";
  TrimNewlines(t);
  EXPECT_EQ(t, "line 1\r\nline 2");
  QString only = "\r\n";
  TrimNewlines(only);
  EXPECT_EQ(only, "");
}

TEST(Utilities, StringArraysAndKeyedCollection) {
  QStringList a;
  EXPECT_TRUE(ArrayAdd(a, "ABC"));
  EXPECT_FALSE(ArrayAdd(a, "ABC"));
  EXPECT_TRUE(ArrayAdd(a, "DEF"));
  EXPECT_EQ(ArrayIndexOf(a, "DEF"), 1);
  EXPECT_EQ(ArrayIndexOf(a, "def"), -1);  // exact comparison
  EXPECT_EQ(JoinNonEmpty({"A", "", "B"}), "A,B");
  EXPECT_TRUE(ArrayRemove(a, "ABC"));
  EXPECT_FALSE(ArrayRemove(a, "ABC"));
  EXPECT_TRUE(ArrayRemove(a, "DEF"));
  EXPECT_TRUE(a.isEmpty());
  EXPECT_EQ(JoinNonEmpty(a), "");

  KeyedCollection c;
  AddUnique(c, "Abc");
  AddUnique(c, "ABC");
  EXPECT_EQ(c.size(), 1);
  EXPECT_EQ(c.value("ABC"), "Abc");
  EXPECT_TRUE(CollectionHasKey(c, "aBc"));
  EXPECT_FALSE(CollectionHasKey(c, "abd"));
}

TEST(FileNames, CaseBlindLookupAndWildcards) {
  TempHome home;
  WriteFile(home.File("Game/Email/Turn1.DAT"), "x");
  WriteFile(home.File("Game/Email/turn2.dat"), "x");
  WriteFile(home.File("Game/Email/notes.txt"), "x");
  EXPECT_EQ(FindEntryNoCase(home.File("Game"), "EMAIL"), home.File("Game/Email"));
  EXPECT_EQ(FindEntryNoCase(home.File("Game"), "SAVE"), "");
  bool found = false;
  EXPECT_EQ(ResolveNoCase(home.Path(), "game\\EMAIL/turn1.dat", &found), home.File("Game/Email/Turn1.DAT"));
  EXPECT_TRUE(found);
  EXPECT_EQ(ResolveNoCase(home.Path(), "GAME/Save/x.dat", &found), home.File("Game/Save/x.dat"));
  EXPECT_FALSE(found);
  EXPECT_EQ(ListNoCase(home.File("Game/Email"), "*.dat"), QStringList({"Turn1.DAT", "turn2.dat"}));
  EXPECT_EQ(ListNoCase(home.File("Game/Email"), "*.*").size(), 3);
  // Outside a pass every call sees the disk as it is now.
  EXPECT_FALSE(CurrentSnapshot());
  WriteFile(home.File("Game/Email/TURN3.DAT"), "x");
  EXPECT_EQ(ListNoCase(home.File("Game/Email"), "*.dat"),
            QStringList({"TURN3.DAT", "Turn1.DAT", "turn2.dat"}));
  EXPECT_EQ(FindEntryNoCase(home.File("Game/Email"), "turn3.dat"), home.File("Game/Email/TURN3.DAT"));
  EXPECT_TRUE(WildcardMatch("SAVE0??.DAT", "save001.dat"));
  EXPECT_FALSE(WildcardMatch("SAVE0??.DAT", "save01.dat"));
  EXPECT_TRUE(WildcardMatch("*a*b", "xxaxxb"));
  EXPECT_FALSE(WildcardMatch("*a*b", "xxaxxbc"));
  // "*.ext", the usual pattern, and case beyond ASCII.
  const std::tuple<const char*, const char*, bool> patterns[] = {{"*.DAT", "turn.dat", true},
                                                                 {"*.dat", "turn.dat.bak", false},
                                                                 {"*.dat", ".dat", true},
                                                                 {"*.dat", "dat", false},
                                                                 {"*", "", true},
                                                                 {"*.ÄRZ", "x.ärz", true},
                                                                 {"email*.cmt", "EMAIL1.CMT", true},
                                                                 {"*.cmt", "x.cmtx", false}};
  for (const auto& [pattern, name, match] : patterns)
    EXPECT_EQ(WildcardMatch(QString::fromUtf8(pattern), QString::fromUtf8(name)), match)
        << pattern << " " << name;
  EXPECT_TRUE(StartsWithNoCase(u"Ölmühle.SAV", u"ölMÜHLE."));
  EXPECT_FALSE(StartsWithNoCase(u"öl", u"öl."));
  // Letters outside the first plane (Deseret) fold as whole characters, in both helpers.
  EXPECT_TRUE(StartsWithNoCase(u"\U00010428x.sav", u"\U00010400X."));
  EXPECT_EQ(HashNoCase(u"\U00010428x"), HashNoCase(u"\U00010400X"));
  EXPECT_EQ(HashNoCase(u"ab/S"), HashNoCase(u"/s", HashNoCase(u"AB")));
  EXPECT_TRUE(EqualsNoCase(QLatin1StringView("Game12Sent"), u"GAME12sent"));
  EXPECT_TRUE(EqualsNoCase(QLatin1StringView("k"), u"\u212a"));  // the Kelvin sign folds to "k"
  EXPECT_FALSE(EqualsNoCase(QLatin1StringView("ab"), u"abc"));
}

TEST(TextCodec, Utf8OrWindows1252) {
  EXPECT_EQ(DecodeText(QByteArray("Caf\xc3\xa9")), QString::fromUtf8("Café"));
  EXPECT_EQ(DecodeText(QByteArray("Caf\xe9 \x80 \x93x\x94")), QString::fromUtf8("Café € “x”"));
  EXPECT_EQ(DecodeText(QByteArray("\xc3")), QString::fromUtf8("Ã"));                 // truncated UTF-8
  EXPECT_EQ(DecodeText(QByteArray("\xed\xa0\x80")), QString::fromUtf8("í\u00a0€"));  // surrogate: not UTF-8
  QByteArray out;
  EXPECT_TRUE(EncodeCp1252(QString::fromUtf8("€ é"), &out));
  EXPECT_EQ(out, QByteArray("\x80 \xe9"));
  EXPECT_FALSE(EncodeCp1252(QString::fromUtf8("日本"), &out));
}

TEST(TextCodec, OtherPeoplesTextIsMadeSafeToShow) {
  // Line breaks, separators and direction overrides could forge lines or disguise names.
  const QString forged =
      QString::fromUtf8("ivan@example.org\r\rYour version is: 9.9.9\u2028x\u202Egpj.exe\u0085");
  EXPECT_EQ(SafeForDisplay(forged), QString::fromUtf8("ivan@example.org??Your version is: 9.9.9?x?gpj.exe?"));
  EXPECT_EQ(SafeForDisplay(QString::fromUtf8("a\tb\u2029c"), QChar()), "abc");
  EXPECT_EQ(SafeForDisplay(QString::fromUtf8("Großdeutschland – €5 日本")),
            QString::fromUtf8("Großdeutschland – €5 日本"));
  EXPECT_FALSE(IsUnsafeForDisplay(QChar(0x00A0)));
  EXPECT_TRUE(IsUnsafeForDisplay(QChar(0x2066)));
}
