#pragma once

#include <QString>

// The settings of the player's overview in KOLT.INI: the turn history with its kept
// earlier turns, the waiting times of the games list and the tray icon. Sections and
// keys of their own, so that nothing here changes what an existing key means.
namespace kolt {

// [History] KeepTurns: how many earlier turns of each game are kept in bak/history
// (0: none).
constexpr int kDefaultKeepTurns = 10;
int KeepTurns();
[[nodiscard]] bool SetKeepTurns(int turns);

// [History] LateDays: a game in "Play" for longer than this many days is shown in the
// late colour (0: never).
constexpr int kDefaultLateDays = 7;
int LateDays();
[[nodiscard]] bool SetLateDays(int days);

// [Tray] KeepRunning: closing the window leaves the program running in the tray.
bool KeepRunningInTray();
[[nodiscard]] bool SetKeepRunningInTray(bool keep);

}  // namespace kolt
