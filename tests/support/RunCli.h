#pragma once

#include <gtest/gtest.h>

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "core/Settings.h"

namespace kolt::test {

struct CliResult {
  int exitCode = -1;
  bool crashed = false;  // ended by a signal
  QString out;
  QString err;
};

// Runs the terminal program `binary` as a player would: in `folder` (empty: ours), with
// the test's environment (TempHome's folders) plus `env`, in the C.UTF-8 locale and
// without a session bus; stdin is closed, so nobody can be asked. The settings cache is
// dropped afterwards: the other process wrote the file, maybe within the same second.
inline CliResult RunCli(const QString& binary, const QStringList& args,
                        const QMap<QString, QString>& env = {}, const QString& folder = QString()) {
  QProcess p;
  if (!folder.isEmpty()) p.setWorkingDirectory(folder);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LC_ALL", "C.UTF-8");
  environment.insert("DBUS_SESSION_BUS_ADDRESS", "");
  for (auto it = env.begin(); it != env.end(); ++it) environment.insert(it.key(), it.value());
  p.setProcessEnvironment(environment);
  p.start(binary, args);
  EXPECT_TRUE(p.waitForStarted());
  p.closeWriteChannel();
  EXPECT_TRUE(p.waitForFinished(60000));
  ClearIniCache();
  return CliResult{p.exitCode(), p.exitStatus() == QProcess::CrashExit,
                   QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// The run ended with `exit` and said (on stderr) each of `said`; on failure, everything
// it said.
inline ::testing::AssertionResult Ended(const CliResult& r, int exit, const QStringList& said = {}) {
  QStringList missing;
  for (const QString& s : said) {
    if (!r.err.contains(s)) missing.append(s);
  }
  if (r.exitCode == exit && !r.crashed && missing.isEmpty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "exit " << r.exitCode << " (wanted " << exit << "), not said: \""
         << missing.join("\", \"").toStdString() << "\"; stderr: " << r.err.toStdString();
}

}  // namespace kolt::test
