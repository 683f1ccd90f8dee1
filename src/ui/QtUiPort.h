#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "core/UiPort.h"

namespace kolt {

class Wintools;

// The UI port on real Qt dialogs. Each question is modal over the window that asked it:
// the active modal dialog, else the active dialog (the programs dialog is not modal),
// else `parent`. Closing it then gives the focus back to that window, and its keys
// (Esc, Alt+C) act on it, not on the main window behind.
class QtUiPort final : public UiPort {
 public:
  explicit QtUiPort(QWidget* parent = nullptr) : m_parent(parent) {}
  void SetParent(QWidget* parent) { m_parent = parent; }
  // Receives ShowStatus texts (the main window's status line).
  void SetStatusSink(std::function<void(const QString&)> sink) { m_status = std::move(sink); }
  // The toolbox the installation-folder dialog maps typed Windows paths with.
  void SetTools(Wintools* tools) { m_tools = tools; }

  Answer ShowMessageBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
                        int defaultButton) override;
  std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) override;
  void ShowStatus(const QString& text) override;
  void DoEvents() override;
  // The installation-folder dialog (frmProgram), modal over the parent.
  std::optional<QString> AskInstallFolder(const QString& caption, const QString& question,
                                          const QString& folder, const QString& exeName) override;
  // The taunt editor (frmTaunt), modal over the parent.
  std::optional<QString> AskTaunt(const QString& address, const QString& gamesText) override;
  bool EditPlayers(PlayersEdit& edit) override;
  Answer AskWithCheckBox(const QString& text, const QString& checkText, bool* checked, Buttons buttons,
                         Icon icon, int defaultButton) override;
  void Beep() override;
  // The window a question opened now belongs to.
  QWidget* Owner() const;

 private:
  // The message box, with a check box under the text when `checkText` is given.
  Answer Ask(const QString& text, Buttons buttons, Icon icon, const QString& title, int defaultButton,
             const QString* checkText, bool* checked) const;

  QPointer<QWidget> m_parent;
  std::function<void(const QString&)> m_status;
  Wintools* m_tools = nullptr;
};

}  // namespace kolt
