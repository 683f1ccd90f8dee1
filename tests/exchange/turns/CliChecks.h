#pragma once

// Checks of kolt-cli runs for the tests where players talk through real processes.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QStringList>

#include "support/PlayerHome.h"
#include "support/RunCli.h"

namespace kolt::test {

// The player plays `turn` at `when` and sends email001, with `options` before its name.
inline ::testing::AssertionResult PlaysAndSends(Player& p, const QByteArray& turn, const QDateTime& when,
                                                const QStringList& options = {}) {
  p.Play(turn, when);
  return Ended(p.Cli(QStringList{"--yes", "send"} + options + QStringList{"SPWAW/email001.cmt"}), 0);
}

}  // namespace kolt::test
