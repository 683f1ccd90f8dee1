#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QPointer>
#include <QTimer>
#include <clocale>

#include "core/Startup.h"
#include "core/Translations.h"
#include "exchange/archive/ArchiveWrapper.h"
#include "exchange/mail/Mailer.h"
#include "exchange/mail/TestMessage.h"
#include "exchange/turns/TurnExchange.h"
#include "model/GameWindows.h"
#include "model/HotKeys.h"
#include "model/ProgramRegistry.h"
#include "model/Services.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/Adapters.h"
#include "ui/QtUiPort.h"
#include "ui/RunningWindow.h"
#include "ui/VBUnzFrm.h"
#include "ui/frmAbout.h"
#include "ui/frmBlat.h"
#include "ui/frmMain.h"
#include "ui/frmOptions.h"
#include "ui/frmPrograms.h"

using namespace kolt;

int main(int argc, char** argv) {
  // Archive entry names with non-ASCII characters need a UTF-8 character type.
  std::setlocale(LC_CTYPE, "C.UTF-8");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KOLT Helper"));
  QApplication::setApplicationVersion(ProgramVersion());
  translations::Install();
  QApplication::setQuitOnLastWindowClosed(false);  // the main window's close ends the run
  // The desktop entry names the windows' application; the theme's icon (with its drawn
  // small sizes) when installed, else the SVG built in.
  QApplication::setDesktopFileName(QStringLiteral("kolt-helper"));
  QApplication::setWindowIcon(
      QIcon::fromTheme(QStringLiteral("kolt-helper"), QIcon(QStringLiteral(":/icons/kolt-helper.svg"))));

  // A turn opened while a window runs on the same home goes to that window.
  const QStringList arguments = QApplication::arguments().mid(1);
  const QString home = ResolveHomeFolder(QFileInfo(QApplication::applicationFilePath()).absolutePath());
  if (arguments.size() == 1 && RunningWindow::HandOff(home, QFileInfo(arguments[0]).absoluteFilePath()))
    return 0;

  QtUiPort ui;
  if (!RunStartup(ui, arguments, QApplication::applicationFilePath())) return 2;

  LinuxWintools tools(ui);
  ui.SetTools(&tools);
  VBUnzFrm zipWindow;
  ArchiveWrapper archive(ui, zipWindow);
  frmBlat blatWindow;
  Mailer mailer(ui, &blatWindow);
  ProgramList programs;
  TurnExchange exchange(ui, tools, programs, archive, mailer);
  std::unique_ptr<GameWindows> gameWindows = CreateGameWindows();
  Services services{ui, tools, [&exchange] { return exchange.NewBatch(); }, gameWindows.get()};
  ProgramRegistry registry(services, AdapterFactories());
  std::unique_ptr<HotKeys> hotKeys = CreateHotKeys();

  MainWindowParts parts{ui, tools, registry, programs};
  parts.exchange = &exchange;
  parts.hotKeys = hotKeys.get();
  frmMain* mainWindow = nullptr;
  parts.openSettings = [&mainWindow] {
    frmOptions dialog(mainWindow);
    dialog.exec();
  };
  // One programs dialog at a time; it lives while it is shown.
  QPointer<frmPrograms> programsDialog;
  parts.openPrograms = [&ui, &tools, &registry, &mainWindow, &programsDialog] {
    if (!programsDialog) {
      const WindowHandle handle = mainWindow ? WindowHandle(mainWindow->winId()) : 0;
      programsDialog = new frmPrograms(ui, tools, registry, handle, mainWindow);
      programsDialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    programsDialog->show();
    programsDialog->raise();
    programsDialog->activateWindow();
  };
  parts.openAbout = [&ui, &mainWindow] {
    frmAbout dialog(ui, mainWindow);
    dialog.exec();
  };
  parts.testEMail = [&ui, &mailer] { SendTestMessage(ui, mailer); };
  parts.showZipWindow = [&zipWindow] { zipWindow.ShowAgain(); };
  parts.showBlatWindow = [&blatWindow] { blatWindow.ShowWindow(); };
  parts.showIfTestMessage = [&ui](const QString& path) { return ShowIfTestMessage(ui, path); };

  frmMain window(parts);
  mainWindow = &window;
  ui.SetParent(&window);
  ui.SetStatusSink([&window](const QString& text) { window.SetStatusText(text); });
  // For the start-up benchmarks: the time to the first paint ("painted"), to a painted list
  // with rows ("shown") or to a painted list of every game read ("filled", and the older
  // KOLT_EXIT_WHEN_SHOWN).
  const QByteArray exitAt =
      qEnvironmentVariableIsSet("KOLT_EXIT_WHEN_SHOWN") ? "filled" : qgetenv("KOLT_EXIT_AT");
  bool listFilled = false;
  if (exitAt == "painted") {
    QObject::connect(&window, &frmMain::painted, &app,
                     [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); });
  } else if (exitAt == "shown" || exitAt == "filled") {
    // Quits at the first paint after the list reached that state.
    auto reached = [&window, &listFilled] {
      listFilled = true;
      if (window.isVisible()) window.repaint();
    };
    if (exitAt == "shown")
      QObject::connect(&window, &frmMain::shown, &app, reached);
    else
      QObject::connect(&window, &frmMain::filled, &app, reached);
    QObject::connect(&window, &frmMain::painted, &app, [&listFilled] {
      if (listFilled) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    });
  }
  window.StartUp();
  window.show();
  RunningWindow running;
  QObject::connect(&running, &RunningWindow::FileArrived, &window, &frmMain::TakeHandedOffFile);
  running.Listen(App().homeFolder);
  return QApplication::exec();
}
