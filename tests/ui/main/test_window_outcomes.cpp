// Every receive and send in the main window ends with something the player sees: why a
// turn was not taken in (with the offer to set up its program), and what went to whom.
// Real adapters, the real exchange, a real SMTP server and Info-ZIP's zip.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFont>
#include <QMimeData>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>
#include <functional>

#include "mail/SmtpTestServer.h"
#include "model/Status.h"
#include "support/MainWindowHarness.h"
#include "support/PackKlt.h"
#include "support/QtPrinters.h"
#include "support/ScopedEnv.h"
#include "support/Screenshot.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// A home with Steel Panthers set up; Combat Mission is installed on the disk but its
// folder was never given (the question at the first start was cancelled).
class WindowOutcomes : public ::testing::Test, protected MainWindowHarness {
 protected:
  void SetUp() override {
    InstallSpwaw();
    WriteFile(Cmbo() + "/Combat Mission.exe", "MZ");
    QDir().mkpath(Cmbo() + "/KOLT");
  }

  void Load() {
    MainWindowHarness::Load(
        [this](MainWindowParts& parts) { parts.chooseReceivedFile = [this] { return chosen; }; });
    ui.boxes.clear();
    ui.folderQuestions.clear();
  }

  QString Cmbo() const { return home.File("games/CMBO"); }

  // A KLT archive from ivan@example.org holding `files` (paths inside the archive),
  // saved at `saved` when given.
  QString Pack(const QString& name, const QStringList& files, const QDateTime& saved = QDateTime()) {
    QMap<QString, QByteArray> contents;
    for (const QString& f : files) contents.insert(f, "turn " + f.toUtf8());
    return PackKlt(home.Root() + "/" + name, contents, "ivan@example.org", saved);
  }

  QString chosen;  // what File > Open received file picks
};

// The four ways a received file reaches the window.
struct Entry {
  const char* name;
  std::function<void(frmMain&, const QString&, QString& chosen)> open;
};

const Entry kEntries[] = {
    {"Ctrl+O",
     [](frmMain& w, const QString& path, QString& chosen) {
       chosen = path;
       w.findChild<QAction*>("mnuOpenReceived")->trigger();
     }},
    {"drop",
     [](frmMain& w, const QString& path, QString&) {
       QMimeData data;
       data.setUrls({QUrl::fromLocalFile(path)});
       QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
       QApplication::sendEvent(&w, &enter);
       QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
       QApplication::sendEvent(&w, &drop);
       QTest::qWait(50);  // taken in once the drop has ended
       QCoreApplication::processEvents();
     }},
    {"second start", [](frmMain& w, const QString& path, QString&) { w.TakeHandedOffFile(path); }},
    {"command line",
     [](frmMain& w, const QString& path, QString&) {
       App().commandLineFile = path;
       w.ProcessCommandLineFile();
     }},
};

}  // namespace

// Whichever way it came, a turn is taken in as an opened one. A drag of files of
// another kind only is refused; one among them is enough.
TEST_F(WindowOutcomes, ATurnIsTakenInWhicheverWayItCame) {
  Load();
  int taken = 0;
  for (const Entry& entry : kEntries) {
    SCOPED_TRACE(entry.name);
    const QString base = QString("email%1").arg(++taken, 3, 10, QChar('0'));
    entry.open(*window, Pack(base + ".klt", {"SPWAW/" + base + ".cmt", "SPWAW/" + base + ".dat"}), chosen);
    EXPECT_EQ(IniRead("SPWAW", base + ".cmt"), "ivan@example.org");
    EXPECT_EQ(window->GamesRows().rowCount(), taken);
  }
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join(" | ").toStdString();

  const QUrl notes = QUrl::fromLocalFile(home.Root() + "/notes.txt");
  for (const bool withTurn : {true, false}) {
    QMimeData data;
    data.setUrls(withTurn ? QList<QUrl>{QUrl::fromLocalFile(home.Root() + "/email001.klt"), notes}
                          : QList<QUrl>{notes});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_EQ(enter.isAccepted(), withTurn);
  }
}

