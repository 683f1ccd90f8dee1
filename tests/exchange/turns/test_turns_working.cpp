// The working folder: files and archives saved by the user into one subfolder per
// program, taken in on every refresh.
#include <gtest/gtest.h>

#include <QStandardPaths>

#include "TurnsFixture.h"
#include "mail/QtPrinters.h"
#include "model/Status.h"
#include "support/OneBox.h"

using namespace kolt;
using namespace kolt::test;

namespace {

class Working : public TurnsTest {
 protected:
  void SetUp() override {
    TurnsTest::SetUp();
    App().workingFolder = work;
    QDir().mkpath(work + "/SPWAW");
  }
  QString work = home.Root() + "/work";
  QString spwaw = work + "/SPWAW";
};

}  // namespace

TEST_F(Working, PlainFilesAreMovedInAndRecordedWithoutTouchingTheMode) {
  MakeSpwawGame(email, "email001", "Scenario X", t0, "mine");
  IniWrite("SPWAW", "email001.cmt/M", "-");
  IniWrite("SPWAW", "email001.cmt", "ivan@example.org");
  MakeSpwawGame(spwaw, "email001", "Scenario X", t0.addSecs(60), "turn 2");
  SetTime(spwaw + "/email001.cmt", t0);

  exchange->ProcessWorkingFolder();
  EXPECT_TRUE(ui.boxes.empty()) << Said();
  EXPECT_EQ(QDir(spwaw).entryList(QDir::Files), QStringList());  // moved
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT turn 2");
  EXPECT_EQ(Record("email001.cmt/M"), "-");
  EXPECT_EQ(Record("email001.cmt"), "ivan@example.org");
  EXPECT_EQ(FindGame("email001.cmt")->GetStatus(), status::Play);
  EXPECT_EQ(ui.statuses.first(), "Processing the working folder " + work);
  EXPECT_TRUE(ui.statuses.contains("Receiving SPWAW files..."));
  EXPECT_EQ(ui.statuses.last(), "Done!");
}

TEST_F(Working, TwoNamesDifferingOnlyInCaseKeepTheInstalledFilesBackup) {
  MakeSpwawGame(email, "email001", "Scenario X", t0, "mine");
  MakeSpwawGame(spwaw, "email001", "Scenario X", t0.addSecs(60), "turn 2");
  SetTime(spwaw + "/email001.cmt", t0);
  WriteAt(spwaw + "/EMAIL001.DAT", "DAT twin", t0.addSecs(120));
  ui.Answers({Answer::Ok, Answer::Ok});
  exchange->ProcessWorkingFolder();
  // The installed turn survives in bak/, whichever of the two went in.
  EXPECT_EQ(ReadFile(email + "/bak/email001.dat"), "DAT mine");
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_TRUE(
      ui.boxes[0].text.contains("File 'email001.dat' has the same name as another received file, "
                                "refused\r"))
      << ui.boxes[0].text.toStdString();
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT twin");
  EXPECT_EQ(QDir(email).entryList({"email001.dat"}, QDir::Files), QStringList({"email001.dat"}));
  EXPECT_TRUE(QFile::exists(spwaw + "/email001.dat"));  // refused: still waiting
}

