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
#include "support/ScriptedUi.h"
#include "ui/QtUiPort.h"
#include "ui/frmProgram.h"

using namespace kolt;
using namespace kolt::test;

namespace {

const QString kCaption = "Steel Panthers: World at War";
const QString kQuestion =
    "I don't know if Steel Panthers: World at War is installed. Please enter the installation directory "
    "(where \"mech.exe\" is) below.";

struct Dialog {
  QLineEdit* Field() { return Child<QLineEdit>(form, "txtDirectory"); }
  void Click(const char* button) { Child<QPushButton>(form, button)->click(); }
  // Opens the dialog afresh, types `text` and presses OK.
  void Submit(const QString& text) {
    form.Prepare("SP", "Q", "/old", "mech.exe");
    form.show();
    Field()->setText(text);
    Click("OKButton");
  }

  QTemporaryDir dir;
  ScriptedUi ui;
  frmProgram form{ui};
};

}  // namespace

TEST(frmProgram, PreparedControls) {
  Dialog d;
  d.form.Prepare(kCaption, kQuestion, "/games/spwaw", "mech.exe");
  EXPECT_EQ(d.form.windowTitle(), kCaption);
  EXPECT_EQ(Child<QLabel>(d.form, "lblQuestion")->text(), kQuestion);
  EXPECT_EQ(d.Field()->text(), "/games/spwaw");
  EXPECT_TRUE(Child<QPushButton>(d.form, "OKButton")->isDefault());
  EXPECT_EQ(d.form.DialogResult(), std::nullopt);  // nothing confirmed yet
  d.form.Prepare("X", "Q", "-", "x.exe");
  EXPECT_EQ(d.Field()->text(), "");  // "-" is not shown
}

TEST(frmProgram, OkTakesAnExistingFolderOrNothing) {
  Dialog d;
  d.Submit(d.dir.path() + "/missing");
  EXPECT_EQ(d.ui.Texts(), QStringList({"Folder '" + d.dir.path() + "/missing' does not exist"}));
  EXPECT_EQ(d.ui.boxes[0].icon, Icon::None);
  EXPECT_TRUE(d.form.isVisible());  // stays open
  EXPECT_EQ(d.form.DialogResult(), std::nullopt);

  d.Field()->setText(d.dir.path());
  d.Click("OKButton");
  EXPECT_FALSE(d.form.isVisible());
  EXPECT_EQ(d.form.result(), QDialog::Accepted);
  EXPECT_EQ(d.form.DialogResult(), std::optional<QString>(d.dir.path()));

  // An empty field or "-" closes with an empty answer, not the previous folder.
  for (const QString& t : {QString(), QString("-")}) {
    d.Submit(t);
    EXPECT_FALSE(d.form.isVisible());
    EXPECT_EQ(d.form.DialogResult(), std::optional<QString>(QString()));
  }
  EXPECT_EQ(d.ui.boxes.size(), 1u);
}

// A folder typed as the home-relative "~/..." or in the Windows form the game's documents
// use is the folder it names.
TEST(frmProgram, HomeAndWindowsFormsNameTheirFolders) {
  Dialog d;
  const QString prefix = d.dir.path();
  const ScopedEnv wine("WINEPREFIX", prefix);
  QDir().mkpath(prefix + "/drive_c/Games/SPWAW");
  QDir().mkpath(prefix + "/dosdevices");
  QFile::link("../drive_c", prefix + "/dosdevices/c:");
  QDir().mkpath(QDir::homePath() + "/games/spwaw");
  LinuxWintools tools(d.ui);
  d.form.SetTools(&tools);
  const QString drive = QFileInfo(prefix + "/dosdevices/c:").canonicalFilePath();
  for (const auto& [typed, folder] : {std::pair<QString, QString>{"C:\\Games\\SPWAW", drive + "/Games/SPWAW"},
                                      {"c:/games/spwaw\\", drive + "/Games/SPWAW"},
                                      {" ~/games/spwaw ", QDir::homePath() + "/games/spwaw"}}) {
    d.Submit(typed);
    EXPECT_EQ(d.form.DialogResult(), std::optional<QString>(folder)) << typed.toStdString();
  }
  // A drive the prefix does not have is a folder that does not exist, named as typed.
  d.Submit("D:\\Games");
  ASSERT_EQ(d.ui.Texts(), QStringList({"Folder 'D:\\Games' does not exist"}));
  EXPECT_TRUE(d.form.isVisible());
}

