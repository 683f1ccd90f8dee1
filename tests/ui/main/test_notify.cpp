// What arrived is told: the received games selected and in view, the status line, and a
// desktop notification while the window is not the active one. Runs on its own session
// bus (dbus-run-session) with a notification service of the test's own.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "support/MainWindowHarness.h"
#include "support/PackKlt.h"
#include "support/Screenshot.h"
#include "ui/DesktopNotifier.h"

using namespace kolt;
using namespace kolt::test;

namespace {

const QString kService = "org.freedesktop.Notifications";
const QString kPath = "/org/freedesktop/Notifications";

// The desktop's notification service, on a connection of its own.
class NotificationService : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

 public:
  struct Shown {
    QString summary, body;
    uint replaces = 0;
    QStringList actions;
  };

  NotificationService() : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "service")) {}
  ~NotificationService() override {
    m_bus.unregisterService(kService);
    QDBusConnection::disconnectFromBus("service");
  }
  bool Start() {
    return m_bus.isConnected() && m_bus.registerObject(kPath, this, QDBusConnection::ExportAllSlots) &&
           m_bus.registerService(kService);
  }
  void Click(uint id) {
    QDBusMessage signal = QDBusMessage::createSignal(kPath, kService, "ActionInvoked");
    signal << id << QString("default");
    m_bus.send(signal);
  }

  std::vector<Shown> shown;

 public slots:
  uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
              const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout) {
    (void)app, (void)icon, (void)hints, (void)timeout;
    shown.push_back({summary, body, replaces, actions});
    return 40 + static_cast<uint>(shown.size());
  }

 private:
  QDBusConnection m_bus;
};

}  // namespace

TEST(Notify, TheServiceShowsTheNotificationAndAClickComesBack) {
  ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run under dbus-run-session";
  // Without a service nothing is shown and nothing is said.
  {
    DesktopNotifier notifier;
    notifier.Notify("nobody listens", "");
    QTest::qWait(200);
  }

  NotificationService service;
  ASSERT_TRUE(service.Start());
  DesktopNotifier notifier;
  int activated = 0;
  QObject::connect(&notifier, &DesktopNotifier::activated, [&activated] { ++activated; });
  notifier.Notify("Received 1 game from ivan@example.org", "SPWAW: email001.cmt");
  ASSERT_TRUE(QTest::qWaitFor([&] { return service.shown.size() == 1; }, 5000));
  EXPECT_EQ(service.shown[0].summary, "Received 1 game from ivan@example.org");
  EXPECT_EQ(service.shown[0].body, "SPWAW: email001.cmt");
  EXPECT_TRUE(service.shown[0].actions.contains("default"));

  // Another program's notification clicked: not ours.
  service.Click(7);
  QTest::qWait(200);
  EXPECT_EQ(activated, 0);
  service.Click(41);
  EXPECT_TRUE(QTest::qWaitFor([&] { return activated == 1; }, 5000));

  // The next one replaces the one still shown.
  notifier.Notify("Received 2 games from ivan@example.org", "");
  ASSERT_TRUE(QTest::qWaitFor([&] { return service.shown.size() == 2; }, 5000));
  EXPECT_EQ(service.shown[1].replaces, 41u);
}

// A turn taken in while the window is not active: the received games are selected, the
// status line names the sender and the count, and the desktop is told.
TEST(Notify, TheWindowSaysWhatArrived) {
  MainWindowHarness h;
  NotificationService service;
  ASSERT_TRUE(service.Start());
  const QString game = h.InstallSpwaw();
  for (int i = 1; i <= 40; ++i) {
    const QString base = QString("email%1").arg(i, 3, 10, QChar('0'));
    WriteFile(game + "/EMAIL/" + base + ".cmt", "Game " + base.toLatin1());
    WriteFile(game + "/EMAIL/" + base + ".dat", "turn");
  }
  QMap<QString, QByteArray> turns;
  for (const QString base : {"email038", "email039", "email050"}) {
    turns.insert("SPWAW/" + base + ".cmt", "Game " + base.toLatin1());
    turns.insert("SPWAW/" + base + ".dat", "new turn");
  }
  const QString klt = PackKlt(h.home.Root() + "/KOLT.KLT", turns);

  ScriptedUi& ui = h.ui;
  ui.Answers({Answer::Ok, Answer::Ok, Answer::Ok});
  frmMain& window =
      h.Make([&klt](MainWindowParts& parts) { parts.chooseReceivedFile = [&klt] { return klt; }; });
  window.resize(1000, 440);
  window.Form_Load();
  ASSERT_EQ(window.GamesRows().rowCount(), 40);
  window.findChild<QTimer*>("Timer1")->stop();
  window.show();
  QWidget other;  // the user works in another window
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

  window.OpenReceivedFileCommand();
  ASSERT_EQ(window.GamesRows().rowCount(), 41);
  EXPECT_EQ(ui.statuses.last(), "Received 3 games from ivan@example.org");
  EXPECT_EQ(window.PanelText(1), "Received 3 games from ivan@example.org");
  QStringList selected;
  const QItemSelectionModel* selection = window.GamesView()->selectionModel();
  for (const QModelIndex& index : selection->selectedRows(1)) selected.append(index.data().toString());
  selected.sort();
  EXPECT_EQ(selected, QStringList({"email038.cmt", "email039.cmt", "email050.cmt"}));
  const QModelIndex current = selection->currentIndex();
  ASSERT_TRUE(current.isValid());
  EXPECT_EQ(window.GamesRows().index(current.row(), 1).data().toString(), "email038.cmt");
  // In view: the window shows a dozen rows of forty-one.
  const QRect visible = window.GamesView()->viewport()->rect();
  EXPECT_TRUE(visible.intersects(window.GamesView()->visualRect(current)));

  SaveScreenshot(window, "frmMain-received");

  ASSERT_TRUE(QTest::qWaitFor([&] { return service.shown.size() == 1; }, 5000));
  EXPECT_EQ(service.shown[0].summary, "Received 3 games from ivan@example.org");
  // Each game by its description, as the list shows it, and its file name.
  EXPECT_EQ(service.shown[0].body,
            "SPWAW: Game email038 (email038.cmt)\nSPWAW: Game email039 (email039.cmt)\n"
            "SPWAW: Game email050 (email050.cmt)");

  // A refresh with nothing new says "Ready" and tells nobody.
  window.Refresh();
  EXPECT_EQ(window.PanelText(1), "Ready");
  QTest::qWait(200);
  EXPECT_EQ(service.shown.size(), 1u);
}

#include "test_notify.moc"
