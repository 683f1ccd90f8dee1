#include "platform/linux/LinuxWintools.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <utility>

#include "core/AppSettings.h"
#include "core/FileNames.h"
#include "core/FolderSnapshot.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/UiPort.h"
#include "platform/linux/PeVersion.h"
#include "platform/linux/WineCheck.h"
#include "platform/linux/WinePaths.h"

namespace kolt {
namespace {

bool IsWindowsProgram(const QString& file) {
  static const char* const kSuffixes[] = {".exe", ".com", ".bat"};
  for (const char* s : kSuffixes) {
    if (file.endsWith(QLatin1String(s), Qt::CaseInsensitive)) return true;
  }
  return false;
}

QStringList SplitCommandLine(QString text) {
  QStringList args;
  while (!text.trimmed().isEmpty()) args.append(NextToken(text));
  return args;
}

// Start time (in clock ticks since boot) and state of a process, from /proc/<pid>/stat.
// The command name in parentheses may itself hold spaces and parentheses, so fields are
// counted from the last ')'.
bool ReadProcStat(pid_t pid, quint64* startTicks, char* state) {
  QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray line = f.readAll();
  const qsizetype close = line.lastIndexOf(')');
  if (close < 0) return false;
  const QList<QByteArray> fields = line.mid(close + 1).simplified().split(' ');
  // fields[0] = state (field 3), fields[19] = starttime (field 22).
  if (fields.size() < 20 || fields[0].isEmpty()) return false;
  bool ok = false;
  const quint64 ticks = fields[19].toULongLong(&ok);
  if (!ok) return false;
  *startTicks = ticks;
  *state = fields[0][0];
  return true;
}

// A program that ends this soon after its start is taken to have failed to start.
constexpr qint64 kEarlyEndMs = 10000;
// What is read of a program's error output to find Wine's complaints.
constexpr qint64 kMaxErrorOutput = qint64{256} * 1024;

bool CommandExists(const QString& program) {
  return program.contains(QChar('/')) ? QFileInfo::exists(program)
                                      : !QStandardPaths::findExecutable(program).isEmpty();
}

// Copies what was added to `path` since `from` to our own error output (the terminal
// we were started from, if any); returns where the copy ended.
qint64 CopyToStderr(const QString& path, qint64 from) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly) || f.size() <= from || !f.seek(from)) return from;
  qint64 at = from;
  char buffer[16384];
  for (qint64 n = 0; (n = f.read(buffer, sizeof buffer)) > 0; at += n) {
    for (qint64 done = 0; done < n;) {
      const ssize_t w = ::write(STDERR_FILENO, buffer + done, size_t(n - done));
      if (w <= 0 && errno != EINTR) return f.pos();  // nowhere to write to: drop it
      if (w > 0) done += w;
    }
  }
  return at;
}

QByteArray ReadHead(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return QByteArray();
  return f.read(kMaxErrorOutput);
}

bool IsUrl(const QString& text) {
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  return scheme.match(text).hasMatch();
}

}  // namespace

LinuxWintools::LinuxWintools(UiPort& ui, QString wineCommand)
    : m_ui(ui), m_wineCommand(std::move(wineCommand)) {}

LinuxWintools::~LinuxWintools() = default;

// The Wine command split into the program and its arguments.
QStringList LinuxWintools::WineWords() const {
  QString wine = m_wineCommand;
  if (wine.trimmed().isEmpty()) wine = WineCommand();
  QStringList words = SplitCommandLine(wine);
  if (words.isEmpty()) words.append(QStringLiteral("wine"));
  return words;
}

LinuxWintools::Command LinuxWintools::CommandFor(const QString& file, const QStringList& arguments) const {
  Command c;
  if (!IsWindowsProgram(file)) {
    c.program = file;
    c.arguments = arguments;
    return c;
  }
  QStringList wineParts = WineWords();
  c.program = wineParts.takeFirst();
  c.arguments = wineParts;
  c.arguments.append(file);
  c.arguments.append(arguments);
  c.winePrefix = WinePrefixOf(file);
  return c;
}