// The desktop starts the program with a received KOLT.KLT (the file association); on its
// first activation the main window takes it in: the game is the user's to play, shows
// in bold, and the sender's address is stored.
TEST_F(WindowOutcomes, TheFirstActivationTakesInTheCommandLineFile) {
  const QString email = Spwaw() + "/EMAIL/";
  const QDateTime played = QDateTime::currentDateTime().addSecs(-7200);
  WriteFile(email + "email001.cmt", "Bocage");
  WriteFile(email + "email001.dat", "old turn");
  SetModified(email + "email001.dat", played);
  SetModified(email + "email001.cmt", played);
  IniWrite("SPWAW", "email001.cmt/S", played.toString("yyyy-MM-dd hh:mm:ss"));
  App().commandLineFile = PackKlt(
      home.Root() + "/KOLT.KLT",
      {{"SPWAW/email001.cmt", "Bocage"}, {"SPWAW/email001.dat", "new turn"}, {"SPWAW/email001.aux", "aux"}},
      "ivan@example.org", played.addSecs(3600));
  Load();
  const auto bold = [this](int column) {
    return window->GamesRows().index(0, column).data(Qt::FontRole).value<QFont>().bold();
  };
  ASSERT_EQ(window->GamesRows().rowCount(), 1);
  EXPECT_EQ(Cell("email001.cmt", 5), "Wait");

  window->Form_Activate();
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join(" | ").toStdString();
  ASSERT_EQ(window->GamesRows().rowCount(), 1);
  EXPECT_EQ(Cell("email001.cmt", 5), "Play");
  EXPECT_TRUE(bold(1));  // received in this run
  EXPECT_TRUE(bold(5));  // the user's move
  EXPECT_TRUE(window->InstalledView()->topLevelItem(0)->font(0).bold());
  EXPECT_EQ(Cell("email001.cmt", 7), "ivan@example.org");
  EXPECT_EQ(ReadFile(email + "email001.dat"), "new turn");
  EXPECT_EQ(ReadFile(email + "bak/email001.dat"), "old turn");
  EXPECT_EQ(ui.statuses.last(), "Received 1 game from ivan@example.org");
  EXPECT_EQ(window->SelectedGame()->GetName(), "email001.cmt");

  // Once only: a later activation does not take the file in again.
  ui.statuses.clear();
  window->Form_Activate();
  EXPECT_TRUE(ui.statuses.isEmpty());
}

TEST_F(WindowOutcomes, ATurnNoProgramHereTakesInIsExplainedWhicheverWayItCame) {
  Load();
  const QString klt = Pack("KOLT.KLT", {"WARGAME/turn.dat"});
  for (const Entry& entry : kEntries) {
    SCOPED_TRACE(entry.name);
    ui.boxes.clear();
    entry.open(*window, klt, chosen);
    ASSERT_EQ(ui.boxes.size(), 1u) << ui.Texts().join(" | ").toStdString();
    // The words kolt-cli uses for it.
    EXPECT_EQ(ui.boxes[0].text, klt +
                                    " was not taken in: the archive holds no folder of an installed program "
                                    "(installed: SPWAW; the archive holds: SENDER.TXT, WARGAME/)");
    EXPECT_EQ(ui.boxes[0].icon, Icon::Exclamation);
    EXPECT_EQ(window->PanelText(1), "KOLT.KLT was not taken in");
  }
  EXPECT_TRUE(ui.folderQuestions.empty());
}

