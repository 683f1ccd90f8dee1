#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/linux/LinuxWintools.h"
#include "support/Child.h"
#include "support/ScopedEnv.h"
#include "support/Screenshot.h"
#include "support/ScriptedUi.h"
#include "ui/QtUiPort.h"
#include "ui/frmProgram.h"

using namespace kolt;
using namespace kolt::test;

namespace {

const QString kQuestion =
    "I don't know if Steel Panthers: World at War is installed. Please enter the installation directory "
    "(where \"mech.exe\" is) below.";

}  // namespace

TEST(frmProgram, PreparedControlsAndScreenshot) {
  ScriptedUi ui;
  frmProgram form(ui);
  EXPECT_EQ(form.windowTitle(), "Program title");
  EXPECT_EQ(Child<QLabel>(form, "lblQuestion")->text(), "I don't know...");
  form.Prepare("Steel Panthers: World at War", kQuestion, "/games/spwaw", "mech.exe");
  EXPECT_EQ(form.windowTitle(), "Steel Panthers: World at War");
  EXPECT_EQ(Child<QLabel>(form, "lblQuestion")->text(), kQuestion);
  EXPECT_EQ(Child<QLineEdit>(form, "txtDirectory")->text(), "/games/spwaw");
  EXPECT_EQ(Child<QPushButton>(form, "cmdBrowse")->text(), "&Browse...");
  EXPECT_EQ(Child<QPushButton>(form, "OKButton")->text(), "OK");
  EXPECT_TRUE(Child<QPushButton>(form, "OKButton")->isDefault());
  EXPECT_EQ(Child<QPushButton>(form, "CancelButton")->text(), "Cancel");
  EXPECT_EQ(form.DialogResult(), std::nullopt);  // nothing confirmed yet

  form.show();
  QApplication::processEvents();
  SaveScreenshot(form, "frmProgram");

  form.Prepare("X", "Q", "-", "x.exe");
  EXPECT_EQ(Child<QLineEdit>(form, "txtDirectory")->text(), "");  // "-" is not shown
}

TEST(frmProgram, OkTakesAnExistingFolderOrNothing) {
  QTemporaryDir dir;
  ScriptedUi ui;
  frmProgram form(ui);
  form.Prepare("SP", "Q", "", "mech.exe");
  form.show();
  auto* field = Child<QLineEdit>(form, "txtDirectory");
  auto* ok = Child<QPushButton>(form, "OKButton");

  field->setText(dir.path() + "/missing");
  ok->click();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Folder '" + dir.path() + "/missing' does not exist");
  EXPECT_EQ(ui.boxes[0].icon, Icon::None);
  EXPECT_TRUE(form.isVisible());  // stays open
  EXPECT_EQ(form.DialogResult(), std::nullopt);

  field->setText(dir.path());
  ok->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(form.DialogResult(), std::optional<QString>(dir.path()));

  // An empty field or "-" closes with an empty answer, not the previous folder.
  for (const QString& t : {QString(), QString("-")}) {
    form.Prepare("SP", "Q", dir.path(), "mech.exe");
    form.show();
    field->setText(t);
    ok->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.DialogResult(), std::optional<QString>(QString()));
  }
  EXPECT_EQ(ui.boxes.size(), 1u);
}

// A folder typed as the home-relative "~/..." or in the Windows form the game's documents
// use is the folder it names.
TEST(frmProgram, HomeAndWindowsFormsNameTheirFolders) {
  QTemporaryDir prefix;
  const ScopedEnv wine("WINEPREFIX", prefix.path());
  QDir().mkpath(prefix.path() + "/drive_c/Games/SPWAW");
  QDir().mkpath(prefix.path() + "/dosdevices");
  QFile::link("../drive_c", prefix.path() + "/dosdevices/c:");
  QDir().mkpath(QDir::homePath() + "/games/spwaw");
  ScriptedUi ui;
  LinuxWintools tools(ui);
  frmProgram form(ui);
  form.SetTools(&tools);
  auto* field = Child<QLineEdit>(form, "txtDirectory");
  auto* ok = Child<QPushButton>(form, "OKButton");
  const QString drive = QFileInfo(prefix.path() + "/dosdevices/c:").canonicalFilePath();
  for (const auto& [typed, folder] : {std::pair<QString, QString>{"C:\\Games\\SPWAW", drive + "/Games/SPWAW"},
                                      {"c:/games/spwaw\\", drive + "/Games/SPWAW"},
                                      {" ~/games/spwaw ", QDir::homePath() + "/games/spwaw"}}) {
    form.Prepare("SP", "Q", "", "mech.exe");
    form.show();
    field->setText(typed);
    ok->click();
    EXPECT_EQ(form.DialogResult(), std::optional<QString>(folder)) << typed.toStdString();
  }
  // A drive the prefix does not have is a folder that does not exist, named as typed.
  form.Prepare("SP", "Q", "", "mech.exe");
  form.show();
  field->setText("D:\\Games");
  ok->click();
  ASSERT_EQ(ui.Texts(), QStringList({"Folder 'D:\\Games' does not exist"}));
  EXPECT_TRUE(form.isVisible());
}

