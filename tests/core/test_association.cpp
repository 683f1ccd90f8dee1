#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include "core/Startup.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(20000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// A "program" that records its arguments in `argsFile`.
void WriteRecorder(const QString& path, const QString& argsFile) {
  WriteScript(path, QByteArray("#!/bin/sh\nprintf '%s\\n' \"$@\" > '") + QFile::encodeName(argsFile) + "'\n");
}

// A prefix as the package installs it: the program in bin/, the shipped desktop entry and
// MIME type under share/, with the caches the package's triggers build.
QString MakeInstalledPrefix(const QString& prefix, const QString& argsFile) {
  WriteRecorder(prefix + "/bin/kolt-helper", argsFile);
  QString share = prefix + "/share";
  const QString data = QStringLiteral(KOLT_TEST_SOURCE_DIR "/data");
  WriteFile(share + "/applications/kolt-helper.desktop", ReadFile(data + "/kolt-helper.desktop"));
  WriteFile(share + "/mime/packages/kolt-helper.xml", ReadFile(data + "/kolt-helper.xml"));
  RunTool("update-mime-database", {share + "/mime"});
  RunTool("update-desktop-database", {share + "/applications"});
  return share;
}

// What a run from a build tree that has since been deleted left behind.
void WriteStaleUserEntry(const QString& userShare) {
  WriteFile(userShare + "/applications/kolt-helper.desktop",
            "[Desktop Entry]\nType=Application\nName=KOLT Helper\nExec=\"/gone/build/kolt-helper\" %f\n"
            "MimeType=application/x-kolt-turn;\n");
  WriteFile(userShare + "/mime/packages/kolt-helper.xml",
            ReadFile(KOLT_TEST_SOURCE_DIR "/data/kolt-helper.xml"));
  RunTool("update-mime-database", {userShare + "/mime"});
  RunTool("update-desktop-database", {userShare + "/applications"});
}

// A received archive (any ZIP content) at `received`: it is of our type, and opening it
// starts the registered program with the file's path as its one argument.
void ExpectOpeningStarts(const QString& received, const QString& argsFile) {
  WriteFile(received, QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
  EXPECT_TRUE(
      RunTool("gio", {"info", "-a", "standard::content-type", received}).contains("application/x-kolt-turn"));
  QFile::remove(argsFile);
  RunTool("gio", {"open", received});
  for (int i = 0; i < 50 && ReadFile(argsFile).isEmpty(); ++i) QThread::msleep(100);
  EXPECT_EQ(ReadFile(argsFile), QFile::encodeName(received) + "\n");
}

}  // namespace

// Installed by the package: the system's entry (Exec=kolt-helper, found on PATH) is the
// handler. The user-level entry and MIME type a deleted build tree left behind would hide
// it and are removed; only the default in mimeapps.list is written.
TEST(FileAssociation, InstalledProgramUsesTheSystemEntryAndDropsAStaleUserOne) {
  for (const char* tool : {"gio", "update-mime-database", "update-desktop-database"})
    ASSERT_FALSE(QStandardPaths::findExecutable(tool).isEmpty()) << tool << " is missing";
  TempHome home;
  const QString argsFile = home.Root() + "/args.txt";
  const QString prefix = home.Root() + "/usr";
  const QString share = MakeInstalledPrefix(prefix, argsFile);
  const QString userShare = home.Root() + "/user/.local/share";
  WriteStaleUserEntry(userShare);
  ScopedEnv dataDirs("XDG_DATA_DIRS", share + ":/usr/share");
  ScopedEnv path("PATH", prefix + "/bin:" + qEnvironmentVariable("PATH"));

  ScriptedUi ui;
  RegisterFileAssociation(ui, prefix + "/bin/kolt-helper");
  EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join("|").toStdString();
  EXPECT_FALSE(QFileInfo::exists(userShare + "/applications/kolt-helper.desktop"));
  EXPECT_FALSE(QFileInfo::exists(userShare + "/mime/packages/kolt-helper.xml"));
  EXPECT_EQ(ReadFile(home.Root() + "/user/.config/mimeapps.list"),
            QByteArray("[Default Applications]\napplication/x-kolt-turn=kolt-helper.desktop\n"));

  ExpectOpeningStarts(home.Root() + "/Mail attachments/KOLT.KLT", argsFile);

  // A second start finds everything in place and writes nothing.
  const QDateTime written = QFileInfo(home.Root() + "/user/.config/mimeapps.list").lastModified();
  QThread::msleep(20);
  RegisterFileAssociation(ui, prefix + "/bin/kolt-helper");
  EXPECT_EQ(QFileInfo(home.Root() + "/user/.config/mimeapps.list").lastModified(), written);
  EXPECT_FALSE(QFileInfo::exists(userShare + "/applications/kolt-helper.desktop"));
}

// A copy the desktop would not find through the system's entry registers itself at user
// level, replacing the stale entry: a build tree (even with the package installed beside
// it), a prefix whose share folder the desktop does not search, and a prefix that does
// not ship the entry. Then the desktop takes it as the handler of our type, with a blank
// in the program's and in the received file's folder.
TEST(FileAssociation, OtherCopiesRegisterThemselvesOverAStaleEntry) {
  ASSERT_FALSE(QStandardPaths::findExecutable("gio").isEmpty())
      << "gio is missing: scripts/install-deps.sh installs it";
  TempHome home;
  const QString argsFile = home.Root() + "/args.txt";
  const QString share = MakeInstalledPrefix(home.Root() + "/usr", argsFile);
  WriteRecorder(home.Root() + "/opt/bin/kolt-helper", argsFile);
  WriteFile(home.Root() + "/opt/share/applications/kolt-helper.desktop",
            ReadFile(share + "/applications/kolt-helper.desktop"));
  WriteFile(home.Root() + "/opt/share/mime/packages/kolt-helper.xml",
            ReadFile(share + "/mime/packages/kolt-helper.xml"));
  WriteRecorder(home.Root() + "/bare/bin/kolt-helper", argsFile);
  QDir().mkpath(home.Root() + "/bare/share");
  WriteRecorder(home.Root() + "/build dir/kolt-helper", argsFile);
  const QString userShare = home.Root() + "/user/.local/share";
  ScopedEnv dataDirs("XDG_DATA_DIRS", share + ":" + home.Root() + "/bare/share:/usr/share");

  for (const QString& exe : {home.Root() + "/opt/bin/kolt-helper", home.Root() + "/bare/bin/kolt-helper",
                             home.Root() + "/build dir/kolt-helper"}) {
    SCOPED_TRACE(exe.toStdString());
    WriteStaleUserEntry(userShare);
    ScriptedUi ui;
    RegisterFileAssociation(ui, exe);
    EXPECT_TRUE(ui.boxes.empty()) << ui.Texts().join("|").toStdString();
    const QByteArray desktop = ReadFile(userShare + "/applications/kolt-helper.desktop");
    EXPECT_TRUE(desktop.contains("Exec=\"" + QFile::encodeName(exe) + "\" %f\n")) << desktop.toStdString();
    EXPECT_TRUE(QFileInfo::exists(userShare + "/mime/packages/kolt-helper.xml"));
  }
  EXPECT_TRUE(RunTool("gio", {"mime", "application/x-kolt-turn"}).contains("kolt-helper.desktop"));
  ExpectOpeningStarts(home.Root() + "/Mail attachments/KOLT.KLT", argsFile);
}