TEST_F(WindowOutcomes, ATurnForAProgramNotSetUpOffersItsFolderThenTakesTheTurnIn) {
  Load();
  ASSERT_EQ(programs.Count(), 1);
  EXPECT_EQ(IniRead("CMBO", "Directory"), "-");
  const QString klt = Pack("KOLT.KLT", {"CMBO/Bocage_004.txt"});

  // Declined: asked once, nothing set up, nothing taken in.
  ui.Answers({Answer::No});
  window->TakeHandedOffFile(klt);
  ASSERT_EQ(ui.boxes.size(), 1u) << ui.Texts().join(" | ").toStdString();
  EXPECT_EQ(ui.boxes[0].text,
            klt +
                " was not taken in: the archive holds no folder of an installed program (installed: SPWAW; "
                "the archive holds: CMBO/, SENDER.TXT)\r\rThe turn is for Combat Mission: Beyond Overlord, "
                "which is not set up here. Do you want to give its installation folder now?");
  EXPECT_EQ(ui.boxes[0].buttons, Buttons::YesNo);
  EXPECT_EQ(ui.boxes[0].icon, Icon::Question);
  EXPECT_TRUE(ui.folderQuestions.empty());
  EXPECT_EQ(programs.Count(), 1);
  EXPECT_EQ(window->PanelText(1), "KOLT.KLT was not taken in");

  // Yes: the program's own folder question, then the same turn is taken in.
  ui.boxes.clear();
  ui.Answers({Answer::Yes});
  ui.Folders({Cmbo()});
  App().commandLineFile = klt;
  window->ProcessCommandLineFile();
  ASSERT_EQ(ui.folderQuestions.size(), 1u);
  EXPECT_EQ(ui.folderQuestions[0].caption, "Combat Mission: Beyond Overlord");
  EXPECT_EQ(ui.folderQuestions[0].folder, "");                             // not "-"
  ASSERT_EQ(ui.boxes.size(), 1u) << ui.Texts().join(" | ").toStdString();  // only the offer
  EXPECT_EQ(IniRead("CMBO", "Directory"), QDir(Cmbo()).absolutePath());
  EXPECT_EQ(ReadFile(Cmbo() + "/KOLT/Bocage_004.txt"), "turn CMBO/Bocage_004.txt");
  ASSERT_EQ(programs.Count(), 2);
  EXPECT_EQ(programs.At(1)->GetShortName(), "CMBO");  // in the registry's order
  EXPECT_EQ(window->InstalledView()->topLevelItemCount(), 2);
  EXPECT_EQ(Cell("Bocage_###.txt", 0), "CMBO");  // the series the turn belongs to
  EXPECT_EQ(Cell("Bocage_###.txt", 7), "ivan@example.org");
  EXPECT_EQ(window->PanelText(1), "Received 1 game from ivan@example.org");
}

TEST_F(WindowOutcomes, TurnsTheUserDidNotConfirmAreReported) {
  // The received turn is older than the installed one: asked, and declined.
  WriteFile(Spwaw() + "/EMAIL/email001.cmt", "Bocage");
  WriteFile(Spwaw() + "/EMAIL/email001.dat", "newer turn");
  IniWrite("SPWAW", "email001.cmt", "ivan@example.org");
  Load();
  const QString klt =
      Pack("OLD.KLT", {"SPWAW/email001.cmt", "SPWAW/email001.dat"}, QDateTime::currentDateTime().addDays(-3));
  ui.Answers({Answer::No});
  window->TakeHandedOffFile(klt);
  ASSERT_EQ(ui.boxes.size(), 2u) << ui.Texts().join(" | ").toStdString();
  EXPECT_EQ(ui.boxes[1].text, klt + " was not taken in: the older files were not confirmed");
  EXPECT_EQ(ui.boxes[1].icon, Icon::Information);
  EXPECT_EQ(ReadFile(Spwaw() + "/EMAIL/email001.dat"), "newer turn");
  EXPECT_EQ(window->PanelText(1), "OLD.KLT was not taken in");
}