// The process for `command`, with WINEPREFIX set for a Windows program.
void LinuxWintools::Prepare(QProcess& process, const Command& command, const QString& directory) {
  process.setProgram(command.program);
  process.setArguments(command.arguments);
  if (!directory.isEmpty()) process.setWorkingDirectory(directory);
  if (!command.winePrefix.isEmpty()) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WINEPREFIX"), command.winePrefix);
    process.setProcessEnvironment(env);
  }
}

QString LinuxWintools::Scratch() {
  if (!m_scratch) {
    m_scratch = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/kolt-helper-XXXXXX"));
    if (!m_scratch->isValid()) {
      m_scratch.reset();
      return QString();
    }
  }
  return m_scratch->path();
}

bool LinuxWintools::PrepareWineFolder(const QStringList& wine, const QString& prefix) {
  // A folder is new until Wine's first set-up wrote its registry; a program started
  // meanwhile fails with errors that say nothing about 32-bit support.
  if (QFileInfo::exists(prefix + QStringLiteral("/system.reg"))) return true;
  m_ui.ShowStatus(
      QCoreApplication::translate("LinuxWintools",
                                  "Wine is setting up the folder %1 for its first use. This takes a "
                                  "minute...")
          .arg(prefix));
  QProcess boot;
  Prepare(boot,
          Command{wine.first(), wine.mid(1) << QStringLiteral("wineboot") << QStringLiteral("-i"), prefix},
          QString());
  boot.setStandardInputFile(QProcess::nullDevice());
  boot.setStandardOutputFile(QProcess::nullDevice());
  boot.setStandardErrorFile(QProcess::nullDevice());
  boot.start();
  if (!boot.waitForStarted(-1)) return false;
  QElapsedTimer clock;
  clock.start();
  while (boot.state() != QProcess::NotRunning && !boot.waitForFinished(100)) {
    m_ui.DoEvents();
    if (clock.elapsed() > qint64{m_wineCheckTimeoutMs} * 5) {
      boot.kill();
      boot.waitForFinished(5000);
      break;
    }
  }
  m_ui.ShowStatus(QString());
  return true;
}

bool LinuxWintools::WineRuns32Bit(const Command& command, const QString& file) {
  const QStringList wine = WineWords();
  const QString prefix = command.winePrefix.isEmpty() ? DefaultWinePrefix() : command.winePrefix;
  // A Wine folder made before the 32-bit part was installed stays unable to run 32-bit
  // programs: the answer belongs to the folder as much as to the command.
  const QString key = wine.join(QChar(0x1F)) + QChar(0x1E) + prefix;
  auto known = m_wine32Checks.constFind(key);
  if (known == m_wine32Checks.constEnd()) {
    // A start asked for while a check runs (the window is served meanwhile) is let
    // through rather than checked twice at once.
    if (m_checkingWine) return true;
    m_checkingWine = true;
    const auto done = qScopeGuard([this] { m_checkingWine = false; });
    // A tiny 32-bit program run in the game's folder must end with its own exit code;
    // anything else means Wine cannot run the game. Wine ends with 0 when it could not
    // even load the program, and says nothing about it with WINEDEBUG=-all.
    const QString folder = Scratch();
    const QString probe = folder + QStringLiteral("/wine32-check.exe");
    const QString log = folder + QStringLiteral("/wine32-check.log");
    QFile out(probe);
    if (folder.isEmpty() || !out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(MakeWineProbeProgram()) < 0 || !out.flush())
      return true;  // cannot check: start the game and see
    out.close();
    if (!PrepareWineFolder(wine, prefix)) return true;  // the start itself reports a missing Wine
    QProcess process;
    Command run{wine.first(), wine.mid(1) << probe, command.winePrefix};
    Prepare(process, run, folder);
    QProcessEnvironment env = process.processEnvironment();
    if (env.isEmpty()) env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("WINEDEBUG"));  // Wine is to say why it failed
    process.setProcessEnvironment(env);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(log);
    process.start();
    if (!process.waitForStarted(-1)) return true;  // the start itself reports a missing Wine
    QElapsedTimer clock;
    clock.start();
    bool gaveUp = false;
    while (process.state() != QProcess::NotRunning && !process.waitForFinished(100)) {
      m_ui.DoEvents();
      if (clock.elapsed() > m_wineCheckTimeoutMs) {
        process.kill();
        process.waitForFinished(5000);
        gaveUp = true;
        break;
      }
    }
    Wine32Check check;
    check.runs =
        !gaveUp && process.exitStatus() == QProcess::NormalExit && process.exitCode() == kWineProbeExitCode;
    check.prefix = prefix;
    if (!check.runs) {
      check.said = WineSaid(ReadHead(log));
      if (gaveUp) {
        check.said.append(
            QCoreApplication::translate("LinuxWintools", "(the check program did not end within %1 seconds)")
                .arg(m_wineCheckTimeoutMs / 1000));
      } else if (check.said.isEmpty()) {
        check.said.append(QCoreApplication::translate(
                              "LinuxWintools", "(nothing; the check program ended with %1 instead of %2)")
                              .arg(process.exitCode())
                              .arg(kWineProbeExitCode));
      }
    }
    QFile::remove(log);
    // One that hung may have been held up by something passing: asked again next time.
    if (gaveUp) {
      ReportNo32Bit(wine, file, check);
      return false;
    }
    known = m_wine32Checks.insert(key, check);
  }
  if (known->runs) return true;
  ReportNo32Bit(wine, file, *known);
  return false;
}

