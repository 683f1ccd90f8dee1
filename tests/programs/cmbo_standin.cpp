// A stand-in for Combat Mission's main screen in the turn-automation test: a 1024 x 768
// window with the game's title that opens a file-name window (transient for it) only
// after clicks at (313, 670) and then (512, 460), as the game does, and writes to the
// file named first on its command line what it receives: "file=NAME" when Enter is
// pressed in the file-name window, then "password=TEXT" when Enter is pressed in the
// main window, after which it ends. Further arguments (the game's path) are ignored.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace {

void Record(const QString& path, const QString& line) {
  QFile f(path);
  if (f.open(QIODevice::Append)) f.write((line + QLatin1Char('\n')).toUtf8());
}

class Screen final : public QWidget {
 public:
  explicit Screen(QString out) : m_out(std::move(out)) {
    setWindowTitle(QStringLiteral("Combat Mission: Beyond Overlord"));
    setFixedSize(1024, 768);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    auto near = [&at](QPoint p) { return (at - p).manhattanLength() <= 4; };
    if (near(QPoint(313, 670))) {
      m_firstClick = true;
    } else if (near(QPoint(512, 460)) && m_firstClick) {
      OpenFileWindow();
    } else {
      m_firstClick = false;
    }
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      Record(m_out, QStringLiteral("password=") + m_typed);
      QTimer::singleShot(100, qApp, &QCoreApplication::quit);
      return;
    }
    m_typed += event->text();
  }

 private:
  void OpenFileWindow() {
    auto* dialog = new QDialog(this);
    dialog->setWindowTitle(QStringLiteral("Open"));
    auto* name = new QLineEdit(dialog);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(name);
    connect(name, &QLineEdit::returnPressed, dialog, [this, dialog, name] {
      Record(m_out, QStringLiteral("file=") + name->text());
      dialog->close();
      activateWindow();
    });
    dialog->show();
    name->setFocus();
  }

  QString m_out;
  QString m_typed;
  bool m_firstClick = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  Screen screen(QString::fromLocal8Bit(argv[1]));
  screen.move(0, 0);
  screen.show();
  return app.exec();
}
