#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "ProgramsHome.h"
#include "core/AppSettings.h"
#include "core/Settings.h"
#include "model/ProgramRegistry.h"
#include "programs/Adapters.h"
#include "ui/frmModify.h"
#include "ui/frmPrograms.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// The home folder with Steel Panthers installed, the two other built-in games declared
// not installed, and the user-defined program ABC.
struct Fixture : ProgramsHome<> {
  Fixture() {
    NothingInstalled();
    WriteFile(spwaw + "/mech.exe", "MZ");
    IniWrite("SPWAW", "Directory", spwaw);
    IniWrite("SPWAW", "SAVE", "0");
    WriteFile(home.File("ABC.INI"), "[Settings]\r\nLongName=Alpha Bravo\r\nContact=\r\n");
    registry = std::make_unique<ProgramRegistry>(Services{ui, tools, {}}, AdapterFactories());
  }
  std::unique_ptr<frmPrograms> Open() { return std::make_unique<frmPrograms>(ui, tools, *registry, 0); }

  const QString spwaw = home.Root() + "/games/SPWAW";
  std::unique_ptr<ProgramRegistry> registry;
};

QList<QStringList> Rows(frmPrograms& form) {
  return kolt::test::Rows(*Child<QTreeWidget>(form, "lvInstalled"));
}

QStringList ShortNames(frmPrograms& form) {
  QStringList names;
  for (const QStringList& row : Rows(form)) names.append(row.value(0));
  return names;
}

void Select(frmPrograms& form, const QString& shortName) {
  auto* list = Child<QTreeWidget>(form, "lvInstalled");
  const auto items = list->findItems(shortName, Qt::MatchExactly, 0);
  ASSERT_EQ(items.size(), 1) << shortName.toStdString();
  list->setCurrentItem(items[0]);
  items[0]->setSelected(true);
}

}  // namespace

TEST(frmPrograms, ListsEveryProgram) {
  Fixture fx;
  WriteFile(fx.home.File("DEF.INI"), "[Settings]\r\nLongName=Removed one\r\n");
  SetRemovedPrograms({"DEF"});
  auto form = fx.Open();
  auto* list = Child<QTreeWidget>(*form, "lvInstalled");
  // Installed programs show version, state and folder; the others only their names.
  const auto rows = Rows(*form);
  ASSERT_EQ(rows.size(), 4);
  EXPECT_EQ(rows[0].mid(0, 2), QStringList({"SPWAW", "Steel Panthers: World at War"}));
  EXPECT_EQ(rows[0].mid(3), QStringList({"Not running", QFileInfo(fx.spwaw).canonicalFilePath()}));
  EXPECT_FALSE(rows[0][2].isEmpty());
  EXPECT_EQ(rows[1], QStringList({"CMBO", "Combat Mission: Beyond Overlord"}));
  EXPECT_EQ(rows[2], QStringList({"SE4", "Space Empires IV"}));
  EXPECT_EQ(rows[3], QStringList({"ABC", "Alpha Bravo"}));
  EXPECT_FALSE(list->topLevelItem(0)->font(0).bold());
  EXPECT_TRUE(list->topLevelItem(3)->font(0).bold());
  EXPECT_TRUE(list->selectedItems().isEmpty());
  EXPECT_TRUE(fx.ui.boxes.empty());

  Select(*form, "ABC");
  // Refresh rebuilds the list and keeps the selection.
  Click(*form, "cmdRefresh");
  ASSERT_EQ(list->selectedItems().size(), 1);
  EXPECT_EQ(list->selectedItems()[0]->text(0), "ABC");
}

