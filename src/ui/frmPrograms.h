#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "model/Program.h"
#include "model/ProgramList.h"

class QTreeWidget;

namespace Ui {
class frmPrograms;
}

namespace kolt {

class ProgramRegistry;
class UiPort;
class Wintools;
class frmModify;

// The programs dialog: every program the system knows, installed or not, with the
// commands that add, edit and remove user-defined programs, disable, enable and start
// programs and bring removed ones back. Not modal. It keeps a program list of its own;
// the main window takes the changes up at the next start, which the dialog says when it
// closes after a change.
class frmPrograms final : public QDialog {
  Q_OBJECT

 public:
  // `mainWindow` is the handle Run hands to the program.
  frmPrograms(UiPort& ui, Wintools& tools, ProgramRegistry& registry, WindowHandle mainWindow,
              QWidget* parent = nullptr);
  ~frmPrograms() override;

  // Something was changed since the dialog opened (or since the last restart notice).
  bool Changed() const { return m_changed; }
  const ProgramList& Programs() const { return m_programs; }
  // The definition file of the user-defined program `shortName` in the home folder (an
  // existing one is found without regard to case).
  static QString DefinitionPath(const QString& shortName);

  // Called with the editor before Modify shows it modally (tests drive it from here).
  void SetEditorHook(std::function<void(frmModify&)> hook) { m_editorHook = std::move(hook); }

  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillList(bool reload);
  // The program of the selected row, or null.
  ProgramPtr Selected() const;
  void Form_Unload();

  void cmdAdd_Click();
  void cmdModify_Click();
  void cmdRemove_Click();
  void cmdDisable_Click();
  void cmdEnable_Click();
  void cmdRestore_Click();
  void cmdRun_Click();
  void cmdRefresh_Click();

  std::unique_ptr<Ui::frmPrograms> m_form;
  UiPort& m_ui;
  Wintools& m_tools;
  ProgramRegistry& m_registry;
  WindowHandle m_mainWindow;
  ProgramList m_programs;
  bool m_changed = false;
  std::function<void(frmModify&)> m_editorHook;

  QTreeWidget* m_lvInstalled;
};

}  // namespace kolt
