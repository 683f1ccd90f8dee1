#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "core/FolderSnapshot.h"
#include "core/UiPort.h"
#include "model/RecordGame.h"

namespace kolt {

class CUSTOM;

// One game of a user-defined program: a primary file in the program's game folder and
// the files of the program's other file types that share its base name. Its name and
// record key is the primary file's name; its status file is base name + "." + the
// program's Modified extension.
class CUSTOM_Game final : public RecordGame {
 public:
  explicit CUSTOM_Game(UiPort& ui) : m_ui(ui) {}

  // `program` must be a CUSTOM; `subfolder` is its EMailSubDir ("" for the installation
  // folder itself).
  void Init(std::shared_ptr<Program> program, const QString& subfolder, const QString& fileName) override;
  bool IsValid() const override { return m_valid; }
  std::shared_ptr<Program> GetProgram() const override { return m_program; }
  QString GetName() const override { return m_fileName; }
  QString GetDescription() const override { return m_description; }
  qint64 GetSize() const override;
  QStringList GetFiles() const override;
  void Delete() override;

  QString GetRecordKey() const override { return m_fileName; }

  QString GetFolder() const { return m_folder; }
  QString GetBaseName() const { return m_baseName; }
  QString GetStatusFileName() const { return m_statusFileName; }

 private:
  // The game's files in listing order: with two file types or more, "<base>.<Ext>" for
  // each type's Ext (and "<base>" for a type without one); else the primary file alone.
  std::vector<FolderEntry> Files() const;
  // The status file when it is a file.
  std::optional<FolderEntry> StateFile() const override;

  UiPort& m_ui;
  std::shared_ptr<Program> m_program;
  QString m_folder;
  QString m_fileName;
  QString m_baseName;
  QString m_statusFileName;
  QString m_description;
  bool m_valid = false;
};

// The description that `rule` ("LINEn", "TRIM", "MIDo,l", in any case) takes from the
// file at `path`, read as single-byte text (decoded as UTF-8 when valid, else as
// Windows-1252); "" when the file cannot be read. LINE reads at most the first megabyte,
// TRIM and MID at most 64 KiB. Any other rule is reported ("Invalid Description rule: " +
// the rule in upper case) and gives "". The games of a program and the editor's test use
// it.
QString DescriptionRule(UiPort& ui, const QString& path, const QString& rule);

}  // namespace kolt
