#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

#include "ProgramsHome.h"
#include "core/Settings.h"
#include "programs/CUSTOM/CUSTOM.h"
#include "support/FileSizeLimit.h"
#include "support/OneBox.h"
#include "ui/frmModify.h"

using namespace kolt;
using namespace kolt::test;

namespace {

struct Fixture : ProgramsHome<> {
  Fixture() {
    WriteFile(ini, "[Settings]\r\nLongName=ABC\r\n");
    program->SetINI("ABC");
  }
  std::unique_ptr<frmModify> Open() {
    auto form = std::make_unique<frmModify>(ui, tools, program);
    form->SetFileChooser([this](QFileDialog& dialog) {
      dialogs.append(dialog.windowTitle() + " | " + dialog.nameFilters().join(";") +
                     (dialog.fileMode() == QFileDialog::ExistingFile ? " | existing" : ""));
      folders.append(dialog.directory().absolutePath());
      return chosen.isEmpty() ? QString() : chosen.takeFirst();
    });
    return form;
  }
  const QString ini = home.File("ABC.INI");
  std::shared_ptr<CUSTOM> program = std::make_shared<CUSTOM>(Services{ui, tools, {}});
  QStringList chosen;   // what the file dialogs answer, in turn
  QStringList dialogs;  // title | filter | mode of each file dialog shown
  QStringList folders;  // the folder each file dialog started in
};

// The file types, a row each: extension, then True for each of Primary, Modified, Check
// Same and Required.
QList<QStringList> Types(frmModify& form) {
  return Rows(*Child<QTreeWidget>(form, "lvFileTypes"));
}

QCheckBox* Flag(frmModify& form, int i) {
  return Child<QCheckBox>(form, "chkFlag" + QString::number(i));
}

}  // namespace

TEST(frmModify, NewDefinitionLoadsEmptyAndAsksForAFileTypeFirst) {
  Fixture fx;
  auto form = fx.Open();
  EXPECT_EQ(form->windowTitle(), "Modify ABC (" + fx.ini + ")");
  EXPECT_EQ(Child<QLineEdit>(*form, "txtLongName")->text(), "ABC");
  for (const char* name : {"txtExe", "txtEMailSubDir", "txtFilePattern", "txtCommandLine", "txtContact",
                           "txtContactEMail", "txtExtension"})
    EXPECT_EQ(Child<QLineEdit>(*form, name)->text(), "") << name;
  EXPECT_EQ(Child<QComboBox>(*form, "txtUninstall")->currentText(), "");
  EXPECT_EQ(Child<QComboBox>(*form, "txtDescription")->currentText(), "");
  EXPECT_TRUE(Types(*form).isEmpty());

  fx.ui.Answers({Answer::Cancel});
  Click(*form, "cmdOK");
  ASSERT_EQ(fx.ui.Texts(), QStringList({"At least one file type is required."}));
  EXPECT_EQ(fx.ui.boxes[0].buttons, Buttons::OkCancel);
  EXPECT_EQ(fx.ui.boxes[0].icon, Icon::None);
  EXPECT_FALSE(form->Changed());
  EXPECT_EQ(ReadFile(fx.ini), "[Settings]\r\nLongName=ABC\r\n");
}

