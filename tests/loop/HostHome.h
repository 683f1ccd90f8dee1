#pragma once

// A Space Empires IV simultaneous game of three players and a host who plays none of
// them: the host's home and installation, and a stand-in for the game's host step run
// as the Wine command. The stand-in checks that every player's orders are there and
// newer than the save file, then appends the processed turn to the save file and ends
// with the exit code written in "<script>.code" ("crash": it kills itself).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>

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

// The environment Player::Cli gives kolt-cli on `player`'s home, for a run started
// another way.
inline QMap<QString, QString> HomeEnv(const Player& player) {
  const QString top = QDir(player.home + "/..").absolutePath();
  return {{"KOLT_HOME", player.home},
          {"HOME", top + "/user"},
          {"XDG_DATA_HOME", top + "/user/.local/share"},
          {"XDG_CONFIG_HOME", top + "/user/.config"},
          {"WINEPREFIX", top + "/prefix"},
          {"KOLT_IMAP_CAINFO", player.caFile}};
}

// An SE4 installation beside the home folder `home`, with the game's save file at
// `when`.
inline QString InstallSe4(const QString& home, const QDateTime& when) {
  const QString dir = QDir(home + "/..").absolutePath() + "/games/SE4";
  QDir().mkpath(dir + "/SAVEGAME");
  WriteFile(dir + "/se4.exe", "MZ");
  WriteAt(dir + "/SAVEGAME/Game.gam", Se4Game(), when);
  (void)IniWrite("SE4", "Directory", dir, home + "/KOLT.INI");
  return dir;
}

// The game hosted from the home folder `home`, marked for automatic hosting unless told.
class HostHome {
 public:
  HostHome(const QString& home, const QDateTime& t0, bool autoHost = true)
      : m_ini(home + "/KOLT.INI"), m_t0(t0), m_autoHost(autoHost) {
    dir = InstallSe4(home, t0);
    save = dir + "/SAVEGAME";
    script = home + "/se4-host.sh";
    WriteScript(
        script,
        "#!/bin/sh\n"
        "cd SAVEGAME || exit 8\n"
        "for n in 1 2 3; do [ Game_000$n.plr -nt Game.gam ] || exit 6; done\n"
        "code=$(cat \"$0.code\" 2>/dev/null || echo 0)\n"
        "[ \"$code\" = crash ] && kill -9 $$\n"
        "if [ \"$code\" = 0 ]; then\n"
        "  cp Game.gam next.tmp && printf 'turn processed\\r\\n' >> next.tmp && mv next.tmp Game.gam\n"
        "fi\n"
        "exit $code\n");
    Set("Settings", "Wine", script);
    Reset();
  }
  // The turn before the host step: the last one was sent, every order came in.
  void Reset() {
    WriteAt(save + "/Game.gam", Se4Game(), m_t0);
    Set("SE4", "Game/S", FormatStamp(m_t0));
    Set("SE4", "Game/SN", "Game.gam");
    if (m_autoHost) Set("AutoHost", "SE4/Game.gam", "1");
    QDir(QFileInfo(m_ini).path() + "/autohost").removeRecursively();
    SetCode("0");
  }
  // Player n's orders, newer than the save file.
  void Order(int n) {
    WriteAt(QStringLiteral("%1/Game_000%2.plr").arg(save).arg(n), "orders", m_t0.addSecs(60 * n));
  }
  void Orders() {
    for (int n = 1; n <= 3; ++n) Order(n);
  }
  void SetCode(const QString& code) { WriteFile(script + ".code", code.toLatin1()); }
  QByteArray Gam() const { return ReadFile(save + "/Game.gam"); }
  bool Marked() {
    ClearIniCache();
    return IniRead("AutoHost", "SE4/Game.gam", QString(), m_ini) == "1";
  }

  QString dir, save, script;

 private:
  void Set(const QString& section, const QString& key, const QString& value) {
    (void)IniWrite(section, key, value, m_ini);
  }

  QString m_ini;
  QDateTime m_t0;
  bool m_autoHost;
};

}  // namespace kolt::test
