// The adapters together: the registry's list, and what the three built-in games share
// through BuiltinProgram (the installation search, Run, the status, the receive loop),
// checked once per game with each game's own names and files.
#include <gtest/gtest.h>

#include <QDir>
#include <functional>

#include "AdapterHome.h"
#include "Se4SaveFile.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "model/Status.h"
#include "programs/Adapters.h"
#include "programs/CMBO/CMBO.h"
#include "programs/CUSTOM/CUSTOM.h"
#include "programs/SE4/SE4.h"
#include "programs/SPWAW/SPWAW.h"
#include "support/OneBox.h"

using namespace kolt;
using namespace kolt::test;

namespace {

QStringList Keys(const ProgramList& list) {
  QStringList keys;
  for (const ProgramPtr& p : list) keys.append(p->GetShortName());
  return keys;
}

struct Fixture : AdapterHome {
  Fixture() { App().homeFolder = home.Path(); }
  ~Fixture() { App().homeFolder.clear(); }
  ProgramRegistry Registry() { return ProgramRegistry(Services{ui, tools, {}}, AdapterFactories()); }
};

// One built-in game: its names, what it offers, and a receive with its own files.
struct Kind {
  QString shortName, longName, exe;
  QString uninstallKey;  // "" when it has none: the folder is always asked for
  QString emailDir;      // once installed (Steel Panthers with the SAVE folder)
  bool passwords = false, host = false, processTurn = false;
  int installQuestions = 0;  // message boxes an installation asks
  std::function<std::shared_ptr<BuiltinProgram>(const Services&)> make;
  // The receive: installed files and their records (the first of each make a game with
  // an address), the files that come in, and what the batch is handed (in any order).
  std::vector<std::pair<QString, QByteArray>> installed;
  std::vector<std::pair<QString, QString>> records;
  QStringList incoming, lines;
  QString unknown;  // the one incoming file the game does not know
};

template <typename T>
std::shared_ptr<BuiltinProgram> Make(const Services& services) {
  return std::make_shared<T>(services);
}

std::vector<Kind> Kinds() {
  const QString se4 = " -> SAVEGAME key=SAVEGAME";
  return {
      {.shortName = "SPWAW",
       .longName = "Steel Panthers: World at War",
       .exe = "mech.exe",
       .uninstallKey = "Steel_Panthers_World_At_War",
       .emailDir = "EMAIL or SAVE",
       .installQuestions = 1,
       .make = Make<SPWAW>,
       .installed = {{"EMAIL/email0031.cmt", "installed copy"}},
       .records = {{"email0031.cmt", "ivan@example.org"}},
       .incoming = {"EMAIL0031.CMT", "email0031.aux", "email0031.dat", "notes.txt", "save0031.cmt",
                    "save0031.rec"},
       // The SAVE folder does not exist yet: the path to create is handed on.
       .lines = {"EMAIL0031.CMT -> EMAIL key=EMAIL primary stored=ivan@example.org from=olga@example.org",
                 "email0031.aux -> EMAIL key=EMAIL old", "email0031.dat -> EMAIL key=EMAIL old",
                 "save0031.cmt -> SAVE key=SAVE primary from=olga@example.org",
                 "save0031.rec -> SAVE key=SAVE old"},
       .unknown = "notes.txt"},
      // A new turn of a series carries its series' address.
      {.shortName = "CMBO",
       .longName = "Combat Mission: Beyond Overlord",
       .exe = "Combat Mission.exe",
       .emailDir = "KOLT",
       .passwords = true,
       .processTurn = true,
       .make = Make<CMBO>,
       .installed = {{"KOLT/Game_002.txt", "turn"}},
       .records = {{"Game_", "ivan@example.org"}, {"other.txt", "olga@example.org"}},
       .incoming = {"Game_003.txt", "other.txt", "notes.doc"},
       .lines = {"Game_003.txt -> KOLT key=KOLT old primary stored=ivan@example.org from=olga@example.org",
                 "other.txt -> KOLT key=KOLT old primary stored=olga@example.org from=olga@example.org"},
       .unknown = "notes.doc"},
      // An order file names its game; x.plr is too short to name one: taken, but
      // belongs to none.
      {.shortName = "SE4",
       .longName = "Space Empires IV",
       .exe = "se4.exe",
       .uninstallKey = "Space Empires IV",
       .emailDir = "SAVEGAME",
       .passwords = true,
       .host = true,
       .processTurn = true,
       .make = Make<SE4>,
       .installed = {{"SAVEGAME/Client.gam", Se4SaveBytes(Se4TwoPlayers())}},
       .records = {{"Client", "host@example.net"}},
       .incoming = {"Client.gam", "New.gam", "GameX_0002.plr", "GameX.cmb", "GameX.TRN", "notes.txt",
                    "GameX.sub", "notes.doc", "x.plr"},
       .lines = {"Client.gam" + se4 + " old primary stored=host@example.net from=olga@example.org",
                 "GameX.cmb" + se4 + " old", "GameX.sub" + se4, "GameX.TRN" + se4 + " old",
                 "GameX_0002.plr" + se4 + " old extra=GameX.gam",
                 "New.gam" + se4 + " old primary from=olga@example.org", "notes.txt" + se4,
                 "x.plr" + se4 + " old"},
       .unknown = "notes.doc"},
  };
}

// One game of a kind whose files are deleted together (Combat Mission moves its turns
// aside instead): which files are sent, which is its state file, what deleting leaves.
struct GameCase {
  QString shortName, exe;
  std::function<std::shared_ptr<BuiltinProgram>(const Services&)> make;
  QByteArray definition;  // for a definition's program
  QString folder;         // below the installation
  std::vector<std::pair<QString, QByteArray>> files;
  QString name, key, stateFile;  // the record key and the state file, when not the name
  QStringList sent, left;
  qint64 unsentSize = 0;  // of the game's files counted in its size but not sent
  bool clearsPassword = false;
  bool plainRecord = true;  // status and address from the record alone (not an SE4 host's)
};

std::vector<GameCase> GameCases() {
  const QByteArray save = Se4SaveBytes(Se4TwoPlayers());
  return {
      {.shortName = "SPWAW",
       .exe = "mech.exe",
       .make = Make<SPWAW>,
       .folder = "EMAIL",
       .files = {{"email001.cmt", "One"},
                 {"email001.dat", "turn"},
                 {"email001.aux", "aux"},
                 {"email001.bak", "a backup: neither counted nor sent"},
                 {"email001.dat.bak", "backup"},
                 {"email001.x.cmt", "another game"},
                 {"email001.x.dat", "x"}},
       .name = "email001.cmt",
       .stateFile = "email001.dat",
       .sent = {"email001.aux", "email001.cmt", "email001.dat"},
       .left = {"email001.x.cmt", "email001.x.dat"}},
      {.shortName = "SE4",
       .exe = "se4.exe",
       .make = Make<SE4>,
       .folder = "SAVEGAME",
       .files = {{"B.gam", save}, {"B.txt", "333"}, {"B_0002.plr", "22"}, {"B2.gam", save}, {"Br.txt", "x"}},
       .name = "B.gam",
       .key = "B",
       .sent = {"B.gam", "B.txt"},
       .left = {"B2.gam", "Br.txt"},
       .unsentSize = 2,  // a host's size counts the orders in
       .clearsPassword = true,
       .plainRecord = false},
      {.shortName = "AB",
       .exe = "ab.exe",
       .make =
           [](const Services& services) {
             auto p = std::make_shared<CUSTOM>(services);
             p->SetINI("AB");
             return std::shared_ptr<BuiltinProgram>(p);
           },
       .definition =
           "[Settings]\r\nEXE=ab.exe\r\nEMailSubDir=Turns\r\nKOLTFilePattern=*.sav\r\nFileTypes=2\r\n"
           "[File0]\r\nExt=sav\r\nPrimary=1\r\nModified=1\r\n[File1]\r\nExt=dat\r\nRequired=1\r\n",
       .folder = "turns",  // EMailSubDir is found without regard to case
       .files = {{"war.sav", "12345"},
                 {"WAR.DAT", "123"},
                 {"war.txt", "not the game's"},
                 {"war.old.sav", "another game"}},
       .name = "war.sav",
       .sent = {"WAR.DAT", "war.sav"},
       .left = {"war.old.sav", "war.txt"},
       .clearsPassword = true},
  };
}

QStringList Sorted(QStringList list) {
  list.sort(Qt::CaseInsensitive);
  return list;
}

}  // namespace

