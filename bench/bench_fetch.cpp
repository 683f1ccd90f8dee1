// Fetches 200 turn messages ("KOLT file", each with its own game's KLT archive) from a
// real Dovecot server on 127.0.0.1 and takes them in through the whole receive path,
// and prints the time beside that of the `curl` command fetching the same 200 messages
// over one connection and taking their read marks back, in the same run. Then `kolt-cli
// fetch` takes in 16 messages of about 95 MB (one game each) and its peak memory is printed.
// Usage: bench_fetch [rounds] [large messages] (default 3 and 16; 0 large messages skips
// that part). Prints figures; never fails.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "CpuLoad.h"
#include "core/AppSettings.h"
#include "core/Pass.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/UiPort.h"
#include "exchange/mail/DovecotTestServer.h"
#include "exchange/mail/SmtpTestServer.h"
#include "exchange/turns/MailboxFetch.h"
#include "model/ProgramRegistry.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/Adapters.h"
#include "support/ExchangeParts.h"

using namespace kolt;

namespace {

constexpr int kMessages = 200;
constexpr int kInstalled = 2000;

class QuietUi final : public UiPort {
 public:
  Answer ShowMessageBox(const QString& text, Buttons, Icon, const QString&, int) override {
    if (++boxes <= 3) std::fprintf(stderr, "box: %s\n", qPrintable(text.left(300)));
    return Answer::Ok;
  }
  std::optional<QString> InputBox(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  void ShowStatus(const QString&) override {}
  void DoEvents() override {}
  int boxes = 0;
};

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Write(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// `count` Steel Panthers games of 3 files each already in `email`, with their records
// in the settings file (the fetched games are named apart from them).
void InstallGames(const QString& email, int count) {
  QByteArray turn(4096, 'x');
  for (int n = 1; n <= count; ++n) {
    const QString base = email + QStringLiteral("/email%1").arg(n, 4, 10, QChar('0'));
    Write(base + ".cmt", "Scenario " + QByteArray::number(n));
    Write(base + ".dat", turn);
    Write(base + ".aux", turn.left(1024));
    const QString key = QStringLiteral("email%1.cmt").arg(n, 4, 10, QChar('0'));
    if (!IniWrite("SPWAW", key, "ivan@example.org") ||
        !IniWrite("SPWAW", key + "/S", "2024-06-01 10:00:00")) {
      std::fprintf(stderr, "fetch: can't write the settings file %s\n", qPrintable(SettingsPath()));
      std::exit(1);
    }
  }
}

// The settings every run starts from; without them the figures would time a failure.
void WriteSettings(const QString& game, int imapPort) {
  const bool written = IniWrite("SPWAW", "Directory", game) && IniWrite("SPWAW", "SAVE", "0") &&
                       IniWrite("E-Mail", "IMAP_Server", "127.0.0.1") &&
                       IniWrite("E-Mail", "IMAP_Port", QString::number(imapPort)) &&
                       IniWrite("E-Mail", "IMAP_User", "me@home.net");
  if (!written) {
    std::fprintf(stderr, "fetch: can't write the settings file %s\n", qPrintable(SettingsPath()));
    std::exit(1);
  }
}

// The 200 messages, as a peer's copy mails them.
std::vector<QByteArray> MakeMessages(const QString& folder) {
  std::vector<QByteArray> messages;
  for (int n = 1; n <= kMessages; ++n) {
    const QString out = folder + QStringLiteral("/m%1").arg(n);
    const QString name = QStringLiteral("email%1").arg(n, 3, 10, QChar('0'));
    Write(out + "/SENDER.TXT",
          "ivan@example.org\r\n(GMT+1) CET\r\n-60\r\n" + App().version.toLatin1() + "\r\n");
    Write(out + "/SPWAW/" + name + ".cmt", "Game " + name.toLatin1());
    QByteArray turn(40 * 1024, Qt::Uninitialized);
    for (qsizetype i = 0; i < turn.size(); ++i) turn[i] = static_cast<char>((i * 31 + n * 7) & 0xff);
    Write(out + "/SPWAW/" + name + ".dat", turn);
    QProcess::execute("sh", {"-c", "cd '" + out + "' && zip -q -r KOLT.KLT SPWAW SENDER.TXT"});
    messages.push_back(
        "From: ivan@example.org\r\nTo: me@home.net\r\nSubject: KOLT file\r\nMIME-Version: 1.0\r\n"
        "Content-Type: multipart/mixed; boundary=XX\r\n\r\n--XX\r\nContent-Type: text/plain\r\n\r\n"
        "Good game\r\n--\r\nOpen the attachment in KOLT\r\nSPWAW/" +
        name.toLatin1() +
        ".cmt\r\n--XX\r\nContent-Type: application/octet-stream\r\n"
        "Content-Disposition: attachment; filename=KOLT.KLT\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
        ReadAll(out + "/KOLT.KLT").toBase64(QByteArray::Base64Encoding) + "\r\n--XX--\r\n");
  }
  return messages;
}

// Writes a message of a KLT archive holding one game with a turn of `turnBytes` random
// bytes (stored, as incompressible turns are), plus a padding attachment of
// `paddingBytes`, straight into `path`, base64 in lines of 76 as mail programs send it.
bool WriteLargeMessage(const QString& work, int n, qint64 turnBytes, qint64 paddingBytes,
                       const QString& path) {
  const QString out = work + QStringLiteral("/large%1").arg(n);
  const QString name = QStringLiteral("email%1").arg(100 + n, 3, 10, QChar('0'));
  QDir(out).removeRecursively();
  Write(out + "/SENDER.TXT",
        "ivan@example.org\r\n(GMT+1) CET\r\n-60\r\n" + App().version.toLatin1() + "\r\n");
  Write(out + "/SPWAW/" + name + ".cmt", "Game " + name.toLatin1());
  {
    QFile dat(out + "/SPWAW/" + name + ".dat");
    if (!dat.open(QIODevice::WriteOnly)) return false;
    QRandomGenerator random(static_cast<quint32>(n));
    QByteArray block(1024 * 1024, Qt::Uninitialized);
    for (qint64 left = turnBytes; left > 0; left -= block.size()) {
      random.fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
      dat.write(block.constData(), std::min<qint64>(left, block.size()));
    }
  }
  if (QProcess::execute("sh", {"-c", "cd '" + out + "' && zip -q -0 -r KOLT.KLT SPWAW SENDER.TXT"}) != 0)
    return false;
  QFile message(path);
  QFile klt(out + "/KOLT.KLT");
  if (!message.open(QIODevice::WriteOnly) || !klt.open(QIODevice::ReadOnly)) return false;
  message.write(
      "From: ivan@example.org\r\nTo: me@home.net\r\nSubject: KOLT file\r\nMIME-Version: 1.0\r\n"
      "Content-Type: multipart/mixed; boundary=XX\r\n\r\n--XX\r\nContent-Type: text/plain\r\n\r\n"
      "Good game\r\n--\r\nOpen the attachment in KOLT\r\nSPWAW/" +
      name.toLatin1() +
      ".cmt\r\n--XX\r\nContent-Type: application/octet-stream\r\n"
      "Content-Disposition: attachment; filename=KOLT.KLT\r\nContent-Transfer-Encoding: base64\r\n\r\n");
  while (!klt.atEnd()) {
    const QByteArray chunk = klt.read(57 * 4096);
    for (qsizetype i = 0; i < chunk.size(); i += 57) message.write(chunk.mid(i, 57).toBase64() + "\r\n");
  }
  message.write(
      "--XX\r\nContent-Type: application/octet-stream\r\nContent-Disposition: attachment; "
      "filename=notes.bin\r\nContent-Transfer-Encoding: base64\r\n\r\n");
  const QByteArray line = QByteArray(57, 'n').toBase64() + "\r\n";
  for (qint64 left = paddingBytes; left > 0; left -= 57) message.write(line);
  message.write("--XX--\r\n");
  klt.close();
  QDir(out).removeRecursively();
  return message.error() == QFileDevice::NoError;
}

// `kolt-cli --no fetch` on `count` messages of about 95 MB: its time and peak memory.
void LargeFetch(kolt::test::TestCertificate& certificate, const QString& root, int count) {
  kolt::test::DovecotTestServer imap("me@home.net", "secret", certificate.Cert(), certificate.Key());
  if (!imap.Ok()) {
    std::printf("Dovecot did not start\n");
    return;
  }
  const QString home = root + "/home";
  const QString game = root + "/games/SPWAW";
  QDir().mkpath(home);
  QDir().mkpath(game + "/EMAIL");
  Write(game + "/mech.exe", "MZ");
  SetSettingsPath(home + "/KOLT.INI");
  ClearIniCache();
  WriteSettings(game, imap.TlsPort());
  Write(home + "/imap-password", "secret");
  qint64 bytes = 0;
  for (int n = 1; n <= count; ++n) {
    const QString path = imap.Maildir() + QStringLiteral("/new/%1.large").arg(n);
    if (!WriteLargeMessage(root, n, qint64{62} * 1024 * 1024, qint64{7500} * 1024, path)) {
      std::printf("could not write message %d\n", n);
      return;
    }
    bytes += QFileInfo(path).size();
  }
  std::printf("%d messages of %.1f MB each\n", count, bytes / 1048576.0 / count);
  const QByteArray binary = KOLT_CLI;
  const QByteArray homeEnv = "KOLT_HOME=" + QFile::encodeName(home);
  const QByteArray caEnv = "KOLT_IMAP_CAINFO=" + QFile::encodeName(certificate.Cert());
  const QByteArray userEnv = "HOME=" + QFile::encodeName(root + "/user");
  char* const args[] = {const_cast<char*>(binary.constData()), const_cast<char*>("--no"),
                        const_cast<char*>("fetch"), nullptr};
  char* const env[] = {const_cast<char*>(homeEnv.constData()),         const_cast<char*>(caEnv.constData()),
                       const_cast<char*>(userEnv.constData()),         const_cast<char*>("LC_ALL=C.UTF-8"),
                       const_cast<char*>("DBUS_SESSION_BUS_ADDRESS="), nullptr};
  QElapsedTimer t;
  t.start();
  pid_t pid = 0;
  if (posix_spawn(&pid, binary.constData(), nullptr, nullptr, args, env) != 0) {
    std::printf("kolt-cli did not start\n");
    return;
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const double seconds = t.nsecsElapsed() / 1e9;
  int taken = 0;
  for (int n = 1; n <= count; ++n)
    taken += QFileInfo(game + QStringLiteral("/EMAIL/email%1.dat").arg(100 + n, 3, 10, QChar('0'))).size() > 0
                 ? 1
                 : 0;
  std::printf("kolt-cli fetch: exit %d, %d of %d taken in, %.1f s, peak memory (max RSS) %.0f MB\n",
              WIFEXITED(status) ? WEXITSTATUS(status) : -1, taken, count, seconds, usage.ru_maxrss / 1024.0);
}

// A fresh server holding `messages`, a fresh home with `installed` games, and the whole
// check of that home: its time in ms, -1 when something did not work.
double WholeCheck(kolt::test::TestCertificate& certificate, const std::vector<QByteArray>& messages,
                  const QString& root, int installed) {
  kolt::test::DovecotTestServer imap("me@home.net", "secret", certificate.Cert(), certificate.Key());
  if (!imap.Ok()) return -1;
  for (size_t n = 0; n < messages.size(); ++n)
    kolt::test::DovecotTestServer::Write(imap.Maildir() + QStringLiteral("/new/%1.bench").arg(n + 1),
                                         messages[n]);
  const QString home = root + "/home";
  const QString game = root + "/games/SPWAW";
  QDir().mkpath(home + "/0");
  QDir().mkpath(game + "/EMAIL");
  Write(game + "/mech.exe", "MZ");
  qputenv("KOLT_HOME", QFile::encodeName(home));
  qputenv("KOLT_IMAP_CAINFO", QFile::encodeName(certificate.Cert()));
  SetSettingsPath(home + "/KOLT.INI");
  ClearIniCache();
  App().homeFolder = home;
  App().instanceFolder = home + "/0";
  {
    Pass pass;
    WriteSettings(game, imap.TlsPort());
    InstallGames(game + "/EMAIL", installed);
  }
  Write(home + "/imap-password", "secret");
  // Dovecot looks at new messages once, as for the other figures.
  QProcess::execute(
      "curl", {"-sS", "-o", "/dev/null", "--cacert", certificate.Cert(), "-u", "me@home.net:secret", "-X",
               "STATUS INBOX (MESSAGES)", QStringLiteral("imaps://127.0.0.1:%1/").arg(imap.TlsPort())});
  QuietUi ui;
  LinuxWintools tools(ui);
  ProgramList programs;
  kolt::test::ExchangeParts parts(ui, tools, programs);
  ProgramRegistry registry(parts.ServicesFor(ui, tools), AdapterFactories());
  registry.BuildProgramList(programs);
  MailboxFetch fetch(ui, parts.exchange, programs);
  QElapsedTimer t;
  t.start();
  const MailboxTally r = fetch.Run();
  const double ms = t.nsecsElapsed() / 1e6;
  if (r.TakenIn() != static_cast<int>(messages.size())) {
    std::printf("into %d games: taken in %d of %zu (%s)\n", installed, r.TakenIn(), messages.size(),
                qPrintable(r.StatusText()));
    return -1;
  }
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  QCoreApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(0, atoi(argv[1])) : 3;
  const int large = argc > 2 ? std::max(0, atoi(argv[2])) : 16;
  QTemporaryDir dir;
  App().version = ProgramVersion();
  kolt::test::TestCertificate certificate;
  const std::vector<QByteArray> messages = MakeMessages(dir.path() + "/out");
  qint64 bytes = 0;
  for (const QByteArray& m : messages) bytes += m.size();
  std::printf("%d messages, %.1f MB\n", kMessages, bytes / 1048576.0);

  std::vector<double> ours, download, curl, loadedDownload, loadedCurl, emptyHome, fullHome;
  for (int round = 0; round < rounds; ++round) {
    kolt::test::DovecotTestServer imap("me@home.net", "secret", certificate.Cert(), certificate.Key());
    if (!imap.Ok()) {
      std::printf("Dovecot did not start\n");
      return 0;
    }
    for (int n = 0; n < kMessages; ++n)
      kolt::test::DovecotTestServer::Write(imap.Maildir() + QStringLiteral("/new/%1.bench").arg(n + 1),
                                           messages[n]);
    const QString root = dir.path() + QStringLiteral("/round%1").arg(round);
    const QString home = root + "/home";
    const QString game = root + "/games/SPWAW";
    QDir().mkpath(home + "/0");
    QDir().mkpath(game + "/EMAIL");
    Write(game + "/mech.exe", "MZ");
    qputenv("KOLT_HOME", QFile::encodeName(home));
    qputenv("KOLT_IMAP_CAINFO", QFile::encodeName(certificate.Cert()));
    SetSettingsPath(home + "/KOLT.INI");
    ClearIniCache();
    App().homeFolder = home;
    App().instanceFolder = home + "/0";
    WriteSettings(game, imap.TlsPort());
    Write(home + "/imap-password", "secret");

    QuietUi ui;
    LinuxWintools tools(ui);
    ProgramList programs;
    kolt::test::ExchangeParts parts(ui, tools, programs);
    ProgramRegistry registry(parts.ServicesFor(ui, tools), AdapterFactories());
    registry.BuildProgramList(programs);

    // Both sides meet the same server state: Dovecot has seen the new messages once (it
    // indexes them at the first look) and every message is unread, so each fetch sets the
    // \Seen flag and the marks are taken back, as the check does.
    const QString url = QStringLiteral("imaps://127.0.0.1:%1/INBOX").arg(imap.TlsPort());
    auto runCurl = [&](const QStringList& arguments) {
      QProcess c;
      c.start("curl", QStringList{"-sS", "-o", "/dev/null", "--cacert", certificate.Cert(), "-u",
                                  "me@home.net:secret"} +
                          arguments);
      c.waitForFinished(300000);
      if (c.exitCode() != 0) std::printf("curl exited with %d\n", c.exitCode());
    };
    runCurl({"-X", "STATUS INBOX (MESSAGES)", QStringLiteral("imaps://127.0.0.1:%1/").arg(imap.TlsPort())});

    // curl alone: the same 200 messages over one connection (URL globbing), then the
    // commands that take the read marks back.
    QElapsedTimer t;
    auto curlFetch = [&] {
      t.start();
      runCurl({QStringLiteral("%1/;UID=[1-%2]").arg(url).arg(kMessages)});
      // In commands of 25 on the same connection, as the check does (libcurl refuses an
      // answer of more than about 150 lines).
      QStringList unmark;
      for (int first = 1; first <= kMessages; first += 25) {
        if (first > 1)
          unmark << "--next"
                 << "-sS"
                 << "-o"
                 << "/dev/null"
                 << "--cacert" << certificate.Cert() << "-u"
                 << "me@home.net:secret";
        unmark << "-X" << QStringLiteral("UID STORE %1:%2 -FLAGS (\\Seen)").arg(first).arg(first + 24) << url;
      }
      runCurl(unmark);
      return t.nsecsElapsed() / 1e6;
    };

    // The network half alone (it leaves every message unread).
    QString problem;
    const MailboxFetch::Account account = MailboxFetch::ReadAccount(programs, &problem);
    auto networkHalf = [&] {
      t.restart();
      const MailboxDownload d = MailboxFetch::Download(account, {}, nullptr);
      if (!d.ok || d.messages.size() != kMessages)
        std::printf("download: %s (%zu messages)\n", qPrintable(d.error), d.messages.size());
      return t.nsecsElapsed() / 1e6;
    };
    // Whichever goes second meets a server that has done the other's work (its index and
    // transaction log grown by 200 flag changes and their reversal), so the order turns
    // from round to round.
    const bool curlFirst = round % 2 == 0;
    auto both = [&](std::vector<double>& c, std::vector<double>& d) {
      if (curlFirst) c.push_back(curlFetch());
      d.push_back(networkHalf());
      if (!curlFirst) c.push_back(curlFetch());
    };
    both(curl, download);
    {
      // The same beside a busy process per core.
      kolt::bench::CpuLoad load;
      both(loadedCurl, loadedDownload);
    }
    std::printf("round %d (%s first): fetch only %.1f ms, curl %.1f ms; beside the load %.1f and %.1f ms\n",
                round + 1, curlFirst ? "curl" : "ours", download.back(), curl.back(), loadedDownload.back(),
                loadedCurl.back());
    std::fflush(stdout);

    // The whole check: fetch, take in, mark as read.
    MailboxFetch fetch(ui, parts.exchange, programs);
    t.restart();
    const MailboxTally r = fetch.Run();
    ours.push_back(t.nsecsElapsed() / 1e6);
    if (r.TakenIn() != kMessages)
      std::printf("taken in: %d of %d (%s)\n", r.TakenIn(), kMessages, qPrintable(r.StatusText()));

    // The same check into an empty home and into one of 2,000 games, each on its own
    // fresh server.
    emptyHome.push_back(WholeCheck(certificate, messages, root + "/empty", 0));
    fullHome.push_back(WholeCheck(certificate, messages, root + "/full", kInstalled));
  }
  auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  if (rounds > 0) {
    std::printf("fetch only (Download, one login): %.1f ms\n", median(download));
    std::printf("fetch + take in + mark as read:   %.1f ms\n", median(ours));
    std::printf("curl, the same messages:           %.1f ms\n", median(curl));
    std::printf("ratio fetch only / curl: %.2f; whole check / curl: %.2f\n", median(download) / median(curl),
                median(ours) / median(curl));
    std::printf("beside a CPU load (one busy process per core):\n");
    std::printf("  fetch only: %.1f ms, curl: %.1f ms, ratio %.2f (goal: at most 2)\n",
                median(loadedDownload), median(loadedCurl), median(loadedDownload) / median(loadedCurl));
    std::printf(
        "whole check into an empty home: %.1f ms; into a home of %d games: %.1f ms; ratio %.2f "
        "(goal: at most 3)\n",
        median(emptyHome), kInstalled, median(fullHome), median(fullHome) / median(emptyHome));
  }
  if (large > 0) LargeFetch(certificate, dir.path() + "/large", large);
  return 0;
}
