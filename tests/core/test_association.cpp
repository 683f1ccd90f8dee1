#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include "core/Startup.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

using namespace kolt;
using kolt::test::ReadFile;
using kolt::test::ScriptedUi;
using kolt::test::TempHome;
using kolt::test::WriteFile;

namespace {

QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(20000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

// What the desktop does with a received KOLT.KLT once the program has registered itself:
// the file is of our type (whatever the case of its name) and opening it starts the
// registered program with the file's path as its one argument.
TEST(FileAssociation, OpeningAKltStartsTheProgramWithIt) {
  ASSERT_FALSE(QStandardPaths::findExecutable("gio").isEmpty())
      << "gio is missing: scripts/install-deps.sh installs it";
  TempHome home;
  // The registered "program" records its arguments.
  const QString recorder = home.Root() + "/bin dir/kolt-helper";
  const QString argsFile = home.Root() + "/args.txt";
  WriteFile(recorder,
            QByteArray("#!/bin/sh\nprintf '%s\\n' \"$@\" > '") + QFile::encodeName(argsFile) + "'\n");
  QFile::setPermissions(recorder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  ScriptedUi ui;
  RegisterFileAssociation(ui, recorder);
  ASSERT_TRUE(ui.boxes.empty());

  // A received archive (any ZIP content) in a folder with a blank in its name.
  const QString received = home.Root() + "/Mail attachments/KOLT.KLT";
  WriteFile(received, QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
  EXPECT_TRUE(
      RunTool("gio", {"info", "-a", "standard::content-type", received}).contains("application/x-kolt-turn"));
  EXPECT_TRUE(RunTool("gio", {"mime", "application/x-kolt-turn"}).contains("kolt-helper.desktop"));

  RunTool("gio", {"open", received});
  for (int i = 0; i < 50 && ReadFile(argsFile).isEmpty(); ++i) QThread::msleep(100);
  EXPECT_EQ(ReadFile(argsFile), QFile::encodeName(received) + "\n");
}