TEST(frmPrograms, AddChecksTheNameAndCreatesTheDefinition) {
  Fixture fx;
  auto form = fx.Open();
  // "aßßßß" is 5 characters typed and 9 in upper case ("ASSSSSSSS"): too long.
  fx.ui.Inputs({std::nullopt, QString(), "a", "abcdefghi", QString::fromUtf8("aßßßß"), "ab-c", "spwaw",
                "kolt", "abc"});
  for (int i = 0; i < 9; ++i) Click(*form, "cmdAdd");
  EXPECT_EQ(fx.ui.Texts(), QStringList({"Invalid length: 1", "Invalid length: 9", "Invalid length: 9",
                                        "Invalid character: -", "Name is already in use!",
                                        "Name is already in use!", "Name is already in use!"}));
  EXPECT_EQ(fx.ui.boxes[0].icon, Icon::None);
  EXPECT_EQ(fx.ui.boxes[3].icon, Icon::Exclamation);
  EXPECT_EQ(fx.ui.boxes[4].icon, Icon::Exclamation);
  EXPECT_FALSE(form->Changed());
  EXPECT_EQ(QDir(fx.home.Path()).entryList({"*.INI"}, QDir::Files), QStringList({"ABC.INI", "KOLT.INI"}));

  // A name typed in lower case becomes the upper-case program with a definition of its own.
  fx.ui.Inputs({"xy1"});
  Click(*form, "cmdAdd");
  EXPECT_TRUE(form->Changed());
  EXPECT_EQ(ReadFile(fx.home.File("XY1.INI")), "[Settings]\r\nLongName=XY1\r\n");
  EXPECT_EQ(ShortNames(*form), QStringList({"SPWAW", "CMBO", "SE4", "ABC", "XY1"}));
  // The name that is checked is the one that is created: "ß" (one character) is "SS".
  fx.ui.Inputs({QString::fromUtf8("ß")});
  Click(*form, "cmdAdd");
  EXPECT_EQ(ReadFile(fx.home.File("SS.INI")), "[Settings]\r\nLongName=SS\r\n");
  EXPECT_TRUE(ShortNames(*form).contains("SS"));
  EXPECT_EQ(fx.ui.boxes.size(), 7u);
}

TEST(frmPrograms, AddingARemovedNameBringsItsDefinitionBack) {
  Fixture fx;
  WriteFile(fx.home.File("def.ini"), "[Settings]\r\nLongName=Old name\r\nEXE=def.exe\r\n");
  SetRemovedPrograms({"GHI", "DEF"});
  auto form = fx.Open();
  EXPECT_FALSE(ShortNames(*form).contains("DEF"));
  fx.ui.Inputs({"Def"});
  Click(*form, "cmdAdd");
  EXPECT_TRUE(fx.ui.boxes.empty());
  EXPECT_EQ(IniRead("Settings", "RemovedPrograms"), "GHI");
  // The old file, found whatever its case, keeps its definition; only the long name is new.
  EXPECT_EQ(IniReadSection("Settings", fx.home.File("def.ini")),
            QStringList({"LongName=DEF", "EXE=def.exe"}));
  EXPECT_FALSE(QFileInfo::exists(fx.home.File("DEF.INI")));
  EXPECT_EQ(ShortNames(*form), QStringList({"SPWAW", "CMBO", "SE4", "ABC", "DEF"}));
}

TEST(frmPrograms, RemoveKeepsTheFileAndRestoreBringsEveryProgramBack) {
  Fixture fx;
  auto form = fx.Open();
  Click(*form, "cmdRemove");   // nothing selected
  Click(*form, "cmdRestore");  // nothing removed
  EXPECT_TRUE(fx.ui.boxes.empty());

  Select(*form, "SPWAW");
  Click(*form, "cmdRemove");
  Select(*form, "ABC");
  fx.ui.Answers({Answer::Cancel, Answer::Ok});
  Click(*form, "cmdRemove");
  EXPECT_EQ(ShortNames(*form).size(), 4);
  Click(*form, "cmdRemove");
  ASSERT_EQ(fx.ui.boxes.size(), 3u);
  EXPECT_EQ(fx.ui.boxes[0].text,
            "SPWAW is hard coded and can't be removed, but you can disable it if you want.");
  EXPECT_EQ(fx.ui.boxes[0].icon, Icon::Exclamation);
  EXPECT_EQ(fx.ui.boxes[2].text,
            "Do you want to remove ABC? The program will just be removed from the list of "
            "installed games, the " +
                fx.home.File("ABC.INI") + " file still remains.");
  EXPECT_EQ(fx.ui.boxes[2].buttons, Buttons::OkCancel);
  EXPECT_EQ(fx.ui.boxes[2].icon, Icon::Question);
  EXPECT_EQ(IniRead("Settings", "RemovedPrograms"), "ABC");
  EXPECT_TRUE(QFileInfo::exists(fx.home.File("ABC.INI")));
  EXPECT_EQ(ShortNames(*form), QStringList({"SPWAW", "CMBO", "SE4"}));

  IniWrite("Settings", "RemovedPrograms", "ZZ,ABC");
  fx.ui.Answers({Answer::Cancel, Answer::Ok});
  Click(*form, "cmdRestore");
  EXPECT_EQ(IniRead("Settings", "RemovedPrograms"), "ZZ,ABC");
  Click(*form, "cmdRestore");
  EXPECT_EQ(fx.ui.boxes.back().text, "ZZ,ABC\r\n\r\nDo you want to restore all removed programs?");
  EXPECT_EQ(fx.ui.boxes.back().icon, Icon::Question);
  EXPECT_EQ(IniRead("Settings", "RemovedPrograms"), "");
  EXPECT_EQ(ShortNames(*form), QStringList({"SPWAW", "CMBO", "SE4", "ABC"}));
}