TEST_F(Working, ArchivesAreUnpackedAndOnlyKoltKltIsTakenAsATurn) {
  const QString klt = MakeKlt("turn", Sender("ivan@example.org"),
                              [&](const QString& dir) { MakeSpwawGame(dir, "email001", "Scenario X", t0); });
  QFile::copy(klt, spwaw + "/kolt.klt");
  QFile::copy(klt, spwaw + "/other.KLT");
  // A ZIP of another game, made by Info-ZIP.
  const QString zipDir = home.Root() + "/zipped";
  MakeSpwawGame(zipDir, "email002", "Scenario Y", t0);
  ASSERT_EQ(
      RunIn(zipDir, "zip", {"-q", spwaw + "/SPWAW.zip", "email002.cmt", "email002.dat", "email002.aux"}), 0);

  ui.Answers({Answer::Cancel});  // the unknown other.KLT makes the batch ask
  exchange->ProcessWorkingFolder();
  EXPECT_FALSE(QFile::exists(spwaw + "/kolt.klt"));
  EXPECT_FALSE(QFile::exists(spwaw + "/SPWAW.zip"));
  EXPECT_TRUE(QFile::exists(spwaw + "/other.KLT"));
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT turn 1");  // from the KLT, at once
  EXPECT_EQ(FindGame("email001.cmt")->GetMode(), "KLT");
  ASSERT_TRUE(OneBoxStartsWith(ui, "Received old SPWAW files:\r\rUnknown file type: other.KLT\r"));
  EXPECT_TRUE(QFile::exists(spwaw + "/email002.dat"));  // declined: still waiting
  EXPECT_FALSE(QFile::exists(email + "/email002.dat"));

  ui.Answers({Answer::Ok, Answer::Ok});
  exchange->ProcessWorkingFolder();
  EXPECT_EQ(ReadFile(email + "/email002.dat"), "DAT turn 1");
  EXPECT_EQ(QDir(spwaw).entryList(QDir::Files), QStringList({"other.KLT"}));
}

TEST_F(Working, AKltWhoseFilesCouldNotBeCopiedStaysForTheNextRefresh) {
  MakeSpwawGame(email, "email001", "Scenario X", t0, "mine");
  WriteFile(email + "/bak", "a file where the backup folder belongs");
  const QString klt = OpponentTurn(Sender("ivan@example.org"), t0.addSecs(60));
  QFile::copy(klt, spwaw + "/KOLT.KLT");
  exchange->ProcessWorkingFolder();
  EXPECT_TRUE(ui.Texts().join("\n").startsWith("Error while making backup of file " + email +
                                               "/email001.aux to " + email + "/bak"))
      << Said();
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT mine");
  EXPECT_EQ(ReadFile(email + "/email001.aux"), "AUX mine");
  EXPECT_EQ(Record("email001.cmt/R"), "");
  EXPECT_EQ(exchange->Records().failed, 1);
  // The turn is not lost: the archive waits until the copy can be made.
  EXPECT_TRUE(QFile::exists(spwaw + "/KOLT.KLT"));

  QFile::remove(email + "/bak");
  ui.boxes.clear();
  exchange->ProcessWorkingFolder();
  EXPECT_TRUE(ui.boxes.empty()) << Said();
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT turn 2");
  EXPECT_EQ(ReadFile(email + "/bak/email001.dat"), "DAT mine");
  EXPECT_FALSE(QFile::exists(spwaw + "/KOLT.KLT"));
}

// A KLT archive saved at the top of the folder (where a browser saves an attachment, under
// whatever name) is taken in as an opened one and removed; one that cannot be unpacked
// stays. What arrived is told once, with its sender.
TEST_F(Working, AKltSavedAtTheTopIsTakenInAndToldOnce) {
  const QString klt = MakeKlt("turn", Sender("ivan@example.org"), [&](const QString& dir) {
    MakeSpwawGame(dir, "email001", "Scenario X", t0);
    MakeSpwawGame(dir, "email002", "Scenario Y", t0);
  });
  ASSERT_TRUE(QFile::copy(klt, work + "/KOLT(1).klt"));
  WriteFile(work + "/broken.KLT", "not an archive");
  WriteFile(work + "/notes.txt", "left alone");

  exchange->ProcessWorkingFolder();
  EXPECT_EQ(ReadFile(email + "/email001.dat"), "DAT turn 1");
  EXPECT_EQ(ReadFile(email + "/email002.dat"), "DAT turn 1");
  EXPECT_EQ(Record("email002.cmt"), "ivan@example.org");
  EXPECT_EQ(QDir(work).entryList(QDir::Files), QStringList({"broken.KLT", "notes.txt"}));
  ASSERT_EQ(ui.Texts().size(), 1);
  EXPECT_TRUE(ui.Texts()[0].startsWith("Decompress failed\r\rCannot open " + work + "/broken.KLT"))
      << ui.Texts()[0].toStdString();

  TurnExchange::Arrivals arrivals = exchange->TakeArrivals();
  ASSERT_EQ(arrivals.games.size(), 2u);
  EXPECT_EQ(arrivals.games[0].shortName, "SPWAW");
  EXPECT_EQ(arrivals.games[1].gameName, "email002.cmt");
  EXPECT_EQ(TurnExchange::ArrivalText(arrivals), "Received 2 games from ivan@example.org");
  EXPECT_TRUE(exchange->TakeArrivals().games.empty());

  // Plain files name no sender.
  MakeSpwawGame(spwaw, "email003", "Scenario Z", t0);
  exchange->ProcessWorkingFolder();
  arrivals = exchange->TakeArrivals();
  EXPECT_EQ(TurnExchange::ArrivalText(arrivals), "Received 1 game from the working folder");
  EXPECT_EQ(TurnExchange::ArrivalText({}), "");
}

