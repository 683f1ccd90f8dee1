// Questions belong to the window that asked them: a message box, an input box or the
// folder dialog opened from a dialog is modal over that dialog, and when it closes the
// focus and the keys are back there, not in the main window behind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>

#include "ProgramsHome.h"
#include "exchange/mail/FilePasswordStore.h"
#include "main/TestPrograms.h"
#include "model/ProgramRegistry.h"
#include "programs/Adapters.h"
#include "programs/CUSTOM/CUSTOM.h"
#include "ui/QtUiPort.h"
#include "ui/frmGame.h"
#include "ui/frmModify.h"
#include "ui/frmOptions.h"
#include "ui/frmPrograms.h"

using namespace kolt;
using namespace kolt::test;

namespace {

// Stands for the main window: its own "&Close" quits it, which must never be what an
// Alt+C or Esc meant for a dialog does.
struct MainStandIn {
  QWidget window;
  QPushButton* close = new QPushButton("&Close", &window);
  MainStandIn() {
    window.setObjectName("main");
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(close);
    QObject::connect(close, &QPushButton::clicked, &window, &QWidget::close);
    window.show();
  }
};

// Runs `ask` with `owner` the active window and answers every question that opens
// with Esc. Returns the window each question was modal over.
QList<QWidget*> AskFrom(QWidget& owner, const std::function<void()>& ask) {
  owner.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&owner));
  QList<QWidget*> parents;
  QTimer answer;
  answer.setInterval(5);
  QObject::connect(&answer, &QTimer::timeout, [&owner, &parents] {
    QWidget* question = QApplication::activeModalWidget();
    if (!question || question == &owner || !question->isVisible()) return;
    if (!parents.isEmpty() && parents.last() == question) return;  // still closing
    parents.append(question->parentWidget());
    QTest::keyClick(question, Qt::Key_Escape);
  });
  answer.start();
  ask();
  // A question that does not wait for its answer (a window-modal box) is answered now.
  while (parents.isEmpty() ||
         (QApplication::activeModalWidget() && QApplication::activeModalWidget() != &owner))
    QTest::qWait(5);
  return parents;
}

// After the question: the dialog is the active window with the focus in it, and a key
// (Alt+C, Esc) closes it while the main window stays.
void ExpectBackAt(QWidget& dialog, MainStandIn& main, const QKeyCombination& key) {
  EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(QApplication::activeWindow(), &dialog);
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  EXPECT_EQ(focus->window(), &dialog);
  // A dialog that deletes itself on close may be gone once the events have run.
  const QPointer<QWidget> alive(&dialog);
  QTest::keyClick(focus, key.key(), key.keyboardModifiers());
  // A mnemonic clicks its button the way a click looks: after a short flash.
  for (int i = 0; i < 500 && alive && alive->isVisible(); ++i) QTest::qWait(10);
  EXPECT_TRUE(!alive || !alive->isVisible());
  EXPECT_TRUE(main.window.isVisible());
}

struct Fixture : ProgramsHome<QtUiPort> {
  Fixture() { ui.SetParent(&main.window); }
  MainStandIn main;
};

}  // namespace

TEST(QuestionOwner, ProgramsDialogAndItsEditor) {
  Fixture fx;
  fx.NothingInstalled();
  ProgramRegistry registry(Services{fx.ui, fx.tools, {}}, AdapterFactories());
  auto* programs = new frmPrograms(fx.ui, fx.tools, registry, 0, &fx.main.window);
  programs->setAttribute(Qt::WA_DeleteOnClose);
  QPointer<frmPrograms> alive(programs);
  programs->show();
  auto select = [&programs](const QString& name) {
    auto* list = programs->findChild<QTreeWidget*>("lvInstalled");
    list->setCurrentItem(list->findItems(name, Qt::MatchExactly, 0).value(0));
  };

  // The name of a new program (an input box), a message box, the folder question.
  EXPECT_EQ(AskFrom(*programs, [&] { Click(*programs, "cmdAdd"); }), QList<QWidget*>({programs}));
  select("SPWAW");
  EXPECT_EQ(AskFrom(*programs, [&] { Click(*programs, "cmdModify"); }), QList<QWidget*>({programs}));
  select("CMBO");
  const QList<QWidget*> folder = AskFrom(*programs, [&] { Click(*programs, "cmdEnable"); });
  ASSERT_FALSE(folder.isEmpty());
  for (QWidget* parent : folder) EXPECT_EQ(parent, programs);

  // The editor, opened from the programs dialog: its questions are its own.
  {
    auto program = std::make_shared<CUSTOM>(Services{fx.ui, fx.tools, {}});
    program->SetINI("ABC");
    frmModify editor(fx.ui, fx.tools, program, programs);
    editor.setModal(true);
    editor.show();
    EXPECT_EQ(AskFrom(editor, [&] { Click(editor, "cmdDescription"); }), QList<QWidget*>({&editor}));
    EXPECT_EQ(AskFrom(editor, [&] { QTest::keyClick(&editor, Qt::Key_F1); }), QList<QWidget*>({&editor}));
    ExpectBackAt(editor, fx.main, QKeyCombination(Qt::Key_Escape));
  }
  EXPECT_EQ(AskFrom(*programs, [&] { Click(*programs, "cmdModify"); }), QList<QWidget*>({programs}));
  ExpectBackAt(*programs, fx.main, QKeyCombination(Qt::ALT, Qt::Key_C));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull());
}

TEST(QuestionOwner, SettingsAndGameDialogs) {
  Fixture fx;
  {
    FilePasswordStore passwords;
    frmOptions settings(&fx.main.window, &passwords);
    settings.setModal(true);
    settings.show();
    // OK without the own address is refused in a box over the settings dialog.
    const QList<QWidget*> refused = AskFrom(settings, [&] { Click(settings, "cmdOK"); });
    EXPECT_EQ(refused, QList<QWidget*>({&settings}));
    ExpectBackAt(settings, fx.main, QKeyCombination(Qt::Key_Escape));
  }
  {
    auto program = std::make_shared<TestProgram>("SPWAW");
    auto game = std::make_shared<TestGame>("email001.cmt", "Play", "x@example.org");
    game->Init(program, QString(), game->name);
    GameList games{game};
    frmGame dialog(fx.ui, games, 0, &fx.main.window);
    dialog.setModal(true);
    dialog.show();
    EXPECT_EQ(AskFrom(dialog, [&] { Click(dialog, "cmdDelete"); }), QList<QWidget*>({&dialog}));
    EXPECT_FALSE(game->deleted);  // Esc answered Cancel
    ExpectBackAt(dialog, fx.main, QKeyCombination(Qt::Key_Escape));
  }
  EXPECT_TRUE(fx.main.window.isVisible());
}
