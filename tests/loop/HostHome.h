#pragma once

// A Space Empires IV simultaneous game of three players and a host who plays none of
// them: the host's home and installation, and a stand-in for the game's host step run
// as the Wine command. The stand-in checks that every player's orders are there and
// newer than the save file, then appends the processed turn to the save file and ends
// with the exit code written in "<script>.code" ("crash": it kills itself).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "model/Status.h"
#include "programs/Se4SaveFile.h"
#include "support/PlayerHome.h"

namespace kolt::test {

inline const QStringList& Se4Players() {
  static const QStringList players{"p1@example.org", "p2@example.org", "p3@example.org"};
  return players;
}

inline QByteArray Se4Game() {
  Se4Save save;
  for (int i = 0; i < 3; ++i)
    save.players.push_back(
        {i + 1, QStringLiteral("Empire %1").arg(i + 1), QStringLiteral("Leader"), Se4Players()[i]});
  return Se4SaveBytes(save);
}

// The stand-in of the game's host step at `script`, run as the Wine command.
inline void WriteHostStandIn(const QString& script) {
  WriteScript(script,
              "#!/bin/sh\n"
              "cd SAVEGAME || exit 8\n"
              "for n in 1 2 3; do [ Game_000$n.plr -nt Game.gam ] || exit 6; done\n"
              "code=$(cat \"$0.code\" 2>/dev/null || echo 0)\n"
              "[ \"$code\" = crash ] && kill -9 $$\n"
              "if [ \"$code\" = 0 ]; then\n"
              "  cp Game.gam next.tmp && printf 'turn processed\\r\\n' >> next.tmp && mv next.tmp Game.gam\n"
              "fi\n"
              "exit $code\n");
}

// An SE4 installation of `player`'s own, with the game's save file at `when`.
inline QString InstallSe4(Player& player, const QDateTime& when) {
  const QString dir = QDir(player.home + "/..").absolutePath() + "/games/SE4";
  QDir().mkpath(dir + "/SAVEGAME");
  WriteFile(dir + "/se4.exe", "MZ");
  WriteAt(dir + "/SAVEGAME/Game.gam", Se4Game(), when);
  player.Set("SE4", "Directory", dir);
  return dir;
}

class HostHome {
 public:
  HostHome(Player& host, const QDateTime& t0) : m_host(host), m_t0(t0) {
    dir = InstallSe4(host, t0);
    save = dir + "/SAVEGAME";
    script = host.home + "/se4-host.sh";
    WriteHostStandIn(script);
    host.Set("Settings", "Wine", script);
    Reset();
  }
  // The turn before the host step: the last one was sent, every order came in.
  void Reset() {
    WriteAt(save + "/Game.gam", Se4Game(), m_t0);
    m_host.Set("SE4", "Game/S", FormatStamp(m_t0));
    m_host.Set("SE4", "Game/SN", "Game.gam");
    m_host.Set("AutoHost", "SE4/Game.gam", "1");
    QDir(m_host.home + "/autohost").removeRecursively();
    SetCode("0");
  }
  void Orders() {
    for (int n = 1; n <= 3; ++n)
      WriteAt(QStringLiteral("%1/Game_000%2.plr").arg(save).arg(n), "orders", m_t0.addSecs(60 * n));
  }
  void SetCode(const QString& code) { WriteFile(script + ".code", code.toLatin1()); }
  QByteArray Gam() const { return ReadFile(save + "/Game.gam"); }
  bool Marked() { return m_host.Get("AutoHost", "SE4/Game.gam") == "1"; }

  QString dir, save, script;

 private:
  Player& m_host;
  QDateTime m_t0;
};

}  // namespace kolt::test