TEST(Adapters, EveryProgramInOrderWithIncludeAll) {
  Fixture fx;
  WriteFile(fx.home.File("abc.ini"),
            "[Settings]\r\nLongName=Alpha Bravo\r\nEXE=ab.exe\r\nEMailSubDir=turns\r\n");
  WriteFile(fx.home.File("spwaw.ini"), "[Settings]\r\nLongName=Impostor\r\n");
  ProgramList list;
  fx.Registry().BuildProgramList(list, {.includeAll = true});
  ASSERT_EQ(Keys(list), QStringList({"SPWAW", "CMBO", "SE4", "ABC"}));
  const std::vector<Kind> kinds = Kinds();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(list.At(i)->GetLongName(), kinds[i].longName);
    EXPECT_EQ(list.At(i)->GetExeName(), kinds[i].exe);
  }
  auto custom = std::dynamic_pointer_cast<CUSTOM>(list.At(3));
  ASSERT_NE(custom, nullptr);
  EXPECT_EQ(custom->GetIniPath(), fx.home.File("abc.ini"));
  EXPECT_EQ(custom->GetLongName(), "Alpha Bravo");
  EXPECT_EQ(custom->GetExeName(), "ab.exe");
  EXPECT_EQ(custom->GetEMailDir(), "turns");
  // The impostor is left out, and the user learns why.
  ASSERT_EQ(fx.ui.boxes.size(), 1u);
  EXPECT_EQ(fx.ui.boxes[0].text, fx.home.File("spwaw.ini") +
                                     " is not used as a program definition: SPWAW is a name KOLT Helper uses "
                                     "itself. Give the file another name to use it.");
  EXPECT_TRUE(fx.ui.folderQuestions.empty());
}

