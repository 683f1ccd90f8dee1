#pragma once

#include <optional>

#include "core/FolderSnapshot.h"
#include "core/UiPort.h"
#include "model/RecordGame.h"

namespace kolt {

// One Combat Mission game: a turn file "<name>.txt" in the KOLT folder. A name ending in
// exactly three digits after a non-digit ("Game_002.txt") is one turn of a numbered
// series; the series is one game, named "Game_###.txt", whose record (address, mode,
// password, stamps) is kept under the series' base name "Game_".
class CMBO_Game final : public RecordGame {
 public:
  explicit CMBO_Game(UiPort& ui) : m_ui(ui) {}

  void Init(std::shared_ptr<Program> program, const QString& subfolder, const QString& fileName) override;
  bool IsValid() const override { return m_valid; }
  std::shared_ptr<Program> GetProgram() const override { return m_program; }
  // Numbered: the series name (base + "###.txt"); else the file name.
  QString GetName() const override;
  // "002", or "002 (latest 001)" when another turn of the series was changed later.
  QString GetDescription() const override;
  qint64 GetSize() const override;
  QStringList GetFiles() const override;
  void Delete() override;

  QString GetRecordKey() const override;

  bool IsNumbered() const { return m_numbered; }
  // The turn file's own name.
  QString GetName2() const { return m_name; }
  QString GetFileBase() const { return m_baseName; }
  // The three digits of a numbered turn file, else "".
  QString GetNumber() const { return m_number; }
  QString GetFolder() const { return m_folder; }

  // The stamp and number of the most recently changed turn of the series (InitGames
  // merges them across the series).
  QString latestStamp;
  QString latestNumber;

  // Moves the turn file into the series' backup folder (the folder named after the base
  // name, without a trailing "_", " " or "-"; one that exists is used as it is). False
  // when the folder cannot be made or a file of that name is there already.
  bool Backup();

  // True when `stem` (a name without its extension) ends in exactly three digits after
  // a character that is not a digit.
  static bool IsNumberedStem(const QString& stem);

 private:
  // The turn file is the game's state file.
  std::optional<FolderEntry> StateFile() const override;
  // Whether the listed turn file is a file that opens for reading; when not, the system
  // error says why.
  bool CanRead(const FolderEntry& entry) const;

  UiPort& m_ui;
  std::shared_ptr<Program> m_program;
  QString m_folder;
  QString m_name;
  QString m_baseName;
  QString m_number;
  bool m_numbered = false;
  bool m_valid = false;
};

}  // namespace kolt
