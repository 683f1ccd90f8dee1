#pragma once

#include <QDialog>
#include <functional>

#include "model/Game.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

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

  UiPort& m_ui;
  const GameList& m_games;
  int m_index;
  GamePtr m_game;

  QLineEdit* m_txtGame;
  QLineEdit* m_txtFileName;
  QLineEdit* m_txtInfo;
  QLineEdit* m_txtStatus;
  QLineEdit* m_txtModified;
  QComboBox* m_txtEMail;
  QComboBox* m_cmbMode;
  QLineEdit* m_txtPassword;
  QPlainTextEdit* m_txtLastMessage = nullptr;
  QLabel* m_lblLastMessage = nullptr;
  QCheckBox* m_chkAutoHost = nullptr;
  QPushButton* m_cmdRemind = nullptr;
  std::function<void()> m_remind;
};

}  // namespace kolt
