#pragma once

#include <QDialog>
#include <memory>

#include "core/PlayersEdit.h"

namespace Ui {
class frmSE4;
}

namespace kolt {

class UiPort;

// The players dialog of a Space Empires IV game (the game dialog's More): the players with
// their empire, leader, address and state; the user marks his own empire (bold) and the
// computer-controlled players ("X" under AI) and edits the host password. Close writes
// the rows back into the edit and accepts; Cancel leaves the edit as it was.
class frmSE4 final : public QDialog {
  Q_OBJECT

 public:
  frmSE4(UiPort& ui, PlayersEdit& edit, QWidget* parent = nullptr);
  ~frmSE4() override;

 private:
  void Fill();
  void cmdSetMe_Click();
  void cmdSetAI_Click();
  void cmdClose_Click();

  std::unique_ptr<Ui::frmSE4> m_form;
  UiPort& m_ui;
  PlayersEdit& m_edit;
};

}  // namespace kolt