TEST_F(Working, ControlCharactersInANameAreNotShown) {
  // A saved attachment's name comes from someone else; line breaks in it would forge
  // lines of the question.
  WriteFile(spwaw + "/notes\r\rThese files were OK:\x1b.txt", "x");
  ui.Answers({Answer::Cancel});
  exchange->ProcessWorkingFolder();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text,
            "Received old SPWAW files:\r\rUnknown file type: notes??These files were OK:?.txt\r"
            "\rDo you still want to copy these files?");
}

TEST_F(Working, FormatsOnlyTheToolReadsWaitForIt) {
  WriteFile(spwaw + "/turn.arj", "not really an ARJ archive");
  WriteFile(home.Root() + "/email003.dat", "DAT gz");
  ASSERT_EQ(RunIn(home.Root(), "gzip", {"-k", "email003.dat"}), 0);
  QFile::rename(home.Root() + "/email003.dat.gz", spwaw + "/email003.dat.gz");
  ui.Answers({Answer::Cancel});
  exchange->DecompressFolder(spwaw);
  EXPECT_TRUE(ui.boxes.empty()) << Said();
  EXPECT_TRUE(QFile::exists(spwaw + "/turn.arj"));  // no tool: left alone, no message
  ASSERT_TRUE(QFile::exists("/usr/bin/unar")) << "unar is missing: scripts/install-deps.sh installs it";

  App().archiveTool = "/usr/bin/unar";
  exchange->DecompressFolder(spwaw);
  EXPECT_FALSE(QFile::exists(spwaw + "/email003.dat.gz"));  // a lone gzip file: the tool's
  EXPECT_EQ(ReadFile(spwaw + "/email003.dat"), "DAT gz");
  EXPECT_TRUE(QFile::exists(spwaw + "/turn.arj"));  // damaged: reported and kept
  ASSERT_TRUE(OneBoxStartsWith(ui, "unar decompress failed: " + spwaw + "/turn.arj"));
  EXPECT_EQ(QDir(spwaw).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({"email003.dat", "turn.arj"}));  // no unpacking folder left
}

