#pragma once

// Checks of kolt-cli runs for the tests where players talk through real processes.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QStringList>

#include "support/PlayerHome.h"
#include "support/RunCli.h"

namespace kolt::test {

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

// The player plays `turn` at `when` and sends email001, with `options` before its name.
inline ::testing::AssertionResult PlaysAndSends(Player& p, const QByteArray& turn, const QDateTime& when,
                                                const QStringList& options = {}) {
  p.Play(turn, when);
  return Ended(p.Cli(QStringList{"--yes", "send"} + options + QStringList{"SPWAW/email001.cmt"}), 0);
}

}  // namespace kolt::test
