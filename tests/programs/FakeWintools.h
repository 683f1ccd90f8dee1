#pragma once

#include <QFileInfo>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

#include "model/Wintools.h"

namespace kolt::test {

// A toolbox stand-in for adapter tests: uninstall entries from a table, a fixed version
// text, and a record of the programs "started".
class FakeWintools final : public Wintools {
 public:
  struct Run {
    QString file, parameters, directory;
    std::optional<QStringList> arguments;
    bool showError = false, wait = false;
  };

  bool RunProgram(const QString& file, const RunOptions& o) override {
    runs.push_back(Run{file, o.parameters, o.directory, o.arguments, o.showError, o.wait});
    if (runResult && onRun) onRun();
    return runResult;
  }
  bool ShellOpen(const QString&, const OpenOptions&) override { return true; }
  QString UninstallLookup(const QString& exeName, const QString& keyName) override {
    lookups.append(keyName + QChar('|') + exeName);
    return uninstall.value(keyName);
  }
  QString FileVersion(const QString& file) override { return QFileInfo(file).isFile() ? version : QString(); }
  bool TouchFile(const QString&) override { return true; }
  bool StartedProgramRunning() override { return !runs.empty() && runResult && stillRunning; }
  bool CanOpenExclusive(const QString& path) override {
    return QFileInfo(path).isFile() && !running.contains(path);
  }
  QString ToWindowsPath(const QString& unixPath) override { return QStringLiteral("Z:") + unixPath; }

  QHash<QString, QString> uninstall;  // key name -> full path of the executable
  QStringList running;                // files that a running program holds
  std::function<void()> onRun;        // what a started program does
  bool stillRunning = true;           // a started program has not ended
  QString version = QStringLiteral("1.2.3");
  bool runResult = true;
  std::vector<Run> runs;
  QStringList lookups;
};

}  // namespace kolt::test
