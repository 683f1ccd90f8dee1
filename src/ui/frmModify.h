#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QFileDialog;
class QTreeWidgetItem;

namespace Ui {
class frmModify;
}

namespace kolt {

class UiPort;
class UserProgram;
class Wintools;
struct ProgramDefinition;

// The editor of one user-defined program's definition file: its settings, its file types
// with their flags, browse buttons, suggestions, a test of the description rule and a
// help text per field on F1. Modal; nothing is written before OK, everything at OK.
class frmModify final : public QDialog {
  Q_OBJECT

 public:
  // Reads the program's definition file and shows it. `tools` lists the uninstall
  // entries that the uninstall field suggests.
  frmModify(UiPort& ui, Wintools& tools, std::shared_ptr<UserProgram> program, QWidget* parent = nullptr);
  ~frmModify() override;

  // True after OK wrote the definition file.
  bool Changed() const { return m_changed; }
  QString DefinitionPath() const { return m_path; }

  // The help text F1 shows for `control` (one of the form's controls, or anything else).
  QString HelpText(const QWidget* control) const;

  // Where the file-open dialogs start: the program's installation folder, or with
  // `turns` its turn folder when there is one; the home folder when it is not installed.
  QString StartFolder(bool turns) const;

  // Shows the configured file-open dialog and returns the chosen path or empty. Tests
  // replace it; the default runs the dialog modally.
  using FileChooser = std::function<QString(QFileDialog&)>;
  void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Form_Load();
  QTreeWidgetItem* AddRow(const QString& ext, const std::array<bool, 4>& flags);
  void ShowRow(QTreeWidgetItem* item);
  // Opens the file-open dialog in StartFolder(turns); empty when cancelled.
  QString ChooseFile(const QString& title, const QString& filter, bool turns);
  void EnableRowEditor();
  void FillUninstallSuggestions();
  void FillDescriptionSuggestions();
  // The definition as the form shows it.
  ProgramDefinition Shown() const;
  // The file type warnings; false when the user cancelled one of them.
  bool CheckFileTypes(const ProgramDefinition& definition);

  void cmdAdd_Click();
  void cmdRemove_Click();
  void cmdExtension_Click();
  void cmdExe_Click();
  void cmdEMailSubDir_Click();
  void cmdFilePattern_Click();
  void cmdDescription_Click();
  void cmdOK_Click();
  void txtExtension_Change(const QString& text);
  void chkFlag_Click(int index, bool checked);

  std::unique_ptr<Ui::frmModify> m_form;
  UiPort& m_ui;
  Wintools& m_tools;
  std::shared_ptr<UserProgram> m_program;
  QString m_path;
  QString m_savedSubDir;  // EMailSubDir as the file has it, for the file-open dialogs
  bool m_changed = false;
  bool m_uninstallFilled = false;
  bool m_descriptionFilled = false;
  FileChooser m_chooser;
  std::array<QCheckBox*, 4> m_chkFlag{};  // the form's chkFlag0 to chkFlag3, by column
};

}  // namespace kolt
