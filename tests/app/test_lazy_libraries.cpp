// A program built as kolt-helper is (loading libcurl, GMime and libarchive when first
// used) starts without them and works with them: zip and unzip, a turn message parsed,
// an IMAP connection attempted, a variable-argument option set on the way.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "exchange/archive/ArchiveWrapper.h"
#include "exchange/archive/MemoryArchiveLog.h"
#include "exchange/mail/ImapClient.h"
#include "exchange/mail/TurnMail.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

using namespace kolt;

namespace {

// Which of the libraries are in the process now.
QStringList Loaded() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  const QByteArray text = maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
  QStringList loaded;
  for (const char* library : {"libcurl.so", "libgmime-3.0.so", "libarchive.so"}) {
    if (text.contains(library)) loaded.append(QString::fromLatin1(library));
  }
  return loaded;
}

// Taken at start, before any test ran.
const QStringList kLoadedAtStart = Loaded();

}  // namespace

TEST(LazyLibraries, LoadedWhenFirstUsedAndWorkingThen) {
  EXPECT_TRUE(kLoadedAtStart.isEmpty()) << kLoadedAtStart.join(", ").toStdString();

  // libarchive: a file packed and unpacked again.
  QTemporaryDir dir;
  ASSERT_TRUE(test::WriteFile(dir.path() + "/in/turn.dat", QByteArray(5000, 'x')));
  test::ScriptedUi ui;
  MemoryArchiveLog log;
  ArchiveWrapper archive(ui, log);
  ASSERT_TRUE(archive.Zip(dir.path() + "/t.zip", dir.path() + "/in", {"*"}));
  archive.UnzipInit();
  archive.SetZipFName(dir.path() + "/t.zip");
  archive.SetExtractRoot(dir.path() + "/out");
  QDir().mkpath(dir.path() + "/out");
  ASSERT_TRUE(archive.Unzip());
  EXPECT_EQ(QFileInfo(dir.path() + "/out/turn.dat").size(), 5000);

  // GMime: a message with a turn attached.
  const QByteArray message =
      "From: Opponent <opp@example.org>\r\nTo: me@example.org\r\nSubject: KOLT file\r\n"
      "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"b\"\r\n\r\n"
      "--b\r\nContent-Type: text/plain\r\n\r\nYour move.\r\n"
      "--b\r\nContent-Type: application/octet-stream\r\nContent-Disposition: attachment; "
      "filename=\"KOLT.KLT\"\r\nContent-Transfer-Encoding: base64\r\n\r\nS09MVA==\r\n--b--\r\n";
  const TurnMail mail = ParseTurnMail(message);
  EXPECT_TRUE(mail.problem.isEmpty()) << mail.problem.toStdString();
  EXPECT_EQ(mail.subject, "KOLT file");
  EXPECT_EQ(mail.fromAddress, "opp@example.org");
  ASSERT_EQ(mail.attachments.size(), 1);

  // libcurl: nothing listens on port 1; the options (set with variable arguments) hold,
  // so the failure is the connection's.
  ImapAccount account;
  account.host = QStringLiteral("127.0.0.1");
  account.port = 1;
  account.security = ImapSecurity::None;
  account.responseTimeout = 10;
  ImapClient client(account);
  QStringList capabilities;
  EXPECT_FALSE(client.Capabilities(&capabilities));
  EXPECT_EQ(client.Failure(), ImapFailure::Connection) << client.Error().toStdString();

  EXPECT_EQ(Loaded(), QStringList({"libcurl.so", "libgmime-3.0.so", "libarchive.so"}));
}

// The window itself opens none of them at start.
TEST(LazyLibraries, TheWindowDoesNotNeedThemAtStart) {
  QProcess readelf;
  readelf.start(QStringLiteral("readelf"), {QStringLiteral("-d"), QStringLiteral(KOLT_HELPER)});
  ASSERT_TRUE(readelf.waitForFinished(30000));
  const QByteArray dynamic = readelf.readAllStandardOutput();
  ASSERT_TRUE(dynamic.contains("libQt6Widgets")) << dynamic.toStdString();
  for (const char* library : {"libcurl", "libgmime", "libarchive", "libgobject"})
    EXPECT_FALSE(dynamic.contains(library)) << library;
}