void LinuxWintools::ReportNo32Bit(const QStringList& wine, const QString& file, const Wine32Check& check) {
  const QString said = check.said.join(QChar('\r'));
  // Wine of Debian says "wine32 is missing" when it is; a folder that cannot load the
  // 32-bit system though Wine could is one made before the 32-bit part was installed.
  const bool missing = said.contains(QStringLiteral("wine32 is missing"));
  const bool brokenFolder = !missing && (said.contains(QStringLiteral("c0000135")) ||
                                         said.contains(QStringLiteral("kernel32.dll")) ||
                                         said.contains(QStringLiteral("ntdll.dll")));
  QString advice;
  if (brokenFolder) {
    //: %1 is the Wine folder; the command lines stay as they are
    advice =
        QCoreApplication::translate(
            "LinuxWintools",
            "The Wine folder %1 cannot load Wine's 32-bit system: it was most likely made before the "
            "32-bit part of Wine was installed, and such a folder stays that way. Make a new Wine folder "
            "and install the game into it again, for example:\r"
            "WINEPREFIX=~/.wine-games WINEARCH=win32 wineboot -i\r"
            "WINEPREFIX=~/.wine-games wine SETUP.EXE\r\r"
            "Or move this folder away (mv %1 %1.old) and let Wine make it anew with: wineboot -i")
            .arg(check.prefix);
  } else {
    //: the command lines stay as they are
    advice = QCoreApplication::translate("LinuxWintools",
                                         "Install the 32-bit part of Wine. On Debian and Ubuntu:\r"
                                         "sudo dpkg --add-architecture i386\r"
                                         "sudo apt update\r"
                                         "sudo apt install wine32:i386");
  }
  //: %1 is the game's program, %2 the Wine command, %3 what Wine wrote, %4 the advice, %5 this program's name
  m_ui.MsgBox(
      QCoreApplication::translate("LinuxWintools",
                                  "Can't start %1: it is a 32-bit Windows program, and the Wine command "
                                  "\"%2\" cannot run 32-bit programs on this computer.\r\rWine said:\r%3"
                                  "\r\r%4\r\rThen start %5 again.")
          .arg(file, wine.join(QChar(' ')), said, advice, AppTitle()),
      Buttons::Ok, Icon::Exclamation);
}

