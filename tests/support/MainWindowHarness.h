#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QStringList>
#include <functional>
#include <memory>

#include "core/Settings.h"
#include "core/Startup.h"
#include "model/ProgramList.h"
#include "model/ProgramRegistry.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/Adapters.h"
#include "support/ExchangeParts.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"
#include "ui/GamesModel.h"
#include "ui/frmMain.h"

namespace kolt::test {

// The main window as the application assembles it: the real adapters and the real turn
// exchange on a temporary home, every question answered by a scripted UI port. The home
// is the application's before the exchange is made, so what it records stays there.
class MainWindowHarness {
 public:
  // The built-in adapters unless the test brings programs of its own; the real mailer
  // unless it brings a transport.
  explicit MainWindowHarness(ProgramFactories factories = AdapterFactories(),
                             MailTransport* transport = nullptr)
      : exchange(ui, tools, programs, transport),
        registry(exchange.ServicesFor(ui, tools), std::move(factories)) {}
  ~MainWindowHarness() {
    window.reset();
    App().homeFolder.clear();
    App().instanceFolder.clear();
    App().commandLineFile.clear();
  }
  MainWindowHarness(const MainWindowHarness&) = delete;
  MainWindowHarness& operator=(const MainWindowHarness&) = delete;

  // Steel Panthers installed in games/SPWAW (its folder returned), turns sent by SMTP.
  QString InstallSpwaw() {
    const QString game = Spwaw();
    EXPECT_TRUE(WriteFile(game + QStringLiteral("/mech.exe"), "MZ"));
    QDir().mkpath(game + QStringLiteral("/EMAIL"));
    IniWrite(QStringLiteral("SPWAW"), QStringLiteral("Directory"), game);
    IniWrite(QStringLiteral("SPWAW"), QStringLiteral("SAVE"), QStringLiteral("0"));
    IniWrite(QStringLiteral("E-Mail"), QStringLiteral("Mode"), QStringLiteral("SMTP"));
    return game;
  }
  QString Spwaw() const { return home.File(QStringLiteral("games/SPWAW")); }

#ifdef KOLT_DEMO_SCRIPT
  // The home the demo script makes: every built-in game with games in every state.
  void MakeDemoHome() {
    QProcess demo;
    demo.start(QStringLiteral("python3"), {QStringLiteral(KOLT_DEMO_SCRIPT), home.Path()});
    ASSERT_TRUE(demo.waitForFinished(60000));
    ASSERT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
    App().timeZoneText = ReadTimeZone().text;
  }
#endif

  // Makes the window; `configure` sets what a test needs of the parts first.
  frmMain& Make(const std::function<void(MainWindowParts&)>& configure = {}) {
    MainWindowParts parts(ui, tools, registry, programs);
    parts.exchange = &exchange.exchange;
    if (configure) configure(parts);
    window = std::make_unique<frmMain>(parts);
    return *window;
  }
  // Makes the window and runs its start-up work.
  frmMain& Load(const std::function<void(MainWindowParts&)>& configure = {}) {
    Make(configure).Form_Load();
    return *window;
  }

  const GamesModel& Rows() const {
    return window->GamesRows();
  }
  int RowOf(const QString& fileName) const {
    for (int i = 0; i < Rows().rowCount(); ++i) {
      if (Rows().index(i, 1).data().toString() == fileName) return i;
    }
    return -1;
  }
  QString Cell(const QString& fileName, int column) const {
    return Rows().index(RowOf(fileName), column).data().toString();
  }
  QStringList Column(int column) const {
    QStringList cells;
    for (int i = 0; i < Rows().rowCount(); ++i) cells.append(Rows().index(i, column).data().toString());
    return cells;
  }

  TempHome home;

 private:
  const bool m_appFolders = [this] {
    App().homeFolder = home.Path();
    App().instanceFolder = home.File(QStringLiteral("0"));
    QDir().mkpath(App().instanceFolder);
    App().version = ProgramVersion();
    return true;
  }();

 public:
  ScriptedUi ui;
  LinuxWintools tools{ui};
  ProgramList programs;
  ExchangeParts exchange;
  ProgramRegistry registry;
  std::unique_ptr<frmMain> window;
};

}  // namespace kolt::test
