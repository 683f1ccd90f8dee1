#include <gtest/gtest.h>

#include <QTest>

#include <QDropEvent>

#include <QDragEnterEvent>

#include <QUrl>

#include <QMimeData>

#include <QApplication>

#include <QAction>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QProcess>
#include <QTreeWidget>

#include "core/Settings.h"
#include "core/Startup.h"
#include "model/ProgramRegistry.h"
#include "model/Services.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/Adapters.h"
#include "support/ExchangeParts.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"
#include "ui/GamesModel.h"
#include "ui/frmMain.h"

using namespace kolt;
using namespace kolt::test;

namespace {

void SetTime(const QString& path, const QDateTime& when) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

}  // namespace

// The desktop starts the program with a received KOLT.KLT (the file association); on its
// first activation the main window takes it in: the game is the user's to play, shows
// in bold, and the sender's address is stored.
TEST(OpenReceivedKlt, TheMainWindowTakesInTheCommandLineFile) {
  TempHome home;
  const QString game = home.File("games/SPWAW");
  const QDateTime played = QDateTime::currentDateTime().addSecs(-7200);
  WriteFile(game + "/mech.exe", "MZ");
  WriteFile(game + "/EMAIL/email001.cmt", "Bocage");
  WriteFile(game + "/EMAIL/email001.dat", "old turn");
  SetTime(game + "/EMAIL/email001.dat", played);
  SetTime(game + "/EMAIL/email001.cmt", played);
  IniWrite("SPWAW", "Directory", game);
  IniWrite("SPWAW", "SAVE", "0");
  IniWrite("SPWAW", "email001.cmt/S", played.toString("yyyy-MM-dd hh:mm:ss"));
  IniWrite("E-Mail", "Mode", "SMTP");

  // The opponent's turn, packed as a KLT by another machine's Info-ZIP.
  const QString outgoing = home.Root() + "/sender";
  WriteFile(outgoing + "/SENDER.TXT", "ivan@example.org\r\n(GMT+3) MSK\r\n-180\r\n3.0.0\r\n");
  WriteFile(outgoing + "/SPWAW/email001.cmt", "Bocage");
  WriteFile(outgoing + "/SPWAW/email001.dat", "new turn");
  WriteFile(outgoing + "/SPWAW/email001.aux", "aux");
  for (const char* f : {"/SPWAW/email001.cmt", "/SPWAW/email001.dat", "/SPWAW/email001.aux"})
    SetTime(outgoing + f, played.addSecs(3600));
  QProcess zip;
  zip.setWorkingDirectory(outgoing);
  zip.start("zip", {"-q", "-r", "-9", home.Root() + "/KOLT.KLT", "SPWAW", "SENDER.TXT"});
  ASSERT_TRUE(zip.waitForFinished(30000));
  ASSERT_EQ(zip.exitCode(), 0);

  App().instanceFolder = home.File("0");
  QDir().mkpath(App().instanceFolder);
  App().commandLineFile = home.Root() + "/KOLT.KLT";
  App().version = ProgramVersion();

  ScriptedUi ui;
  LinuxWintools tools(ui);
  ProgramList programs;
  ExchangeParts exchange(ui, tools, programs);
  ProgramRegistry registry(exchange.ServicesFor(ui, tools), AdapterFactories());
  MainWindowParts parts(ui, tools, registry, programs);
  parts.exchange = &exchange.exchange;
  frmMain window(parts);
  window.Form_Load();
  const GamesModel& games = window.GamesRows();
  auto cell = [&games](int column, int role = Qt::DisplayRole) { return games.index(0, column).data(role); };
  ASSERT_EQ(games.rowCount(), 1);
  EXPECT_EQ(cell(5).toString(), "Wait");

  window.Form_Activate();
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join(" | ").toStdString();
  ASSERT_EQ(games.rowCount(), 1);
  EXPECT_EQ(cell(5).toString(), "Play");
  EXPECT_TRUE(cell(1, Qt::FontRole).value<QFont>().bold());  // received in this run
  EXPECT_TRUE(cell(5, Qt::FontRole).value<QFont>().bold());  // the user's move
  EXPECT_TRUE(window.InstalledView()->topLevelItem(0)->font(0).bold());
  EXPECT_EQ(cell(7).toString(), "ivan@example.org");
  EXPECT_EQ(ReadFile(game + "/EMAIL/email001.dat"), "new turn");
  EXPECT_EQ(ReadFile(game + "/EMAIL/bak/email001.dat"), "old turn");
  EXPECT_EQ(ui.statuses.last(), "Received 1 game from ivan@example.org");
  EXPECT_EQ(window.SelectedGame()->GetName(), "email001.cmt");

  // Once only: a later activation does not take the file in again.
  ui.statuses.clear();
  window.Form_Activate();
  EXPECT_TRUE(ui.statuses.isEmpty());
  App().commandLineFile.clear();
}