TEST(frmModify, AddedFileTypesAndTheRowEditor) {
  Fixture fx;
  auto form = fx.Open();
  form->show();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  auto* list = Child<QTreeWidget>(*form, "lvFileTypes");
  auto* extension = Child<QLineEdit>(*form, "txtExtension");
  // No row: the row editor is greyed, so nothing typed into it can be lost.
  for (QWidget* w : std::initializer_list<QWidget*>{extension, Flag(*form, 0), Flag(*form, 3),
                                                    Child<QPushButton>(*form, "cmdExtension"),
                                                    Child<QPushButton>(*form, "cmdRemove")})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();

  // Add makes the row at once and puts the cursor into its extension: what is typed
  // next lands in that row.
  Click(*form, "cmdAdd");
  EXPECT_TRUE(extension->isEnabled());
  EXPECT_TRUE(extension->hasFocus());
  QTest::keyClicks(QApplication::focusWidget(), "sav");
  Click(*form, "cmdAdd");
  // The extension's picker fills it from a file; cancelled, it changes nothing.
  fx.chosen = {"/games/x/turn.Txt"};
  Click(*form, "cmdExtension");
  Click(*form, "cmdAdd");
  Click(*form, "cmdExtension");
  EXPECT_EQ(fx.dialogs, QStringList(2, "Select the file. | *.* (*) | existing"));
  EXPECT_EQ(Types(*form), QList<QStringList>({{"sav", "True", "True", "True", "True"},
                                              {"TXT", "", "", "True", "True"},
                                              {"", "", "", "True", "True"}}));
  // The new row is selected and shown in the row editor.
  EXPECT_EQ(list->currentItem(), list->topLevelItem(2));
  EXPECT_FALSE(Flag(*form, 0)->isChecked());
  EXPECT_TRUE(Flag(*form, 3)->isChecked());

  QTest::keyClicks(extension, " cmt ");
  Flag(*form, 1)->click();
  Flag(*form, 3)->click();
  EXPECT_EQ(Types(*form)[2], QStringList({"cmt", "", "True", "True"}));
  list->setCurrentItem(list->topLevelItem(0));
  EXPECT_EQ(extension->text(), "sav");
  EXPECT_TRUE(Flag(*form, 0)->isChecked());

  // Remove selects the row that takes the removed one's place, or the new last row.
  list->setCurrentItem(list->topLevelItem(1));
  Click(*form, "cmdRemove");
  EXPECT_EQ(list->currentItem()->text(0), "cmt");
  EXPECT_EQ(extension->text(), "cmt");
  Click(*form, "cmdRemove");
  EXPECT_EQ(list->currentItem()->text(0), "sav");
  Click(*form, "cmdRemove");
  EXPECT_TRUE(Types(*form).isEmpty());
  EXPECT_FALSE(extension->isEnabled());
  EXPECT_TRUE(fx.ui.boxes.empty());
}

TEST(frmModify, FileTypeWarningsCanBeOverriddenOrCancelled) {
  Fixture fx;
  const QByteArray before = ReadFile(fx.ini);
  auto form = fx.Open();
  form->show();
  for (const char* ext : {"sav", "SAV", "sav"}) {
    Click(*form, "cmdAdd");
    QTest::keyClicks(Child<QLineEdit>(*form, "txtExtension"), ext);
  }
  // Unchecking the only Primary row: warned; Cancel keeps the editor open and writes nothing.
  auto* list = Child<QTreeWidget>(*form, "lvFileTypes");
  list->setCurrentItem(list->topLevelItem(0));
  Flag(*form, 0)->click();
  fx.ui.Answers({Answer::Cancel});
  Click(*form, "cmdOK");
  EXPECT_EQ(fx.ui.Texts(), QStringList({"One file type must have the Primary checked."}));
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(form->Changed());
  EXPECT_EQ(ReadFile(fx.ini), before);

  // Two extra Primary rows are each reported, in row order; equal extensions once.
  fx.ui.boxes.clear();
  Flag(*form, 0)->click();
  list->setCurrentItem(list->topLevelItem(1));
  Flag(*form, 0)->click();
  list->setCurrentItem(list->topLevelItem(2));
  Flag(*form, 0)->click();
  Flag(*form, 1)->click();
  Click(*form, "cmdOK");  // every warning answered OK: saved as it stands
  EXPECT_EQ(fx.ui.Texts(), QStringList({"Only one file type can have the Primary checked.",
                                        "Only one file type can have the Primary checked.",
                                        "Only one file type can have the Modified checked.",
                                        "Each extension should be different."}));
  EXPECT_TRUE(form->Changed());
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(IniRead("File2", "Primary", "", fx.ini), "1");
}

