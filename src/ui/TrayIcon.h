#pragma once

#include <QIcon>
#include <QObject>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace kolt {

// The program's icon in the desktop's tray: how many games wait for the player's move,
// on the icon and in its tool tip, and a menu to open the window, check the mailbox,
// refresh and quit. The window decides what each choice does; this only tells.
class TrayIcon final : public QObject {
  Q_OBJECT

 public:
  explicit TrayIcon(QIcon base, QObject* parent = nullptr);
  ~TrayIcon() override;

  // Whether the desktop has a tray at all; without one no icon is made.
  static bool Available();

  void Show();
  void Hide();
  bool IsVisible() const;

  // The number of games in "Play": drawn on the icon and told in the tool tip.
  void SetPlayCount(int count);
  int PlayCount() const { return m_playCount; }
  QString ToolTip() const;
  QIcon Icon() const;

  // "Check mail now" is offered only while mailbox fetching is set up.
  void SetMailFetchingAvailable(bool available);

  QMenu* Menu() const { return m_menu; }

  // The base icon with `count` on a badge in its lower right corner (none for 0).
  static QIcon WithCount(const QIcon& base, int count);

 signals:
  void openRequested();
  void checkMailRequested();
  void refreshRequested();
  void quitRequested();

 private:
  QIcon m_base;
  int m_playCount = 0;
  QMenu* m_menu;
  QAction* m_checkMail;
  QSystemTrayIcon* m_tray;
};

}  // namespace kolt
