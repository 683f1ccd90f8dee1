#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "core/FolderSnapshot.h"
#include "core/PlayersEdit.h"
#include "core/UiPort.h"
#include "model/RecordGame.h"

namespace kolt {

class SE4;

// One Space Empires IV game, found through its save file "<name>.gam" in the program's
// save folder. The first line of the save file (fixed-width text) tells the game type,
// the turn text and the players. A turn-based game is a series "<base>_<turn>.gam" under
// the file base; a simultaneous game is hosted by this user (the players' order files
// "<base>_<n>.plr" come in, the processed save file goes out to all) or played as a
// client (only the own order file goes to the host, whose address is the record).
class SE4_Game final : public RecordGame {
 public:
  explicit SE4_Game(UiPort& ui) : m_ui(ui) {}

  struct Player {
    int number = 0;
    QString empire, leader, email, state;
    Stamp playerFileStamp;  // set by the player analysis
    bool ai = false;        // computer-controlled ("/AI")
  };

  // `subfolder` is the save folder relative to the installation folder ("SAVEGAME" or
  // "<mod>/SAVEGAME").
  void Init(std::shared_ptr<Program> program, const QString& subfolder, const QString& fileName) override;
  bool IsValid() const override { return m_valid; }
  std::shared_ptr<Program> GetProgram() const override { return m_program; }
  // Turn-based: file base + "*.gam" (the series); simultaneous: the save file's name.
  QString GetName() const override;
  QString GetDescription() const override;
  QString GetStatus() const override;
  qint64 GetSize() const override;
  QString GetEMail() const override;
  [[nodiscard]] bool SetEMail(const QString& address) override;
  QStringList GetFiles() const override;
  void Delete() override;
  [[nodiscard]] bool SetSent() override;
  bool Provides(OptionalOperation operation) const override {
    return operation == OptionalOperation::ShowMore;
  }
  // The players dialog (UiPort::EditPlayers); stores what it returns and tells the user
  // to refresh.
  void ShowMore() override;

  QString GetRecordKey() const override { return m_fileBase; }

  bool IsTurnBased() const { return m_turnBased; }
  QString GetFileBase() const { return m_fileBase; }
  // The save file's own name, as found.
  QString GetSaveFileName() const { return m_name; }
  // Installation folder + "/" + save folder.
  QString GetFolder() const { return m_folder; }
  // The 5 characters of the turn, untrimmed.
  QString GetTurnText() const { return m_turnText; }
  const std::vector<Player>& GetPlayers() const { return m_players; }
  // Turn-based: the turn number of the save file's name; simultaneous: the user's player
  // number ("/ME", else by the own address), 0 when unknown.
  int GetPlayerNumber() const;
  // Stores the address under the record key without asking.
  bool SetEMail2(const QString& address);
  // "/HP", else the game's password.
  QString GetHostPassword() const;
  [[nodiscard]] bool SetHostPassword(const QString& password);
  // A simultaneous game with no host address stored is hosted by this user.
  bool IsHost() const;
  // The players list of the players dialog, and storing it ("/ME", "/AI").
  void FillMore(PlayersEdit& edit) const;
  [[nodiscard]] bool SaveMore(const PlayersEdit& edit);

  // The numeric value of what follows the file base and one more character in `name`
  // ("GameX_3.gam" -> 3 for the base "GameX").
  int TurnNumberOf(const QString& name) const;

  // Whether the file `name` is one of the game `fileBase`'s, compared without regard to
  // case: "<base>.<ext>" (the save file, "<base>.sub", the turn results) or
  // "<base>_<digits>.<ext>" (a turn "GameX_3.gam", orders "GameX_0002.plr"). Another
  // game whose name merely begins the same way ("GameX_Big.gam", "GameX2.gam") is not
  // this one's.
  static bool IsFileOfGame(const QString& fileBase, const QString& name);

 private:
  // Who has sent orders, who is missing, who is dead: from the order files beside the
  // save file. Lists hold player labels ("2/addr"), the unmatched list file numbers.
  struct Analysis {
    QStringList ready, waiting, dead, old, unmatched, computer;
    bool mePlay = false;  // the user is alive and still has to send orders
    bool meDead = false;  // the user's player is out of the game, without an order file
  };
  // Kept for the pass: the status and the description both need it.
  const Analysis& AnalyzePlayers() const;
  // "<position + 1>" and "/" + the address when the player has one.
  QString PlayerLabel(std::size_t index) const;
  // Whether player `number` is the user: "/ME" (`storedMe`) when it is not 0, else the
  // address of the player at position number - 1 equals `ownAddress`.
  bool IsMe(int number, const QString& ownAddress, int storedMe) const;
  int StoredMe() const;
  QString GetStoredAddress() const;
  // The files of this game (IsFileOfGame, and the save file itself), in listing order.
  std::vector<FolderEntry> OwnFiles() const;
  std::optional<FolderEntry> SaveFile() const;
  // The save file is the game's state file.
  std::optional<FolderEntry> StateFile() const override { return SaveFile(); }
  // Reads the save file's first line; false when it forms no game.
  bool ReadHeader(const FolderEntry& entry);

  UiPort& m_ui;
  std::shared_ptr<Program> m_program;
  QString m_folder;
  QString m_name;
  QString m_fileBase;
  QString m_turnText;
  bool m_turnBased = false;
  // The order-file stamps are refreshed by every analysis.
  mutable std::vector<Player> m_players;
  bool m_valid = false;
  // The names of OwnFiles within one pass: finding them scans the whole folder listing,
  // and a refresh asks for the status, the description and the size in turn.
  struct OwnNames {
    const FolderSnapshot* snapshot = nullptr;
    long long listings = -1;
    QStringList names;
  };
  mutable OwnNames m_ownNames;
  struct KeptAnalysis {
    quint64 pass = 0, changes = 0, settings = 0;
    Analysis analysis;
  };
  mutable KeptAnalysis m_analysis;
};

}  // namespace kolt