TEST(Adapters, AtLoadOnlyInstalledProgramsAndACancelledQuestionIsRemembered) {
  Fixture fx;
  const QString game = fx.home.Root() + "/games/SPWAW";
  WriteFile(game + "/mech.exe", "MZ");
  IniWrite("SPWAW", "Directory", game);
  IniWrite("SPWAW", "SAVE", "0");
  WriteFile(fx.home.File("abc.ini"), "[Settings]\r\n");
  ProgramList list;
  fx.Registry().BuildProgramList(list);
  EXPECT_EQ(Keys(list), QStringList({"SPWAW"}));
  EXPECT_TRUE(fx.ui.boxes.empty());
  // Combat Mission and Space Empires IV have no uninstall entry here: their folders are
  // asked for, and the cancelled questions are remembered so that the next start does not
  // ask again.
  ASSERT_EQ(fx.ui.folderQuestions.size(), 2u);
  EXPECT_EQ(fx.ui.folderQuestions[1].caption, "Space Empires IV");
  EXPECT_EQ(IniReadSection("CMBO"), QStringList({"Directory=-"}));
  EXPECT_EQ(IniReadSection("SE4"), QStringList({"Directory=-"}));
  EXPECT_TRUE(IniReadSection("ABC").isEmpty());
}

TEST(BuiltinAdapters, SearchHidingRunAndStatus) {
  for (const Kind& k : Kinds()) {
    SCOPED_TRACE(k.shortName.toStdString());
    AdapterHome fx;
    const QString game = fx.home.Root() + "/games/" + k.shortName;
    const QString exe = game + "/" + k.exe;
    WriteFile(exe, "MZ");
    auto make = [&] { return k.make(fx.MakeServices()); };
    const QStringList lookups =
        k.uninstallKey.isEmpty() ? QStringList() : QStringList{k.uninstallKey + "|" + k.exe};

    // Nothing known: the folder is asked for; cancelled, the program is hidden and the
    // next start asks nothing.
    auto p = make();
    fx.ui.Folders({std::nullopt});
    EXPECT_FALSE(p->Installed(false));
    ASSERT_EQ(fx.ui.folderQuestions.size(), 1u);
    EXPECT_EQ(fx.ui.folderQuestions[0].caption, k.longName);
    EXPECT_EQ(fx.ui.folderQuestions[0].exeName, k.exe);
    EXPECT_EQ(fx.ui.folderQuestions[0].folder, "");
    EXPECT_EQ(IniRead(k.shortName, "Directory"), "-");
    EXPECT_EQ(p->GetDirectory(), "");
    EXPECT_FALSE(make()->Installed(false));
    EXPECT_EQ(fx.ui.folderQuestions.size(), 1u);
    EXPECT_EQ(fx.tools.lookups, lookups);
    EXPECT_TRUE(fx.ui.boxes.empty());

    // A rescan finds it through the uninstall entry, or asks again ("-" is not proposed).
    if (k.uninstallKey.isEmpty())
      fx.ui.Folders({game});
    else
      fx.tools.uninstall[k.uninstallKey] = exe;
    ASSERT_TRUE(p->Installed(true));
    EXPECT_EQ(fx.tools.lookups, lookups + lookups);
    EXPECT_EQ(fx.ui.folderQuestions.size(), k.uninstallKey.isEmpty() ? 2u : 1u);
    EXPECT_EQ(fx.ui.folderQuestions.back().folder, "");
    EXPECT_EQ(fx.ui.boxes.size(), std::size_t(k.installQuestions));
    EXPECT_EQ(p->GetDirectory(), game);
    EXPECT_EQ(p->GetExePath(), exe);
    EXPECT_EQ(p->GetVersion(), "1.2.3");
    EXPECT_EQ(IniRead(k.shortName, "Directory"), game);
    EXPECT_EQ(p->GetEMailDir(), k.emailDir);
    EXPECT_EQ(p->SupportsPasswords(), k.passwords);
    EXPECT_EQ(p->Provides(OptionalOperation::Host), k.host);
    EXPECT_EQ(p->Provides(OptionalOperation::ProcessTurn), k.processTurn);
    EXPECT_FALSE(p->Provides(OptionalOperation::ShowMore));

    // The next start takes the stored folder without a look-up or a question; once known,
    // the settings are not looked at again in this run.
    auto again = make();
    EXPECT_TRUE(again->Installed(false));
    EXPECT_EQ(fx.tools.lookups.size(), lookups.size() * 2);
    EXPECT_EQ(fx.ui.boxes.size(), std::size_t(k.installQuestions));
    IniWrite(k.shortName, "Directory", "-");
    EXPECT_TRUE(again->Installed(false));
    IniWrite(k.shortName, "Directory", game);

    // Run starts the executable in its folder; the game holds it while it runs.
    EXPECT_EQ(p->GetStatus(), ProgramState::NotRunning);
    EXPECT_TRUE(p->Run(0));
    ASSERT_EQ(fx.tools.runs.size(), 1u);
    EXPECT_EQ(fx.tools.runs[0].file, exe);
    EXPECT_EQ(fx.tools.runs[0].parameters, "");
    EXPECT_EQ(fx.tools.runs[0].directory, game);
    EXPECT_FALSE(fx.tools.runs[0].showError);
    EXPECT_FALSE(fx.tools.runs[0].wait);
    fx.tools.runResult = false;
    EXPECT_FALSE(p->Run(0));
    fx.tools.running.append(exe);
    EXPECT_EQ(p->GetStatus(), ProgramState::Running);
    fx.tools.running.clear();
    EXPECT_EQ(p->GetStatus(), ProgramState::NotRunning);

    // A rescan without an entry whose question is cancelled keeps the stored folder; OK
    // on an emptied field means "not installed".
    fx.tools.uninstall.clear();
    fx.ui.boxes.clear();
    fx.ui.Folders({std::nullopt});
    EXPECT_TRUE(p->Installed(true));
    EXPECT_EQ(fx.ui.folderQuestions.back().folder, game);
    fx.ui.Folders({QString()});
    EXPECT_FALSE(p->Installed(true));
    EXPECT_EQ(IniRead(k.shortName, "Directory"), "-");

    // A stored or typed folder without the executable is reported, and hides.
    QFile::remove(exe);
    IniWrite(k.shortName, "Directory", game);
    fx.ui.boxes.clear();
    auto missing = make();
    EXPECT_FALSE(missing->Installed(false));
    ASSERT_TRUE(OneBoxStartsWith(fx.ui, k.shortName + " executable not found: " + exe));
    EXPECT_EQ(fx.ui.boxes[0].icon, Icon::Exclamation);
    EXPECT_EQ(IniRead(k.shortName, "Directory"), "-");
    EXPECT_EQ(missing->GetVersion(), "");
    EXPECT_EQ(missing->GetStatus(), ProgramState::NotRunning);
    EXPECT_TRUE(missing->InitGames().empty());
    fx.ui.Folders({fx.home.Root()});
    EXPECT_FALSE(missing->Installed(true));
    EXPECT_TRUE(fx.ui.boxes.back().text.startsWith(k.shortName + " executable not found: " + fx.home.Root() +
                                                   "/" + k.exe));
  }
}