TEST(frmModify, LoadsTheDefinitionAndOkWritesItWholeInOrder) {
  Fixture fx;
  WriteFile(fx.ini,
            "[Settings]\r\nLongName=ABC\r\nFileTypes=3\r\nEXE=old.exe\r\n"
            "[File0]\r\nExt=SAV\r\nPrimary=1\r\nModified=1\r\nCheckSame=1\r\nRequired=1\r\n"
            "[File1]\r\nExt=DAT\r\nCheckSame=1\r\n[File2]\r\nExt=OLD\r\nRequired=1\r\n");
  auto form = fx.Open();
  EXPECT_EQ(Child<QLineEdit>(*form, "txtExe")->text(), "old.exe");
  EXPECT_EQ(Types(*form), QList<QStringList>({{"SAV", "True", "True", "True", "True"},
                                              {"DAT", "", "", "True"},
                                              {"OLD", "", "", "", "True"}}));
  auto* list = Child<QTreeWidget>(*form, "lvFileTypes");
  EXPECT_TRUE(list->topLevelItem(0)->font(0).bold());  // the primary type
  EXPECT_FALSE(list->topLevelItem(1)->font(0).bold());
  EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
  EXPECT_EQ(Child<QLineEdit>(*form, "txtExtension")->text(), "SAV");
  EXPECT_TRUE(Flag(*form, 1)->isChecked());

  const std::pair<const char*, QString> texts[] = {
      {"txtLongName", "Alpha Bravo"},      {"txtExe", "AB.EXE"},
      {"txtEMailSubDir", "turns"},         {"txtFilePattern", "*.SAV"},
      {"txtCommandLine", "\"%f\" \"%p\""}, {"txtContact", "Jo"},
      {"txtContactEMail", "jo@x.org"}};
  for (const auto& [name, text] : texts) Child<QLineEdit>(*form, name)->setText(text);
  Child<QComboBox>(*form, "txtUninstall")->setEditText("AB_Game | AB2");
  Child<QComboBox>(*form, "txtDescription")->setEditText("line2");
  list->setCurrentItem(list->topLevelItem(2));
  Click(*form, "cmdRemove");
  EXPECT_EQ(list->currentItem(), list->topLevelItem(1));
  Flag(*form, 3)->click();
  Click(*form, "cmdOK");
  EXPECT_TRUE(fx.ui.boxes.empty());
  EXPECT_TRUE(form->Changed());
  // Existing keys keep their places; new ones follow in the order written.
  EXPECT_EQ(IniReadSection("Settings", fx.ini),
            QStringList({"LongName=Alpha Bravo", "FileTypes=2", "EXE=AB.EXE", "EMailSubDir=turns",
                         "Uninstall=AB_Game | AB2", "KOLTFilePattern=*.SAV", "Description=line2",
                         "CommandLine=\"\"%f\" \"%p\"\"", "Contact=Jo", "ContactEMail=jo@x.org"}));
  EXPECT_EQ(IniReadSection("File0", fx.ini),
            QStringList({"Ext=SAV", "Primary=1", "Modified=1", "CheckSame=1", "Required=1"}));
  EXPECT_EQ(IniReadSection("File1", fx.ini),
            QStringList({"Ext=DAT", "CheckSame=1", "Primary=", "Modified=", "Required=1"}));
  // The type beyond the new count stays behind; the program reads only FileTypes sections.
  EXPECT_EQ(IniReadSection("File2", fx.ini), QStringList({"Ext=OLD", "Required=1"}));
}

