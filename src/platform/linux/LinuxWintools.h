#pragma once

#include <sys/types.h>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

class QProcess;
class QTemporaryDir;

#include "model/Wintools.h"
#include "platform/linux/WineRegistry.h"

namespace kolt {

class UiPort;

// The toolbox on Linux: Windows programs run under Wine, native ones directly; the
// registry is the Wine prefix's system.reg / user.reg; versions come from the PE file.
class LinuxWintools final : public Wintools {
 public:
  // `wineCommand` empty: [Settings] Wine (default "wine"), read at every start so that a
  // changed setting applies at once. The command may carry arguments ("wine64", "box64
  // wine").
  explicit LinuxWintools(UiPort& ui, QString wineCommand = QString());
  ~LinuxWintools() override;

  bool RunProgram(const QString& file, const RunOptions& options) override;
  bool ShellOpen(const QString& file, const OpenOptions& options = {}) override;
  QString UninstallLookup(const QString& exeName, const QString& keyName) override;
  QStringList UninstallKeyNames() override;
  QString FileVersion(const QString& file) override;
  bool TouchFile(const QString& path) override;
  bool StartedProgramRunning() override;
  bool CanOpenExclusive(const QString& path) override;
  bool OpenWithHandlerOf(const QString& file, const QString& mimeType) override;
  QString ToWindowsPath(const QString& unixPath) override;
  int LastExitCode() const override { return m_lastExitCode; }
  QString ToUnixPath(const QString& windowsPath) override;
  int RegReadString(RegRoot root, const QString& keyPath, const QString& valueName, QString& value) override;

  // The program and arguments RunProgram starts for `file` (tests, and callers that
  // want to show the command): a .exe goes behind the Wine command.
  struct Command {
    QString program;
    QStringList arguments;
    QString winePrefix;  // set as WINEPREFIX when not empty
  };
  Command CommandFor(const QString& file, const QStringList& arguments) const;
  static void Prepare(QProcess& process, const Command& command, const QString& directory);
  // Process id of the watched program, 0 when none.
  pid_t StartedProgramId() const { return m_started; }
  // How long the check whether Wine runs 32-bit programs may take before it is given up
  // (and Wine taken not to run them, for this start only); a folder's first set-up may
  // take five times as long.
  void SetWineCheckTimeout(int ms) { m_wineCheckTimeoutMs = ms; }
  // Scans of the running processes since the program started (tests count them: one
  // per pass, whatever the number of programs).
  static long long ProcessScanCount();

 private:
  const WineRegistry* Registry(RegRoot root);
  QStringList WineWords() const;
  struct Wine32Check {
    bool runs = true;
    QStringList said;
    QString prefix;
  };
  // False, after telling the user what to do, when the Wine command of `command` cannot
  // run 32-bit programs in the game's Wine folder. Checked once per command and folder.
  bool WineRuns32Bit(const Command& command, const QString& file);
  // Runs Wine's first set-up of a folder that has not had it, showing that it does.
  // False when Wine could not be started.
  bool PrepareWineFolder(const QStringList& wine, const QString& prefix);
  void ReportNo32Bit(const QStringList& wine, const QString& file, const Wine32Check& check);
  // A private folder of this run for the check program and the error output of Windows
  // programs; empty when none can be made.
  QString Scratch();
  // Shows what Wine said when a Windows program ended within the first seconds.
  void ReportEarlyEnd(const QString& errorLog, qint64 runMs);

  // The executables of the running processes and the files Wine processes have mapped,
  // as the kernel names them; scanned once per pass, on every call outside one.
  const QSet<QByteArray>& RunningFiles();

  UiPort& m_ui;
  QString m_wineCommand;
  QSet<QByteArray> m_runningFiles;
  quint64 m_runningPass = 0;  // the pass the scan belongs to (0: none)
  int m_lastExitCode = -1;
  // The watched program is started detached (closing the helper must not end a game),
  // so it is known by id and start time, which tells a reused id apart.
  pid_t m_started = 0;
  quint64 m_startedTicks = 0;
  // A Windows program's error output goes to a file of ours, copied on to our own error
  // output as it grows, and read for Wine's complaints when the program ends at once.
  QString m_startedLog;
  qint64 m_startedLogCopied = 0;
  QElapsedTimer m_startedClock;

  QHash<QString, Wine32Check> m_wine32Checks;  // by the Wine command's words and folder
  int m_wineCheckTimeoutMs = 60000;
  bool m_checkingWine = false;
  std::unique_ptr<QTemporaryDir> m_scratch;
  int m_logCount = 0;

  struct CachedRegistry {
    QString path;
    qint64 size = -1;
    QDateTime modified;
    WineRegistry registry;
  };
  CachedRegistry m_registries[2];
};

}  // namespace kolt
