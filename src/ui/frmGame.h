#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "model/Game.h"

namespace Ui {
class frmGame;
}

namespace kolt {

class UiPort;

// The game properties dialog: the opponent's address with the address book, the send
// mode and the password of one game of the main window's list; also deletes the game
// and opens the program's own "more" dialog. Modal; accepted when the game was changed
// or deleted.
class frmGame final : public QDialog {
  Q_OBJECT

 public:
  frmGame(UiPort& ui, const GameList& games, int gameIndex, QWidget* parent = nullptr);
  ~frmGame() override;

  // The mode words of the mode list, in list order.
  static QStringList ModeTexts();
  static QString ModeWord(int index);
  // Shows the Remind button, which runs `remind` (the game waits on a late opponent).
  void SetRemind(std::function<void()> remind);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill();
  void FillAddresses();
  // Adds the typed address to the address book unless it is there; false when it could
  // not be stored.
  bool AddAddress();
  void cmdOK_Click();
  void cmdDelete_Click();
  void cmdGenerate_Click();
  void cmdMore_Click();
  void cmdHistory_Click();

  std::unique_ptr<Ui::frmGame> m_form;
  UiPort& m_ui;
  const GameList& m_games;
  int m_index;
  GamePtr m_game;
  std::function<void()> m_remind;
};

}  // namespace kolt