TEST(frmModify, BrowseButtonsFillTheirFields) {
  Fixture fx;
  auto form = fx.Open();
  const QString turns = fx.home.Root() + "/game/Turns";
  WriteFile(turns + "/t1.sav", "x");
  fx.chosen = {"/g/Game.exe", turns + "/t1.sav", "/g/Save.sav1", ""};
  Click(*form, "cmdExe");
  Click(*form, "cmdEMailSubDir");
  Click(*form, "cmdFilePattern");
  Click(*form, "cmdExe");  // cancelled: unchanged
  // Not installed, the pickers start in the user's home, never the working folder.
  EXPECT_EQ(fx.folders, QStringList(4, QDir::homePath()));
  EXPECT_EQ(Child<QLineEdit>(*form, "txtExe")->text(), "GAME.EXE");
  EXPECT_EQ(Child<QLineEdit>(*form, "txtEMailSubDir")->text(), "Turns");
  EXPECT_EQ(Child<QLineEdit>(*form, "txtFilePattern")->text(), "*.SAV1");
  EXPECT_EQ(fx.dialogs,
            QStringList({"Select the executable. | *.exe (*.exe) | existing",
                         "Select some file in the e-mail subfolder (if any). | *.* (*) | existing",
                         "Select the primary file. | *.* (*) | existing",
                         "Select the executable. | *.exe (*.exe) | existing"}));
  // A file that does not exist names no folder.
  fx.chosen = {fx.home.Root() + "/gone/x.sav"};
  Click(*form, "cmdEMailSubDir");
  EXPECT_EQ(Child<QLineEdit>(*form, "txtEMailSubDir")->text(), "Turns");
}

TEST(frmModify, PickersStartInTheProgramsFolders) {
  Fixture fx;
  const QString installed = fx.home.Root() + "/game";
  WriteFile(installed + "/Turns/t1.sav", "x");
  WriteFile(fx.ini, "[Settings]\r\nLongName=ABC\r\nEMailSubDir=Turns\r\nDescription=LINE1\r\n");
  IniWrite("ABC", "Directory", installed);
  auto form = fx.Open();
  Click(*form, "cmdExe");
  Click(*form, "cmdFilePattern");
  Click(*form, "cmdDescription");
  Click(*form, "cmdAdd");
  Click(*form, "cmdExtension");
  EXPECT_EQ(fx.folders,
            QStringList({installed, installed + "/Turns", installed + "/Turns", installed + "/Turns"}));
}

TEST(frmModify, DescriptionTest) {
  Fixture fx;
  auto form = fx.Open();
  Click(*form, "cmdDescription");
  ASSERT_EQ(fx.ui.Texts(), QStringList({"Please define the description rule first."}));
  EXPECT_EQ(fx.ui.boxes[0].icon, Icon::Exclamation);
  EXPECT_TRUE(fx.dialogs.isEmpty());

  const QString file = fx.home.Root() + "/turn.txt";
  WriteFile(file, "first\r\nsecond line\r\nthird\r\n");
  Child<QComboBox>(*form, "txtDescription")->setEditText("line2");
  fx.chosen = {file};
  Click(*form, "cmdDescription");
  EXPECT_EQ(fx.dialogs, QStringList({"Select the file to test the description rule. | *.* (*) | existing"}));
  // An invalid rule is reported by the rule itself; the description is then empty.
  Child<QComboBox>(*form, "txtDescription")->setEditText("bad");
  fx.chosen = {file};
  Click(*form, "cmdDescription");
  ASSERT_EQ(fx.ui.Texts(), QStringList({"Please define the description rule first.", "second line",
                                        "Invalid Description rule: BAD", ""}));
  for (int i : {1, 3}) {
    EXPECT_EQ(fx.ui.boxes[i].title, "The file description");
    EXPECT_EQ(fx.ui.boxes[i].icon, Icon::None);
  }
}