// What the tool would place is checked before anything of it is taken: a link, a name
// climbing out (whose reason shows no control characters), a size beyond the limit.
TEST_F(Working, TheToolMayNotPlaceLinksEscapeOrExceedTheLimit) {
  ASSERT_TRUE(QFile::exists("/usr/bin/unar")) << "unar is missing: scripts/install-deps.sh installs it";
  App().archiveTool = "/usr/bin/unar";
  const QString src = home.Root() + "/tarsrc";
  QDir().mkpath(src);
  QFile::link("/etc/hostname", src + "/email004.dat");
  ASSERT_EQ(RunIn(src, "tar", {"cf", "t.tar", "email004.dat"}), 0);
  // A .sit name sends an archive straight to the tool, which reads tar and ZIP too.
  QFile::rename(src + "/t.tar", spwaw + "/links.sit");
  const QString escape =
      "import tarfile,io,sys\n"
      "t=tarfile.open(sys.argv[1],'w')\n"
      "i=tarfile.TarInfo('../a\\r\\rAll files are fine.dat')\n"
      "i.size=1\n"
      "t.addfile(i,io.BytesIO(b'x'))\n"
      "t.close()\n";
  ASSERT_EQ(RunIn(home.Root(), "/usr/bin/python3", {"-c", escape, spwaw + "/escape.sit"}), 0);
  // A ZIP whose headers announce nearly 4 GB for a ten-byte file: refused from the
  // listing, before anything is unpacked.
  const QString big =
      "import zipfile,struct,sys,io\n"
      "b=io.BytesIO()\n"
      "z=zipfile.ZipFile(b,'w',zipfile.ZIP_DEFLATED)\n"
      "z.writestr('email005.dat','x'*10)\n"
      "z.close()\n"
      "d=bytearray(b.getvalue())\n"
      "i=d.find(b'PK\\x01\\x02')\n"
      "d[i+24:i+28]=struct.pack('<I',0xF0000000)\n"
      "j=d.find(b'PK\\x03\\x04')\n"
      "d[j+22:j+26]=struct.pack('<I',0xF0000000)\n"
      "open(sys.argv[1],'wb').write(d)\n";
  ASSERT_EQ(RunIn(home.Root(), "/usr/bin/python3", {"-c", big, spwaw + "/big.sit"}), 0);
  exchange->DecompressFolder(spwaw);
  ASSERT_EQ(ui.boxes.size(), 3u) << Said();
  QString texts = ui.Texts().join("\n");
  EXPECT_TRUE(texts.contains("is not a plain file")) << texts.toStdString();
  EXPECT_TRUE(texts.contains("unar decompress failed: " + spwaw + "/escape.sit")) << texts.toStdString();
  EXPECT_TRUE(texts.contains("../a??All files are fine.dat")) << texts.toStdString();
  EXPECT_TRUE(texts.contains("more than 1 GB")) << texts.toStdString();
  EXPECT_EQ(QDir(spwaw).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({"big.sit", "escape.sit", "links.sit"}));  // kept, nothing of them taken
}

TEST_F(Working, TheCommandAsksAndCreatesOneSubfolderPerProgram) {
  App().workingFolder.clear();
  const QString proposed = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/KOLT";
  ui.Answers({Answer::Cancel});
  exchange->SetWorkingFolderCommand();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(
      ui.boxes[0].text,
      "Set the additional working folder to\r\r" + proposed +
          " ?\r\rIf you receive game turn files which are not in .KLT or .ZIP format, then save them into "
          "correct subfolders under this folder, and KOLT will process them automatically when it is "
          "started or when you click Refresh F5.\r\rAlso if you receive files in .ZIP format, then extract "
          "them into correct subfolder under this folder.\r\rKOLT will create the correct subfolders under "
          "this folder, one for each program.\r\rWARNING: The files in these subfolders will be moved "
          "(deleted) when KOLT starts!");
  EXPECT_EQ(ui.boxes[0].buttons, Buttons::OkCancel);
  EXPECT_EQ(App().workingFolder, "");
  EXPECT_FALSE(QFileInfo::exists(proposed));

  ui.Answers({Answer::Ok});
  exchange->SetWorkingFolderCommand();
  EXPECT_EQ(App().workingFolder, proposed);
  EXPECT_EQ(IniRead("Settings", "WorkingFolder"), proposed);
  EXPECT_TRUE(QFileInfo(proposed + "/SPWAW").isDir());

  // A folder that cannot be made is reported and not kept.
  WriteFile(home.Root() + "/blocked", "a file");
  App().workingFolder = home.Root() + "/blocked/KOLT";
  ui.Answers({Answer::Ok});
  exchange->SetWorkingFolderCommand();
  EXPECT_TRUE(ui.Texts().last().startsWith("Can't create folder " + home.Root() + "/blocked/KOLT"));
  EXPECT_EQ(App().workingFolder, "");
  EXPECT_EQ(IniRead("Settings", "WorkingFolder"), proposed);  // not saved
}