TEST(frmProgram, CancelEscapeAndCloseBoxCancel) {
  ScriptedUi ui;
  frmProgram form(ui);
  form.Prepare("SP", "Q", "/old", "mech.exe");
  form.show();
  Child<QPushButton>(form, "CancelButton")->click();
  EXPECT_EQ(form.DialogResult(), std::nullopt);

  form.Prepare("SP", "Q", "/old", "mech.exe");
  form.show();
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.DialogResult(), std::nullopt);

  form.Prepare("SP", "Q", "/old", "mech.exe");
  form.show();
  form.close();
  EXPECT_EQ(form.DialogResult(), std::nullopt);
}

TEST(frmProgram, BrowseLooksForTheExecutableAndTakesItsFolder) {
  QTemporaryDir dir;
  ScriptedUi ui;
  frmProgram form(ui);
  form.Prepare("Steel Panthers: World at War", kQuestion, dir.path(), "mech.exe");
  {
    QFileDialog dialog;
    form.ConfigureFileDialog(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Steel Panthers: World at War");
    EXPECT_EQ(dialog.nameFilters(), QStringList({"mech.exe (mech.exe)"}));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog.defaultSuffix(), "exe");
    EXPECT_EQ(dialog.directory().absolutePath(), dir.path());
  }
  QString shownFilter;
  form.SetFileChooser([&](QFileDialog& dialog) {
    shownFilter = dialog.nameFilters().value(0);
    return dir.path() + "/SPWAW/MECH.EXE";
  });
  Child<QPushButton>(form, "cmdBrowse")->click();
  EXPECT_EQ(shownFilter, "mech.exe (mech.exe)");
  EXPECT_EQ(Child<QLineEdit>(form, "txtDirectory")->text(), dir.path() + "/SPWAW");

  // A cancelled file dialog changes nothing.
  form.SetFileChooser([](QFileDialog&) { return QString(); });
  Child<QPushButton>(form, "cmdBrowse")->click();
  EXPECT_EQ(Child<QLineEdit>(form, "txtDirectory")->text(), dir.path() + "/SPWAW");

  // Without an executable name the user picks the folder itself.
  form.Prepare("Other", "Q", dir.path(), "");
  QFileDialog dialog;
  form.ConfigureFileDialog(dialog);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
  QDir().mkpath(dir.path() + "/games");
  form.SetFileChooser([&](QFileDialog&) { return dir.path() + "/games"; });
  Child<QPushButton>(form, "cmdBrowse")->click();
  EXPECT_EQ(Child<QLineEdit>(form, "txtDirectory")->text(), dir.path() + "/games");
}

TEST(frmProgram, QtUiPortRunsTheDialogModally) {
  QTemporaryDir dir;
  QtUiPort port;
  // Answers the dialog once it is up: type the folder and press Enter (OK is default).
  auto answer = [&](const QString& text, bool cancel) {
    QTimer::singleShot(0, [=]() {
      auto* form = qobject_cast<frmProgram*>(QApplication::activeModalWidget());
      ASSERT_NE(form, nullptr);
      EXPECT_EQ(form->windowTitle(), "Steel Panthers: World at War");
      auto* field = form->findChild<QLineEdit*>("txtDirectory");
      EXPECT_EQ(field->text(), "/old");
      if (cancel) {
        form->findChild<QPushButton*>("CancelButton")->click();
        return;
      }
      field->setText(text);
      QTest::keyClick(field, Qt::Key_Return);
    });
  };
  answer(dir.path(), false);
  EXPECT_EQ(port.AskInstallFolder("Steel Panthers: World at War", kQuestion, "/old", "mech.exe"),
            std::optional<QString>(dir.path()));
  answer(QString(), true);
  EXPECT_EQ(port.AskInstallFolder("Steel Panthers: World at War", kQuestion, "/old", "mech.exe"),
            std::nullopt);
  answer(QString(), false);
  EXPECT_EQ(port.AskInstallFolder("Steel Panthers: World at War", kQuestion, "/old", "mech.exe"),
            std::optional<QString>(QString()));
  // A folder named like the old in-band cancel marker is a folder.
  const QString marker = dir.path() + "/MODAL_" + "CANCEL";
  ASSERT_TRUE(QDir().mkpath(marker));
  answer(marker, false);
  EXPECT_EQ(port.AskInstallFolder("Steel Panthers: World at War", kQuestion, "/old", "mech.exe"),
            std::optional<QString>(marker));
}