TEST(frmModify, SuggestionsAreFilledOnTheFirstDropDown) {
  Fixture fx;
  WriteFile(
      fx.home.Root() + "/wine/system.reg",
      "WINE REGISTRY Version 2\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Steel_Panthers] 1\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\{5A3E-11}] 1\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\" +
          QByteArray(300, 'L') +
          "] 1\n"
          "[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Old Game] 1\n");
  auto form = fx.Open();
  auto items = [](QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) list.append(box->itemText(i));
    return list;
  };
  auto* uninstall = Child<QComboBox>(*form, "txtUninstall");
  auto* description = Child<QComboBox>(*form, "txtDescription");
  uninstall->setEditText("typed");
  EXPECT_EQ(uninstall->count(), 0);
  form->show();
  for (int i = 0; i < 2; ++i) {
    uninstall->showPopup();
    uninstall->hidePopup();
    description->showPopup();
    description->hidePopup();
  }
  EXPECT_EQ(items(uninstall), QStringList({"Steel_Panthers", QString(255, 'L'), "Old Game"}));
  EXPECT_EQ(uninstall->currentText(), "typed");
  EXPECT_EQ(items(description),
            QStringList({"LINE1", "LINE2", "LINE3", "LINE4", "LINE5", "LINE6", "TRIM", "MID21,64"}));
  EXPECT_EQ(description->currentText(), "");
}

TEST(frmModify, F1ShowsTheHelpOfTheFocusedControl) {
  Fixture fx;
  auto form = fx.Open();
  form->show();
  Click(*form, "cmdAdd");  // the row editor's fields take the focus only with a row
  QApplication::setActiveWindow(form.get());
  // Each control has its own help; the beginning of each names it.
  const std::pair<QString, QString> cases[] = {
      {"txtLongName", "Long descriptive name (e.g. 'Steel Panthers: World At War')."},
      {"txtUninstall", "The uninstall string from HKLM\\SOFTWARE\\Microsoft\\Windows\\"},
      {"txtCommandLine", "The command line option for starting the executable directly"},
      {"lvFileTypes", "You must have at least one file type defined."},
      {"chkFlag2", "Enable this if the file modification date must be newer each time."},
      {"cmdOK", "Set focus to some control and press F1 again."},
  };
  for (const auto& [name, text] : cases) {
    QWidget* control = Child<QWidget>(*form, name);
    control->setFocus();
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : control, Qt::Key_F1);
    ASSERT_TRUE(OneBoxStartsWith(fx.ui, text)) << name.toStdString();
    EXPECT_EQ(fx.ui.boxes[0].icon, Icon::Information);
    fx.ui.boxes.clear();
  }
}

TEST(frmModify, AFailedSaveIsToldAndTheDialogStaysWithWhatWasTyped) {
  Fixture fx;
  auto form = fx.Open();
  Click(*form, "cmdAdd");
  Child<QLineEdit>(*form, "txtExtension")->setText("SAV");
  Child<QLineEdit>(*form, "txtLongName")->setText("Alpha Bravo");
  Child<QLineEdit>(*form, "txtCommandLine")->setText("\"%f\" \"%p\"");
  const QByteArray before = ReadFile(fx.ini);
  {
    kolt::test::FileSizeLimit limit(4);  // nothing can be written
    ASSERT_TRUE(limit.IsSet());
    Click(*form, "cmdOK");
  }
  EXPECT_TRUE(OneBoxStartsWith(fx.ui, "Can't write the definition file " + fx.ini));
  EXPECT_FALSE(form->Changed());
  EXPECT_NE(form->result(), QDialog::Accepted);
  EXPECT_EQ(ReadFile(fx.ini), before);
  EXPECT_EQ(Child<QLineEdit>(*form, "txtLongName")->text(), "Alpha Bravo");

  // Saved at the next try; what the program reads is what was typed, quotes and all.
  Click(*form, "cmdOK");
  EXPECT_TRUE(form->Changed());
  fx.program->ReadINI();
  EXPECT_EQ(fx.program->GetLongName(), "Alpha Bravo");
  EXPECT_EQ(fx.program->GetCommandLine(), "\"%f\" \"%p\"");
}