TEST(frmProgram, CancelEscapeAndCloseBoxCancel) {
  Dialog d;
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"Cancel", [&] { d.Click("CancelButton"); }},
      {"Esc", [&] { QTest::keyClick(&d.form, Qt::Key_Escape); }},
      {"close box", [&] { d.form.close(); }}};
  for (const auto& [name, cancel] : ways) {
    SCOPED_TRACE(name);
    d.form.Prepare("SP", "Q", "/old", "mech.exe");
    d.form.show();
    cancel();
    EXPECT_FALSE(d.form.isVisible());
    EXPECT_EQ(d.form.DialogResult(), std::nullopt);
  }
}

TEST(frmProgram, BrowseLooksForTheExecutableAndTakesItsFolder) {
  Dialog d;
  const QString dir = d.dir.path();
  d.form.Prepare(kCaption, kQuestion, dir, "mech.exe");
  {
    QFileDialog dialog;
    d.form.ConfigureFileDialog(dialog);
    EXPECT_EQ(dialog.windowTitle(), kCaption);
    EXPECT_EQ(dialog.nameFilters(), QStringList({"mech.exe (mech.exe)"}));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog.defaultSuffix(), "exe");
    EXPECT_EQ(dialog.directory().absolutePath(), dir);
  }
  QString shownFilter;
  d.form.SetFileChooser([&](QFileDialog& dialog) {
    shownFilter = dialog.nameFilters().value(0);
    return dir + "/SPWAW/MECH.EXE";
  });
  d.Click("cmdBrowse");
  EXPECT_EQ(shownFilter, "mech.exe (mech.exe)");
  EXPECT_EQ(d.Field()->text(), dir + "/SPWAW");

  // A cancelled file dialog changes nothing.
  d.form.SetFileChooser([](QFileDialog&) { return QString(); });
  d.Click("cmdBrowse");
  EXPECT_EQ(d.Field()->text(), dir + "/SPWAW");

  // Without an executable name the user picks the folder itself.
  d.form.Prepare("Other", "Q", dir, "");
  QFileDialog dialog;
  d.form.ConfigureFileDialog(dialog);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
  QDir().mkpath(dir + "/games");
  d.form.SetFileChooser([&](QFileDialog&) { return dir + "/games"; });
  d.Click("cmdBrowse");
  EXPECT_EQ(d.Field()->text(), dir + "/games");
}

TEST(frmProgram, QtUiPortRunsTheDialogModally) {
  QTemporaryDir dir;
  QtUiPort port;
  // Asks for the folder and answers the dialog once it is up: types `text` and presses
  // Enter (OK is the default), or cancels.
  auto ask = [&](const QString& text, bool cancel) {
    QTimer::singleShot(0, [=]() {
      auto* form = qobject_cast<frmProgram*>(QApplication::activeModalWidget());
      ASSERT_NE(form, nullptr);
      EXPECT_EQ(form->windowTitle(), kCaption);
      auto* field = form->findChild<QLineEdit*>("txtDirectory");
      EXPECT_EQ(field->text(), "/old");
      if (cancel) {
        form->findChild<QPushButton*>("CancelButton")->click();
        return;
      }
      field->setText(text);
      QTest::keyClick(field, Qt::Key_Return);
    });
    return port.AskInstallFolder(kCaption, kQuestion, "/old", "mech.exe");
  };
  EXPECT_EQ(ask(dir.path(), false), std::optional<QString>(dir.path()));
  EXPECT_EQ(ask(QString(), true), std::nullopt);
  EXPECT_EQ(ask(QString(), false), std::optional<QString>(QString()));
  // A folder named like the old in-band cancel marker is a folder.
  const QString marker = dir.path() + "/MODAL_" + "CANCEL";
  ASSERT_TRUE(QDir().mkpath(marker));
  EXPECT_EQ(ask(marker, false), std::optional<QString>(marker));
}