void LinuxWintools::ReportEarlyEnd(const QString& errorLog, qint64 runMs) {
  const QByteArray output = runMs <= kEarlyEndMs ? ReadHead(errorLog) : QByteArray();
  QFile::remove(errorLog);
  const QStringList said = WineSaid(output);
  if (said.isEmpty()) return;
  m_ui.MsgBox(QCoreApplication::translate("LinuxWintools", "The game ended at once. Wine said:\r%1")
                  .arg(said.join(QChar('\r'))),
              Buttons::Ok, Icon::Exclamation);
}

bool LinuxWintools::RunProgram(const QString& file, const RunOptions& options) {
  const QString parameters = options.arguments && options.parameters.isEmpty()
                                 ? options.arguments->join(QChar(' '))
                                 : options.parameters;
  const QString& directory = options.directory;
  const bool wait = options.wait;
  const Command command =
      CommandFor(file, options.arguments ? *options.arguments : SplitCommandLine(options.parameters));
  const bool windows = IsWindowsProgram(file);
  if (windows && CommandExists(command.program) && ReadPeMachineFile(file) == kPeMachineI386 &&
      !WineRuns32Bit(command, file)) {
    if (wait) m_lastExitCode = -1;
    return false;
  }
  QProcess process;
  Prepare(process, command, directory);
  process.setStandardInputFile(QProcess::nullDevice());
  process.setProcessChannelMode(QProcess::ForwardedChannels);
  QString errorLog;
  if (windows && !Scratch().isEmpty()) {
    errorLog = Scratch() + QStringLiteral("/errors-%1.log").arg(++m_logCount);
    process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    // Appended to, so that the file can be copied on while the program writes.
    process.setStandardErrorFile(errorLog, QIODevice::Append);
  }

  // QProcess would start a missing working folder's program in our own folder.
  bool started = directory.isEmpty() || QFileInfo(directory).isDir();
  QElapsedTimer clock;
  if (started && wait) {
    process.start();
    started = process.waitForStarted(-1);
  } else if (started) {
    qint64 pid = 0;
    started = process.startDetached(&pid) && pid > 0;
    if (started) {
      // The program watched so far is left to run; what it still writes goes nowhere.
      if (!m_startedLog.isEmpty()) {
        CopyToStderr(m_startedLog, m_startedLogCopied);
        QFile::remove(m_startedLog);
      }
      m_started = pid_t(pid);
      char state = 0;
      if (!ReadProcStat(m_started, &m_startedTicks, &state)) m_startedTicks = 0;
      m_startedLog = errorLog;
      m_startedLogCopied = 0;
      m_startedClock.start();
    }
  }
  clock.start();
  if (!started) {
    if (!errorLog.isEmpty()) QFile::remove(errorLog);
    const bool found = CommandExists(command.program);
    const bool folderOk = directory.isEmpty() || QFileInfo(directory).isDir();
    SetSystemError(found && folderOk ? ENOEXEC : ENOENT);
    if (wait) m_lastExitCode = -1;
    if (options.showError) {
      m_ui.ShowError(QCoreApplication::translate("LinuxWintools", "Can't execute: %1")
                         .arg(file + QChar(' ') + parameters));
    } else if (!found && windows) {
      // Callers that stay silent on a failed start (Play, Run) would leave the user
      // guessing why nothing happens when Wine itself is missing.
      //: %1 is the program with its arguments, %2 the Wine command
      m_ui.ShowError(
          QCoreApplication::translate("LinuxWintools",
                                      "Can't execute: %1\r\rThe Wine command \"%2\" was not found. "
                                      "Install Wine, or name the command under [Settings] Wine in "
                                      "KOLT.INI.")
              .arg(file + QChar(' ') + parameters, command.program));
    }
    return false;
  }
  if (wait) {
    // Short waits with the window served in between, so the UI stays responsive for as
    // long as the program runs.
    qint64 copied = 0;
    while (process.state() != QProcess::NotRunning && !process.waitForFinished(100)) {
      m_ui.DoEvents();
      if (!errorLog.isEmpty()) copied = CopyToStderr(errorLog, copied);
    }
    m_lastExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (!errorLog.isEmpty()) {
      CopyToStderr(errorLog, copied);
      ReportEarlyEnd(errorLog, clock.elapsed());
    }
  }
  return true;
}