TEST(frmPrograms, DisableAndEnableOnlyWhatTheyCanChange) {
  Fixture fx;
  auto form = fx.Open();
  Select(*form, "CMBO");
  Click(*form, "cmdDisable");  // not installed: nothing to disable
  Select(*form, "SPWAW");
  Click(*form, "cmdEnable");  // installed: nothing to enable
  EXPECT_TRUE(fx.ui.boxes.empty());
  EXPECT_TRUE(fx.ui.folderQuestions.empty());
  EXPECT_FALSE(form->Changed());

  Click(*form, "cmdDisable");  // the default answer is No
  ASSERT_EQ(fx.ui.boxes.size(), 1u);
  EXPECT_EQ(fx.ui.boxes[0].text, "Do you really want to disable Steel Panthers: World at War?");
  EXPECT_EQ(fx.ui.boxes[0].buttons, Buttons::YesNo);
  EXPECT_EQ(fx.ui.boxes[0].defaultButton, 2);
  EXPECT_EQ(IniRead("SPWAW", "Directory"), fx.spwaw);
  fx.ui.Answers({Answer::Yes});
  Click(*form, "cmdDisable");
  EXPECT_EQ(IniRead("SPWAW", "Directory"), "-");
  EXPECT_EQ(Rows(*form)[0], QStringList({"SPWAW", "Steel Panthers: World at War"}));
  EXPECT_TRUE(form->Changed());

  // Enable looks again and asks for the folder; the row is installed again.
  fx.ui.Folders({fx.spwaw});
  Click(*form, "cmdEnable");
  ASSERT_EQ(fx.ui.folderQuestions.size(), 1u);
  EXPECT_EQ(Rows(*form)[0].value(3), "Not running");
  EXPECT_EQ(IniRead("SPWAW", "Directory"), QFileInfo(fx.spwaw).canonicalFilePath());
}

// A user-defined program with a native executable: Enable asks for its folder, Run starts
// it with the main window's handle.
TEST(frmPrograms, EnableAndRunAUserDefinedProgram) {
  Fixture fx;
  const QString folder = fx.home.Root() + "/games/abc";
  const QString marker = folder + "/ran.txt";
  WriteScript(folder + "/run.sh", "#!/bin/sh\necho ran > ran.txt\n");
  IniWrite("Settings", "EXE", "run.sh", fx.home.File("ABC.INI"));
  auto form = fx.Open();
  Select(*form, "ABC");
  Click(*form, "cmdRun");  // not installed: nothing to start
  fx.ui.Folders({folder});
  Click(*form, "cmdEnable");
  ASSERT_EQ(fx.ui.folderQuestions.size(), 1u);
  EXPECT_EQ(fx.ui.folderQuestions[0].exeName, "run.sh");
  EXPECT_EQ(Rows(*form)[3].mid(3), QStringList({"Not running", folder}));
  EXPECT_TRUE(form->Changed());
  EXPECT_FALSE(QFileInfo::exists(marker));
  Click(*form, "cmdRun");
  QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(marker), 10000);
  EXPECT_TRUE(fx.ui.boxes.empty()) << fx.ui.Texts().join(" / ").toStdString();
}

