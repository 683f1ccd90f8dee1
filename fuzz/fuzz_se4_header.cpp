// A Space Empires IV save file from another player: its header read, and a game formed
// from it asked everything the main window asks, without harm.
#include "FuzzSupport.h"
#include "core/Startup.h"
#include "programs/SE4/SE4_Game.h"

using namespace kolt;

namespace {

class Se4StandIn final : public Program {
 public:
  QString GetShortName() const override { return QStringLiteral("SE4"); }
  QString GetLongName() const override { return QStringLiteral("Space Empires IV"); }
  QString GetEMailDir() const override { return QStringLiteral("SAVEGAME"); }
  QString GetExeName() const override { return QStringLiteral("se4.exe"); }
  bool Installed(bool) override { return true; }
  void NotInstalled() override {}
  QString GetDirectory() const override { return fuzz::Folder() + QStringLiteral("/se4"); }
  QString GetVersion() const override { return QStringLiteral("1.49"); }
  ProgramState GetStatus() const override { return ProgramState::NotRunning; }
  bool Run(WindowHandle) override { return false; }
  GameList InitGames() override { return {}; }
  void ReceivedFiles(const QString&, const QString&, bool) override {}
  bool SupportsPasswords() const override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto program = std::make_shared<Se4StandIn>();
  App().homeFolder = fuzz::Folder();
  fuzz::WriteInput(QStringLiteral("se4/SAVEGAME/Game_0002.gam"), fuzz::Bytes(data, size));
  fuzz::QuietUi ui;
  SE4_Game game(ui);
  game.Init(program, QStringLiteral("SAVEGAME"), QStringLiteral("Game_0002.gam"));
  if (!game.IsValid()) return 0;
  (void)game.GetName();
  (void)game.GetStatus();
  (void)game.GetDescription();
  (void)game.GetEMail();
  (void)game.GetPlayerNumber();
  (void)game.GetFiles();
  PlayersEdit edit;
  game.FillMore(edit);
  fuzz::Require(edit.rows.size() == game.GetPlayers().size());
  return 0;
}