bool LinuxWintools::StartedProgramRunning() {
  if (m_started <= 0) return false;
  quint64 ticks = 0;
  char state = 0;
  const bool alive = ReadProcStat(m_started, &ticks, &state) && state != 'Z' && state != 'X' &&
                     (m_startedTicks == 0 || ticks == m_startedTicks);
  if (!m_startedLog.isEmpty()) m_startedLogCopied = CopyToStderr(m_startedLog, m_startedLogCopied);
  if (alive) return true;
  // Forgotten before anything is shown: a timer that asks again while the message is
  // open finds nothing to report.
  m_started = 0;
  const QString log = std::exchange(m_startedLog, QString());
  if (!log.isEmpty()) ReportEarlyEnd(log, m_startedClock.elapsed());
  return false;
}

bool LinuxWintools::ShellOpen(const QString& file, const OpenOptions& options) {
  const QString& parameters = options.parameters;
  const QString& directory = options.directory;
  const bool showError = options.showError;
  bool ok = false;
  if (IsUrl(file)) {
    ok = QProcess::startDetached(QStringLiteral("xdg-open"), {file}, directory);
  } else {
    const QString path = QDir(directory.isEmpty() ? QDir::currentPath() : directory).absoluteFilePath(file);
    const QFileInfo info(path);
    if (info.isFile() && (IsWindowsProgram(path) || info.isExecutable())) {
      // A program: started with the parameters, like the shell would.
      QProcess process;
      Prepare(process, CommandFor(path, SplitCommandLine(parameters)), directory);
      ok = process.startDetached();
    } else if (info.exists()) {
      // A document or folder: its desktop handler takes no parameters.
      ok = QProcess::startDetached(QStringLiteral("xdg-open"), {path}, directory);
    } else {
      SetSystemError(ENOENT);
    }
  }
  if (!ok && showError)
    m_ui.ShowError(QCoreApplication::translate("LinuxWintools", "Can't execute: %1")
                       .arg(file + QChar(' ') + parameters));
  return ok;
}

const WineRegistry* LinuxWintools::Registry(RegRoot root) {
  const int index = root == RegRoot::LocalMachine ? 0 : 1;
  const QString path =
      DefaultWinePrefix() + (index == 0 ? QStringLiteral("/system.reg") : QStringLiteral("/user.reg"));
  const QFileInfo info(path);
  if (!info.isFile()) return nullptr;
  CachedRegistry& cache = m_registries[index];
  if (cache.path != path || cache.size != info.size() || cache.modified != info.lastModified()) {
    if (!cache.registry.Load(path)) {
      cache.path.clear();
      return nullptr;
    }
    cache.path = path;
    cache.size = info.size();
    cache.modified = info.lastModified();
  }
  return &cache.registry;
}

int LinuxWintools::RegReadString(RegRoot root, const QString& keyPath, const QString& valueName,
                                 QString& value) {
  const WineRegistry* registry = Registry(root);
  if (!registry) return EIO;
  const std::optional<QString> text = registry->ReadString(keyPath, valueName);
  if (!text) return ENOENT;
  const qsizetype nul = text->indexOf(QChar(0));
  value = nul < 0 ? *text : text->left(nul);
  return 0;
}