TEST(frmPrograms, ModifyOpensTheEditorForUserDefinedProgramsOnly) {
  Fixture fx;
  auto form = fx.Open();
  form->show();
  auto* list = Child<QTreeWidget>(*form, "lvInstalled");
  Select(*form, "SE4");
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(fx.ui.Texts(), QStringList({"SE4 is hard coded and can't be modified."}));
  EXPECT_EQ(fx.ui.boxes[0].icon, Icon::Exclamation);
  EXPECT_TRUE(form->isVisible());  // Enter is Modify, not a button of the dialog

  // The editor comes up modally for ABC; Cancel leaves everything as it was.
  QStringList captions;
  bool ok = false;
  form->SetEditorHook([&](frmModify& editor) {
    captions.append(editor.windowTitle());
    editor.SetFileChooser([](QFileDialog&) { return QStringLiteral("/games/turn.sav"); });
    QTimer::singleShot(0, &editor, [&editor, ok] {
      if (ok) {
        Click(editor, "cmdAdd");
        Click(editor, "cmdExtension");
      }
      Click(editor, ok ? "cmdOK" : "cmdCancel");
    });
  });
  Select(*form, "ABC");
  emit list->itemDoubleClicked(list->currentItem(), 0);
  EXPECT_EQ(captions, QStringList({"Modify ABC (" + fx.home.File("ABC.INI") + ")"}));
  EXPECT_FALSE(form->Changed());
  ok = true;
  Click(*form, "cmdModify");
  EXPECT_EQ(captions.size(), 2);
  EXPECT_TRUE(form->Changed());
  EXPECT_EQ(IniRead("Settings", "FileTypes", "", fx.home.File("ABC.INI")), "1");
  EXPECT_EQ(IniRead("File0", "Ext", "", fx.home.File("ABC.INI")), "SAV");
  EXPECT_EQ(fx.ui.boxes.size(), 1u);
}

TEST(frmPrograms, CloseCompactsTheDefinitionsAndTellsOnlyAfterAChange) {
  Fixture fx;
  const QByteArray abc = ReadFile(fx.home.File("ABC.INI"));
  {
    auto form = fx.Open();
    form->show();
    Click(*form, "cmdRefresh");
    Click(*form, "cmdClose");
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(fx.ui.boxes.empty());
    EXPECT_EQ(ReadFile(fx.home.File("ABC.INI")), abc);  // "Contact=" stays
  }
  WriteFile(fx.home.File("REM.INI"), "[Settings]\r\nLongName=\r\n");
  SetRemovedPrograms({"REM"});
  for (bool escape : {false, true}) {
    auto form = fx.Open();
    form->show();
    fx.ui.Inputs({escape ? "NEW2" : "NEW1"});
    Click(*form, "cmdAdd");
    if (escape)
      QTest::keyClick(form.get(), Qt::Key_Escape);
    else
      form->close();
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(fx.ui.boxes.size(), escape ? 2u : 1u);
    EXPECT_EQ(fx.ui.boxes.back().text, "You have to restart KOLT Helper so that the changes take effect.");
    EXPECT_EQ(fx.ui.boxes.back().icon, Icon::Information);
  }
  // The listed programs' definitions lose their empty values; a removed one is not listed.
  EXPECT_EQ(ReadFile(fx.home.File("ABC.INI")), "[Settings]\r\nLongName=Alpha Bravo\r\n");
  EXPECT_EQ(ReadFile(fx.home.File("REM.INI")), "[Settings]\r\nLongName=\r\n");
}

// A program's short name is its settings section: the sections the program keeps for
// itself cannot be taken, and a definition the program refuses says why in the list.
TEST(frmPrograms, ReservedNamesAreRefusedAndARefusedDefinitionShowsWhy) {
  Fixture fx;
  const QString game = fx.home.Root() + "/games/EVIL";
  WriteFile(game + "/evil.exe", "MZ");
  IniWrite("EVIL", "Directory", game);
  WriteFile(fx.home.File("EVIL.INI"),
            "[Settings]\r\nEXE=evil.exe\r\nEMailSubDir=../../../../../../../tmp\r\n");
  auto form = fx.Open();
  const auto rows = Rows(*form);
  ASSERT_EQ(rows.size(), 5);
  EXPECT_EQ(rows[4], QStringList({"EVIL", "EVIL", "",
                                  "Not installed: EMailSubDir leads outside the installation "
                                  "folder"}));
  ASSERT_EQ(fx.ui.boxes.size(), 1u);
  fx.ui.boxes.clear();

  fx.ui.Inputs({"tray", "Settings", "HISTORY", "text"});
  for (int i = 0; i < 4; ++i) Click(*form, "cmdAdd");
  EXPECT_EQ(fx.ui.Texts(), QStringList(4, "Name is already in use!"));
  EXPECT_FALSE(form->Changed());
}
