#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "exchange/history/TurnRecorder.h"
#include "model/Game.h"

class QTreeWidget;

namespace Ui {
class frmHistory;
}

namespace kolt {

class HistoryStore;
class UiPort;

// The turn history of one game, newest first: when, which way, with whom, in which mode,
// the files with their sizes and the taunt. "Restore this turn" puts the chosen turn's
// kept files back after a confirmation.
class frmHistory final : public QDialog {
  Q_OBJECT

 public:
  frmHistory(UiPort& ui, GamePtr game, HistoryStore& store, QWidget* parent = nullptr);
  ~frmHistory() override;

  // Reads the history again; false (with the reason shown in the dialog) when the file
  // could not be read.
  bool Reload();
  // Restores the turn of the current row: confirmation, restore, record.
  void cmdRestore_Click();
  // A turn was restored while the dialog was open: the game's files changed.
  bool Restored() const { return m_restored; }
  // The status-bar note of the last restore (the history could not record it), or empty.
  QString Note() const { return m_note; }

  QTreeWidget* List() const;
  const std::vector<TurnEntry>& Turns() const { return m_turns; }

  // The list's texts of one entry (tests and the dialog alike).
  static QStringList Cells(const TurnEntry& entry);

 private:
  void UpdateButtons();
  // Wide enough for every column where the screen allows; else the list scrolls.
  void FitColumns();

  std::unique_ptr<Ui::frmHistory> m_form;
  UiPort& m_ui;
  GamePtr m_game;
  HistoryStore& m_store;
  std::vector<TurnEntry> m_turns;
  bool m_restored = false;
  QString m_note;
};

}  // namespace kolt