namespace {

// 32-bit installers write to the Wow6432Node view of a 64-bit prefix.
const QString kUninstallViews[] = {
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"),
    QStringLiteral("Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\")};

}  // namespace

QStringList LinuxWintools::UninstallKeyNames() {
  const WineRegistry* registry = Registry(RegRoot::LocalMachine);
  if (!registry) return {};
  QStringList names;
  for (const QString& view : kUninstallViews) {
    for (const QString& name : registry->SubKeyNames(view)) {
      if (!names.contains(name, Qt::CaseInsensitive)) names.append(name);
    }
  }
  return names;
}

QString LinuxWintools::UninstallLookup(const QString& exeName, const QString& keyName) {
  if (keyName.isEmpty() || exeName.isEmpty() || exeName.contains(QChar('/')) || exeName.contains(QChar('\\')))
    return QString();
  QString uninstall;
  bool found = false;
  for (const QString& view : kUninstallViews) {
    if (RegReadString(RegRoot::LocalMachine, view + keyName, QStringLiteral("UninstallString"), uninstall) ==
        0) {
      found = true;
      break;
    }
  }
  if (!found) return QString();

  // The drive path starts one character before the first ":\" found from the third
  // character on: a quoted path matches at its start, an unquoted leading one is passed
  // over in favour of a later path among its arguments.
  const qsizetype colon = uninstall.indexOf(QStringLiteral(":\\"), 2);
  if (colon < 0) return QString();
  QString windowsPath = uninstall.mid(colon - 1);
  if (windowsPath.endsWith(QChar('"'))) windowsPath.chop(1);

  const QString unixPath = WindowsToUnixPath(DefaultWinePrefix(), windowsPath);
  if (unixPath.isEmpty() || !QFileInfo(unixPath).isFile()) return QString();
  QString candidate = FindEntryNoCase(QFileInfo(unixPath).absolutePath(), exeName);
  if (candidate.isEmpty() || !QFileInfo(candidate).isFile()) return QString();
  return candidate;
}

QString LinuxWintools::FileVersion(const QString& file) {
  if (const auto version = ReadPeFixedVersionFile(file)) return version->Text();
  const QFileInfo info(file);
  if (!info.exists()) return QString();
  return QLocale().toString(info.lastModified(), QLocale::ShortFormat);
}

bool LinuxWintools::TouchFile(const QString& path) {
  // O_RDWR without O_CREAT: the file must already exist, as the Windows open does.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    SetSystemError(errno);
    m_ui.ShowError(QCoreApplication::translate("LinuxWintools", "Can't open file: %1").arg(path));
    return false;
  }
  const struct timespec times[2] = {{0, UTIME_OMIT}, {0, UTIME_NOW}};
  const bool set = ::futimens(fd, times) == 0;
  if (!set) {
    SetSystemError(errno);
    m_ui.ShowError(QCoreApplication::translate("LinuxWintools", "Can't set file time: %1").arg(path));
  }
  ::close(fd);
  return set;
}

QString LinuxWintools::ToWindowsPath(const QString& unixPath) {
  return UnixToWindowsPath(unixPath);
}

QString LinuxWintools::ToUnixPath(const QString& windowsPath) {
  return WindowsToUnixPath(DefaultWinePrefix(), windowsPath);
}

namespace {

std::atomic<long long> g_processScans{0};

// A Windows program runs as one of Wine's loaders (wine-preloader, wine64-preloader,
// wine, wine64); only such processes can have a game's .exe mapped without running it
// as their own executable.
bool IsWineLoader(const QByteArray& exe) {
  const qsizetype slash = exe.lastIndexOf('/');
  return exe.mid(slash + 1).startsWith("wine");
}

// The file names in a /proc/N/maps text: each line ends in the path of what is mapped
// there, from its first '/'.
void AddMappedFiles(const QByteArray& maps, QSet<QByteArray>* files) {
  qsizetype pos = 0;
  while (pos < maps.size()) {
    qsizetype end = maps.indexOf('\n', pos);
    if (end < 0) end = maps.size();
    const qsizetype slash = maps.indexOf('/', pos);
    if (slash >= 0 && slash < end) files->insert(maps.mid(slash, end - slash));
    pos = end + 1;
  }
}

QByteArray ReadProcFile(const char* path) {
  QByteArray bytes;
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.append(buffer, n);
  }
  ::close(fd);
  return bytes;
}

}  // namespace

long long LinuxWintools::ProcessScanCount() {
  return g_processScans.load();
}

