// Another program's window for the hot-key tests: a line edit in its own process, so
// that it reads the keyboard map on its own while the typist changes it. Prints the
// window id, then "FOCUS" once it has the keyboard focus; writes its text to the file
// named on the command line after every change.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  const QString out = QString::fromLocal8Bit(argv[1]);
  QLineEdit edit;
  edit.setWindowTitle(QStringLiteral("target"));
  edit.resize(400, 40);
  QObject::connect(&edit, &QLineEdit::textChanged, [&out](const QString& text) {
    QSaveFile f(out);
    if (f.open(QIODevice::WriteOnly)) {
      f.write(text.toUtf8());
      f.commit();
    }
  });
  QObject::connect(&app, &QApplication::focusChanged, [&edit](QWidget*, QWidget* now) {
    if (now == &edit) {
      std::printf("FOCUS\n");
      std::fflush(stdout);
    }
  });
  edit.show();
  std::printf("WID %llu\n", static_cast<unsigned long long>(edit.winId()));
  std::fflush(stdout);
  return app.exec();
}
