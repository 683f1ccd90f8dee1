#pragma once

#include <optional>
#include <vector>

#include "core/FolderSnapshot.h"
#include "core/UiPort.h"
#include "model/RecordGame.h"

namespace kolt {

// One Steel Panthers game: the files "<base>.*" beside its comment file "<base>.cmt",
// whose name is the game's name and record key. "<base>.dat" is the status file.
class SPWAW_Game final : public RecordGame {
 public:
  explicit SPWAW_Game(UiPort& ui) : m_ui(ui) {}

  void Init(std::shared_ptr<Program> program, const QString& subfolder, const QString& fileName) override;
  bool IsValid() const override { return m_valid; }
  std::shared_ptr<Program> GetProgram() const override { return m_program; }
  QString GetName() const override { return m_name; }
  QString GetDescription() const override { return m_description; }
  qint64 GetSize() const override;
  QStringList GetFiles() const override;
  void Delete() override;

  QString GetRecordKey() const override { return m_name; }

  QString GetFolder() const { return m_folder; }
  QString GetBaseName() const { return m_baseName; }

  // The description kept in a comment file: the text up to the first NUL, without a
  // trailing character 1, decoded as UTF-8 or Windows-1252.
  static QString DescriptionOf(const QByteArray& comment);

 private:
  // The game's files in listing order; backups only when asked.
  std::vector<FolderEntry> Files(bool withBackups) const;
  // "<base>.dat", the game's state file.
  std::optional<FolderEntry> StateFile() const override;

  UiPort& m_ui;
  std::shared_ptr<Program> m_program;
  QString m_folder;
  QString m_name;
  QString m_baseName;
  QString m_description;
  bool m_valid = false;
};

}  // namespace kolt