const QSet<QByteArray>& LinuxWintools::RunningFiles() {
  // One scan per pass: a refresh asks for every program, and a desktop runs hundreds of
  // processes.
  const FolderSnapshot* pass = CurrentSnapshot();
  if (pass && m_runningPass == pass->Serial()) return m_runningFiles;
  ++g_processScans;
  m_runningFiles.clear();
  m_runningPass = pass ? pass->Serial() : 0;
  DIR* proc = ::opendir("/proc");
  if (!proc) return m_runningFiles;
  char path[300];  // "/proc/" + a name of at most 255 bytes + "/maps"
  char target[4096];
  while (const dirent* de = ::readdir(proc)) {
    if (de->d_name[0] < '1' || de->d_name[0] > '9') continue;
    std::snprintf(path, sizeof path, "/proc/%s/exe", de->d_name);
    const ssize_t n = ::readlink(path, target, sizeof target);
    if (n <= 0 || n >= static_cast<ssize_t>(sizeof target)) continue;  // gone, or not ours to see
    const QByteArray exe(target, n);
    m_runningFiles.insert(exe);
    if (!IsWineLoader(exe)) continue;
    std::snprintf(path, sizeof path, "/proc/%s/maps", de->d_name);
    AddMappedFiles(ReadProcFile(path), &m_runningFiles);
  }
  ::closedir(proc);
  return m_runningFiles;
}

bool LinuxWintools::CanOpenExclusive(const QString& path) {
  QFileInfo fi(path);
  if (!fi.isFile()) return false;  // cannot be opened at all
  return !RunningFiles().contains(QFile::encodeName(fi.canonicalFilePath()));
}

namespace {

// The words of a desktop entry's Exec value: blanks separate them, double quotes group,
// a backslash takes the next character as it is.
QStringList ExecWords(const QString& exec) {
  QStringList words;
  QString word;
  bool quoted = false, any = false;
  for (qsizetype i = 0; i < exec.size(); ++i) {
    const QChar c = exec[i];
    if (c == QChar('\\') && i + 1 < exec.size()) {
      word += exec[++i];
      any = true;
    } else if (c == QChar('"')) {
      quoted = !quoted;
      any = true;
    } else if (c.isSpace() && !quoted) {
      if (any) words.append(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words.append(word);
  return words;
}

// The Exec value of a desktop entry file's [Desktop Entry] group.
QString DesktopExec(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return QString();
  bool inEntry = false;
  while (!f.atEnd()) {
    const QString line = QString::fromUtf8(f.readLine(qint64{64} * 1024)).trimmed();
    if (line.startsWith(QChar('['))) {
      inEntry = line == QStringLiteral("[Desktop Entry]");
    } else if (inEntry && line.startsWith(QStringLiteral("Exec="))) {
      return line.mid(5);
    }
  }
  return QString();
}

}  // namespace

bool LinuxWintools::OpenWithHandlerOf(const QString& file, const QString& mimeType) {
  QProcess query;
  query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
  if (!query.waitForFinished(5000)) return false;
  const QString id = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
  if (id.isEmpty() || id == QStringLiteral("kolt-helper.desktop")) return false;
  const QString entry = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
  const QStringList words = ExecWords(DesktopExec(entry));
  if (words.isEmpty()) return false;
  QStringList arguments;
  bool named = false;
  for (const QString& w : words.mid(1)) {
    if (w == QStringLiteral("%f") || w == QStringLiteral("%F") || w == QStringLiteral("%u") ||
        w == QStringLiteral("%U")) {
      arguments.append(file);
      named = true;
    } else if (w.size() == 2 && w[0] == QChar('%')) {
      continue;  // %i, %c, %k: nothing this program has to give
    } else {
      QString a = w;
      arguments.append(a.replace(QStringLiteral("%%"), QStringLiteral("%")));
    }
  }
  if (!named) arguments.append(file);
  return QProcess::startDetached(words.first(), arguments);
}

}  // namespace kolt
