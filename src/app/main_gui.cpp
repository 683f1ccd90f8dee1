#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <clocale>

#include "core/Startup.h"
#include "ui/QtUiPort.h"

int main(int argc, char** argv) {
  // Archive entry names with non-ASCII characters need a UTF-8 character type.
  std::setlocale(LC_CTYPE, "C.UTF-8");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KOLT Helper"));
  QApplication::setApplicationVersion(kolt::ProgramVersion());

  kolt::QtUiPort ui;
  if (!kolt::RunStartup(ui, app.arguments().mid(1), QApplication::applicationFilePath())) return 2;

  QMainWindow window;
  window.setObjectName(QStringLiteral("frmMain"));
  window.setWindowTitle(kolt::AppTitle());
  auto* label = new QLabel(QStringLiteral("Home folder: ") + kolt::App().homeFolder, &window);
  label->setMargin(16);
  window.setCentralWidget(label);
  window.resize(720, 420);
  ui.SetParent(&window);
  window.show();
  return app.exec();
}