// F4 in SMTP mode and through the desktop mail client: the status line says what went
// where, and the games now waiting count from the send, not from their files' time.
TEST_F(WindowOutcomes, AfterASendTheStatusLineSaysWhatWentWhere) {
  const QDateTime played = QDateTime::currentDateTime().addSecs(qint64{-2} * 3600);
  // Played two hours ago, after the last turn came in: ready to send.
  for (const auto& [game, opponent] : {std::pair{"email001", "paul@example.org"},
                                       {"email002", "paul@example.org"},
                                       {"email003", "olga@example.org"}}) {
    for (const char* ext : {".cmt", ".dat"}) {
      const QString path = Spwaw() + "/EMAIL/" + game + ext;
      WriteFile(path, QByteArray(game) + ext);
      SetModified(path, played);
    }
    IniWrite("SPWAW", QString(game) + ".cmt/R", FormatStamp(played.addSecs(-3600)));
    IniWrite("SPWAW", QString(game) + ".cmt", opponent);
  }
  SmtpTestServer server;
  ASSERT_GT(server.Port(), 0);
  IniWrite("E-Mail", "SMTP_Server", "127.0.0.1");
  IniWrite("E-Mail", "SMTP_Port", QString::number(server.Port()));
  IniWrite("E-Mail", "SMTP_Security", "NONE");
  IniWrite("E-Mail", "From", "me@example.com");
  IniWrite("E-Mail", "Address", "me@example.com");
  Load();
  ASSERT_EQ(Cell("email001.cmt", 5), "Send");
  EXPECT_EQ(Cell("email001.cmt", GamesModel::kWaitingColumn), "2 h");

  // The automatic selection picked all three; send only paul's two.
  window->GamesView()->clearSelection();
  const auto select = [this](const QStringList& names) {
    QItemSelectionModel* selection = window->GamesView()->selectionModel();
    for (const QString& name : names)
      selection->select(window->GamesRows().index(RowOf(name), 0),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
  };
  select({"email001.cmt", "email002.cmt"});
  window->findChild<QAction*>("mnuSend")->trigger();
  EXPECT_EQ(server.Messages().size(), 1u);
  EXPECT_EQ(window->PanelText(1), "Sent 2 games to paul@example.org");
  EXPECT_EQ(ui.statuses.last(), "Sent 2 games to paul@example.org");
  EXPECT_EQ(Cell("email001.cmt", 5), "Wait");
  EXPECT_EQ(Cell("email001.cmt", GamesModel::kWaitingColumn), "0 min");  // not "2 h"
  EXPECT_EQ(Cell("email003.cmt", GamesModel::kWaitingColumn), "2 h");    // still to send
  window->resize(1100, 420);
  window->show();
  QApplication::processEvents();
  SaveScreenshot(*window, "frmMain-sent");

  // A message to two players.
  select({"email001.cmt", "email003.cmt"});
  window->Message();
  EXPECT_EQ(window->PanelText(1), "Sent messages to 2 players");

  // Through the desktop mail client (a stand-in xdg-email first on PATH); the user
  // confirms each message, and turns for two players go out.
  const QString bin = home.Root() + "/bin";
  WriteScript(bin + "/xdg-email", "#!/bin/sh\nexit 0\n");
  const ScopedEnv path("PATH", bin + ":" + qEnvironmentVariable("PATH"));
  IniWrite("E-Mail", "Mode", "MAPI");
  for (const char* game : {"email001", "email003"}) {
    for (const char* ext : {".cmt", ".dat"}) WriteFile(Spwaw() + "/EMAIL/" + game + ext, "next turn");
  }
  window->Refresh();
  ASSERT_EQ(Cell("email001.cmt", 5), "Send");
  window->GamesView()->clearSelection();
  select({"email001.cmt", "email003.cmt"});
  ui.boxes.clear();
  window->Send();
  EXPECT_EQ(window->PanelText(1), "Sent 2 games to 2 players") << ui.Texts().join(" | ").toStdString();
  EXPECT_EQ(ui.boxes.size(), 3u);  // the confirmation and one question per message
  EXPECT_EQ(Cell("email003.cmt", GamesModel::kWaitingColumn), "0 min");

  // Cancelled at the confirmation: nothing went, and the line says no more than that.
  select({"email002.cmt"});
  ui.Answers({Answer::Cancel});
  window->Send();
  EXPECT_EQ(window->PanelText(1), "Ready");
}