TEST(BuiltinAdapters, ReceivedFilesAreHandedToTheBatchAsEachGameNeedsThem) {
  for (const Kind& k : Kinds()) {
    SCOPED_TRACE(k.shortName.toStdString());
    AdapterHome fx;
    const QString game = fx.home.Root() + "/games/" + k.shortName;
    WriteFile(game + "/" + k.exe, "MZ");
    for (const auto& [file, bytes] : k.installed) WriteFile(game + "/" + file, bytes);
    IniWrite(k.shortName, "Directory", game);
    IniWrite("SPWAW", "SAVE", "0");
    for (const auto& [key, value] : k.records) IniWrite(k.shortName, key, value);
    auto p = k.make(fx.MakeServices());
    ASSERT_TRUE(p->Installed(false));
    const QString in = fx.home.Root() + "/in/" + k.shortName;
    for (const QString& name : k.incoming) WriteFile(in + "/" + name, "x");
    p->ReceivedFiles(in, "olga@example.org", k.shortName == "SE4");

    const RecordingBatch::Log& log = *fx.batchLog;
    EXPECT_EQ(log.program, k.shortName);
    EXPECT_EQ(Sorted(log.Lines(in, game)), Sorted(k.lines));
    EXPECT_EQ(log.messages, QStringList({"Unknown file type: " + k.unknown}));
    EXPECT_TRUE(log.finished);
    EXPECT_EQ(log.sender, "olga@example.org");
    EXPECT_EQ(log.plain, k.shortName == "SE4");
    EXPECT_EQ(Sorted(fx.ui.statuses), Sorted(k.incoming));
    // Handed over unbound, of the program's own kind: the engine binds it.
    ASSERT_NE(log.game, nullptr);
    EXPECT_EQ(log.game->GetProgram(), nullptr);
    EXPECT_FALSE(log.game->IsValid());
    const QString bound = k.installed.front().first;
    log.game->Init(p, bound.section('/', 0, 0), bound.section('/', 1));
    EXPECT_TRUE(log.game->IsValid());
    EXPECT_EQ(log.game->GetEMail(), k.records.front().second);

    // A folder that is not there: reported, nothing finished.
    *fx.batchLog = {};
    p->ReceivedFiles(fx.home.Root() + "/none", "", true);
    ASSERT_TRUE(OneBoxStartsWith(fx.ui, "Can't get directory: " + fx.home.Root() + "/none"));
    EXPECT_FALSE(fx.batchLog->finished);
  }
}