// File > Open received file and a file dropped onto the window take a turn in as an
// opened one; a dropped file of another kind is not accepted.
TEST(OpenReceivedKlt, OpenedFromTheMenuOrDroppedOntoTheWindow) {
  TempHome home;
  const QString game = home.File("games/SPWAW");
  WriteFile(game + "/mech.exe", "MZ");
  QDir().mkpath(game + "/EMAIL");
  IniWrite("SPWAW", "Directory", game);
  IniWrite("SPWAW", "SAVE", "0");
  IniWrite("E-Mail", "Mode", "SMTP");
  App().instanceFolder = home.File("0");
  QDir().mkpath(App().instanceFolder);
  App().version = ProgramVersion();
  auto pack = [&](const QString& name, const QString& base) {
    const QString outgoing = home.Root() + "/out-" + base;
    WriteFile(outgoing + "/SENDER.TXT", "ivan@example.org\r\n(GMT+3) MSK\r\n-180\r\n3.0.0\r\n");
    WriteFile(outgoing + "/SPWAW/" + base + ".cmt", "Arnhem");
    WriteFile(outgoing + "/SPWAW/" + base + ".dat", "turn");
    QProcess zip;
    zip.setWorkingDirectory(outgoing);
    zip.start("zip", {"-q", "-r", home.Root() + "/" + name, "SPWAW", "SENDER.TXT"});
    EXPECT_TRUE(zip.waitForFinished(30000));
    return home.Root() + "/" + name;
  };

  ScriptedUi ui;
  LinuxWintools tools(ui);
  ProgramList programs;
  ExchangeParts exchange(ui, tools, programs);
  ProgramRegistry registry(exchange.ServicesFor(ui, tools), AdapterFactories());
  MainWindowParts parts(ui, tools, registry, programs);
  parts.exchange = &exchange.exchange;
  const QString opened = pack("turn1.klt", "email001");
  parts.chooseReceivedFile = [&opened] { return opened; };
  frmMain window(parts);
  window.Form_Load();

  window.findChild<QAction*>("mnuOpenReceived")->trigger();
  EXPECT_EQ(IniRead("SPWAW", "email001.cmt"), "ivan@example.org");
  EXPECT_EQ(window.GamesRows().rowCount(), 1);

  const QString dropped = pack("TURN2.KLT", "email002");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(dropped), QUrl::fromLocalFile(home.Root() + "/notes.txt")});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  QTest::qWait(50);
  QCoreApplication::processEvents();
  EXPECT_EQ(IniRead("SPWAW", "email002.cmt"), "ivan@example.org");
  EXPECT_EQ(window.GamesRows().rowCount(), 2);

  QMimeData other;
  other.setUrls({QUrl::fromLocalFile(home.Root() + "/notes.txt")});
  QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
  refused.setAccepted(false);
  QApplication::sendEvent(&window, &refused);
  EXPECT_FALSE(refused.isAccepted());
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join("\n").toStdString();
  App().commandLineFile.clear();
}
