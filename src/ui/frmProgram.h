#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QFileDialog;

namespace Ui {
class frmProgram;
}

namespace kolt {

class UiPort;
class Wintools;

// The installation-folder dialog: names the program and its executable, takes a folder
// (typed or found with Browse) and reports it through DialogResult.
class frmProgram final : public QDialog {
  Q_OBJECT

 public:
  // `ui` shows the dialog's own message ("Folder '...' does not exist").
  explicit frmProgram(UiPort& ui, QWidget* parent = nullptr);
  ~frmProgram() override;

  // The folder a typed text names: "~" and "~/..." below the home folder, a Windows path
  // ("C:\Games\SPWAW") through the Wine prefix's drives that `tools` knows (as typed
  // without them), anything else as it stands.
  static QString TypedFolder(const QString& typed, Wintools* tools);
  // The toolbox that maps typed Windows paths; none leaves them as typed.
  void SetTools(Wintools* tools) { m_tools = tools; }

  // Caption (the program's long name), question, the folder shown at first ("-" shows
  // nothing) and the executable that Browse looks for (may be empty).
  void Prepare(const QString& caption, const QString& question, const QString& folder,
               const QString& exeName);
  // The confirmed folder (empty when the field was empty or "-"); nothing until OK
  // closes the dialog, and nothing when it was cancelled.
  std::optional<QString> DialogResult() const { return m_result; }

  // Sets up the file-open dialog of Browse.
  void ConfigureFileDialog(QFileDialog& dialog) const;
  // Shows the configured file-open dialog and returns the chosen path or empty. Tests
  // replace it; the default runs the dialog modally.
  using FileChooser = std::function<QString(QFileDialog&)>;
  void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

  void reject() override;

 private:
  void OKButton_Click();
  void CancelButton_Click();
  void cmdBrowse_Click();

  std::unique_ptr<Ui::frmProgram> m_form;
  UiPort& m_port;
  Wintools* m_tools = nullptr;
  QString m_exeName;
  std::optional<QString> m_result;
  FileChooser m_chooser;
};

}  // namespace kolt