// Sending stores the state file's stamp; deleting takes exactly the game's files, or none
// when one of them is write-protected, and then empties the record but for the mode.
TEST(BuiltinGames, FilesSentStampAndDeleteAsEachGameDefinesThem) {
  for (const GameCase& c : GameCases()) {
    SCOPED_TRACE(c.shortName.toStdString());
    AdapterHome fx;
    App().homeFolder = fx.home.Path();
    const QString game = fx.home.Root() + "/games/" + c.shortName;
    const QString folder = game + "/" + c.folder;
    for (const auto& [file, bytes] : c.files) WriteFile(folder + "/" + file, bytes);
    WriteFile(game + "/" + c.exe, "MZ");
    if (!c.definition.isEmpty()) WriteFile(fx.home.File("ab.ini"), c.definition);
    ClearIniCache();
    IniWrite(c.shortName, "Directory", game);
    IniWrite("SPWAW", "SAVE", "0");
    auto p = c.make(fx.MakeServices());
    ASSERT_TRUE(p->Installed(false));
    GamePtr g;
    for (const GamePtr& each : p->InitGames())
      if (each->GetName() == c.name) g = each;
    ASSERT_NE(g, nullptr);
    QStringList sent;
    qint64 size = 0;
    for (const QString& file : c.sent) {
      sent.append(folder + "/" + file);
      size += QFileInfo(folder + "/" + file).size();
    }
    EXPECT_EQ(g->GetFiles(), sent);
    EXPECT_EQ(g->GetSize(), size + c.unsentSize);

    const QDateTime t0(QDate(2024, 5, 1), QTime(12, 0, 0));
    const QString key = c.key.isEmpty() ? c.name : c.key;
    SetModified(folder + "/" + (c.stateFile.isEmpty() ? c.name : c.stateFile), t0);
    if (c.plainRecord) {
      EXPECT_EQ(g->GetStatus(), status::New);
      ASSERT_TRUE(g->SetEMail("ivan@example.org"));
    }
    ASSERT_TRUE(g->SetSent());
    EXPECT_EQ(IniRead(c.shortName, key + "/S"), "2024-05-01 12:00:00");
    if (c.plainRecord) {
      EXPECT_EQ(g->GetStatus(), status::Wait);
    }
    ASSERT_TRUE(g->SetPassword("pw"));
    ASSERT_TRUE(g->SetMode("ZIP"));

    // The protected file is the last one: nothing may be deleted before it is found.
    const QString last = sent.last();
    QFile::setPermissions(last, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    g->Delete();
    ASSERT_TRUE(OneBoxStartsWith(fx.ui, "Can't delete: " + last));
    for (const auto& [file, bytes] : c.files)
      EXPECT_TRUE(QFile::exists(folder + "/" + file)) << file.toStdString();
    EXPECT_EQ(IniRead(c.shortName, key + "/S"), "2024-05-01 12:00:00");

    QFile::setPermissions(last, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    fx.ui.boxes.clear();
    g->Delete();
    EXPECT_TRUE(fx.ui.boxes.empty()) << fx.ui.Texts().join("|").toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name), c.left);
    EXPECT_EQ(IniRead(c.shortName, key, "none"), "");
    EXPECT_EQ(IniRead(c.shortName, key + "/S", "none"), "");
    EXPECT_EQ(IniRead(c.shortName, key + "/P"), c.clearsPassword ? "" : "pw");
    EXPECT_EQ(IniRead(c.shortName, key + "/M"), "ZIP");
  }
  App().homeFolder.clear();
}
