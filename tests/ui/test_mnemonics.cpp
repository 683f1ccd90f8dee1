// Every dialog can be worked from the keyboard: each field has a label with a mnemonic
// that leads to it, each button, check box and group box has one, and no two in the
// same view share a letter (one of them would be out of reach).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ProgramsHome.h"
#include "exchange/history/HistoryStore.h"
#include "exchange/mail/FilePasswordStore.h"
#include "main/TestPrograms.h"
#include "model/ProgramRegistry.h"
#include "programs/Adapters.h"
#include "programs/CUSTOM/CUSTOM.h"
#include "ui/frmAbout.h"
#include "ui/frmGame.h"
#include "ui/frmHistory.h"
#include "ui/frmModify.h"
#include "ui/frmOptions.h"
#include "ui/frmProgram.h"
#include "ui/frmPrograms.h"
#include "ui/frmSE4.h"
#include "ui/frmTaunt.h"

using namespace kolt;
using namespace kolt::test;

namespace {

QString Describe(const QWidget* w, const QString& text) {
  return QString("%1 %2 \"%3\"")
      .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(), text);
}

// The page a widget is shown on: a tab page or the stacked page it sits in, else the
// dialog. Mnemonics of widgets on other pages are not live at the same time.
const QWidget* PageOf(const QWidget* w, const QWidget* dialog) {
  for (const QWidget* p = w; p && p != dialog; p = p->parentWidget()) {
    if (p->parentWidget() && qobject_cast<const QStackedWidget*>(p->parentWidget())) return p;
  }
  return dialog;
}

// What is wrong with `dialog`'s keyboard access; empty when nothing is.
QStringList Problems(const QWidget& dialog) {
  QStringList problems;
  QMap<const QWidget*, QMap<QKeySequence, QString>> taken;  // page -> key -> who
  QList<const QWidget*> buddies;
  auto claim = [&](const QWidget* w, const QString& text) {
    const QKeySequence key = QKeySequence::mnemonic(text);
    if (key.isEmpty()) {
      problems.append("no mnemonic: " + Describe(w, text));
      return;
    }
    const QWidget* page = PageOf(w, &dialog);
    // A page's keys clash with each other and with those outside every page.
    for (auto it = taken.cbegin(); it != taken.cend(); ++it) {
      if (it.key() != page && it.key() != &dialog && page != &dialog) continue;
      if (it.value().contains(key))
        problems.append(
            QString("same key %1: %2 and %3").arg(key.toString(), it.value()[key], Describe(w, text)));
    }
    taken[page][key] = Describe(w, text);
  };
  for (const QWidget* w : dialog.findChildren<QWidget*>()) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
      if (!label->buddy()) continue;
      buddies.append(label->buddy());
      claim(w, label->text());
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
      // Enter and Esc reach OK and Cancel; a tab bar's scroll arrows are no commands.
      if (button->text() == QLatin1String("OK") || button->text() == QLatin1String("Cancel")) continue;
      if (button->text().isEmpty()) continue;
      claim(w, button->text());
    } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
      if (group->title().isEmpty()) continue;
      claim(w, group->title());
      // Its mnemonic leads to its first field.
      for (const QWidget* child : group->findChildren<QWidget*>()) {
        if (child->focusPolicy() & Qt::TabFocus) {
          buddies.append(child);
          break;
        }
      }
    }
  }
  // A field right after a radio button or check box that has a mnemonic is one Tab away
  // ("move its message to: [folder]").
  for (const auto* button : dialog.findChildren<QAbstractButton*>()) {
    if ((qobject_cast<const QRadioButton*>(button) || qobject_cast<const QCheckBox*>(button)) &&
        !QKeySequence::mnemonic(button->text()).isEmpty())
      buddies.append(button->nextInFocusChain());
  }
  for (const QWidget* w : dialog.findChildren<QWidget*>()) {
    const bool field = qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
                       qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
                       qobject_cast<const QTextEdit*>(w);
    // A combo box's or spin box's own line edit is reached through its box.
    if (!field || qobject_cast<const QComboBox*>(w->parentWidget()) ||
        qobject_cast<const QAbstractSpinBox*>(w->parentWidget()))
      continue;
    if (!buddies.contains(w)) problems.append("field without a label: " + Describe(w, QString()));
  }
  return problems;
}

}  // namespace

TEST(Mnemonics, TheCheckFindsClashesAndFieldsOutOfReach) {
  QDialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  auto* name = new QLabel("&Name:");
  auto* field = new QLineEdit;
  name->setBuddy(field);
  layout->addWidget(name);
  layout->addWidget(field);
  layout->addWidget(new QLineEdit);
  layout->addWidget(new QPushButton("&Next"));
  layout->addWidget(new QPushButton("Later"));
  const QStringList problems = Problems(dialog);
  ASSERT_EQ(problems.size(), 3) << problems.join(QChar('\n')).toStdString();
  EXPECT_TRUE(problems[0].startsWith("same key Alt+N"));
  EXPECT_TRUE(problems[1].startsWith("no mnemonic: QPushButton"));
  EXPECT_TRUE(problems[2].startsWith("field without a label: QLineEdit"));
}

TEST(Mnemonics, EveryDialogCanBeWorkedFromTheKeyboard) {
  ProgramsHome<> fx;
  fx.NothingInstalled();
  QMap<QString, QStringList> found;

  FilePasswordStore passwords;
  found["frmOptions"] = Problems(frmOptions(nullptr, &passwords));

  auto program = std::make_shared<TestProgram>("SPWAW");
  auto game = std::make_shared<TestGame>("email001.cmt", "Play", "x@example.org");
  game->Init(program, QString(), game->name);
  GameList games{game};
  found["frmGame"] = Problems(frmGame(fx.ui, games, 0));

  PlayersEdit players;
  players.caption = "Andromeda.gam - Space Empires IV";
  players.rows = {{1, "Terran Union", "Adm. Ruiz", "me@example.org", "Alive", false, true, true}};
  found["frmSE4"] = Problems(frmSE4(fx.ui, players));

  auto custom = std::make_shared<CUSTOM>(Services{fx.ui, fx.tools, {}});
  custom->SetINI("ABC");
  found["frmModify"] = Problems(frmModify(fx.ui, fx.tools, custom));

  ProgramRegistry registry(Services{fx.ui, fx.tools, {}}, AdapterFactories());
  found["frmPrograms"] = Problems(frmPrograms(fx.ui, fx.tools, registry, 0));

  frmProgram folder(fx.ui);
  folder.Prepare("Steel Panthers", "Where is it?", QString(), "mech.exe");
  found["frmProgram"] = Problems(folder);

  frmTaunt taunt(fx.ui);
  taunt.Prepare("x@example.org", "email001.cmt");
  found["frmTaunt"] = Problems(taunt);

  found["frmAbout"] = Problems(frmAbout(fx.ui));

  HistoryStore store(fx.home.File("history.sqlite"));
  found["frmHistory"] = Problems(frmHistory(fx.ui, game, store));

  for (auto it = found.cbegin(); it != found.cend(); ++it)
    EXPECT_TRUE(it.value().isEmpty())
        << it.key().toStdString() << ":\n  " << it.value().join("\n  ").toStdString();
}
