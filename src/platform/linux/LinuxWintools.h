#pragma once

#include <sys/types.h>
#include <QDateTime>
#include <QString>
#include <QStringList>

class QProcess;

#include "platform/Wintools.h"
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

  bool RunProgram(const QString& file, const RunOptions& options) override;
  bool ShellOpen(const QString& file, const OpenOptions& options = {}) override;
  QString UninstallLookup(const QString& exeName, const QString& keyName) override;
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
  Command CommandFor(const QString& file, const QString& parameters) const;
  static void Prepare(QProcess& process, const Command& command, const QString& directory);
  // Process id of the watched program, 0 when none.
  pid_t StartedProgramId() const { return m_started; }

 private:
  const WineRegistry* Registry(RegRoot root);

  UiPort& m_ui;
  QString m_wineCommand;
  int m_lastExitCode = -1;
  // The watched program is started detached (closing the helper must not end a game),
  // so it is known by id and start time, which tells a reused id apart.
  pid_t m_started = 0;
  quint64 m_startedTicks = 0;

  struct CachedRegistry {
    QString path;
    qint64 size = -1;
    QDateTime modified;
    WineRegistry registry;
  };
  CachedRegistry m_registries[2];
};

}  // namespace kolt
