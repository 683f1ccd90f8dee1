// The turn history's Files column: every file of a turn readable without a tip.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScreen>
#include <QTreeWidget>

#include "../ui/main/TestPrograms.h"
#include "exchange/history/HistoryStore.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"
#include "ui/frmHistory.h"

using namespace kolt;
using namespace kolt::test;

TEST(HistoryFiles, EveryFileOfATurnShowsOnItsOwnLineInFull) {
  TempHome home;
  ScriptedUi ui;
  auto program = std::make_shared<TestProgram>(QStringLiteral("SPWAW"));
  const auto game = program->AddGame(QStringLiteral("email0042.cmt"), QStringLiteral("Play"), QString());
  program->InitGames();
  HistoryStore store(home.Path() + QStringLiteral("/history.sqlite"));
  TurnEntry entry;
  entry.time = QDateTime::currentDateTime();
  entry.program = QStringLiteral("SPWAW");
  entry.game = game->GetName();
  entry.opponent = QStringLiteral("opponent.with.a.long.address@example.org");
  entry.mode = QStringLiteral("KLT");
  entry.taunt = QStringLiteral("Your tanks are mine.");
  const QStringList names = {"email0042.cmt", "email0042.dat", "A campaign save with a long name.aux",
                             "email0042.rec"};
  for (const QString& name : names)
    entry.files.push_back(TurnFile{name, QStringLiteral("EMAIL"), 123456, {}});
  ASSERT_TRUE(store.Record(entry));
  TurnEntry single = entry;
  single.time = entry.time.addSecs(-3600);
  single.files.resize(1);
  ASSERT_TRUE(store.Record(single));

  frmHistory dialog(ui, game, store);
  dialog.show();
  QApplication::processEvents();
  QTreeWidget* list = dialog.List();
  ASSERT_EQ(list->topLevelItemCount(), 2);
  QTreeWidgetItem* turn = list->topLevelItem(0);
  const QStringList lines = turn->text(5).split(QChar('\n'));
  ASSERT_EQ(lines.size(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(lines[i].startsWith(names[i] + " (")) << lines[i].toStdString();
  EXPECT_EQ(turn->toolTip(5), turn->text(5));

  // The column is as wide as its longest line and the row as high as its lines: nothing
  // is elided or cut.
  const QFontMetrics metrics(list->font());
  int widest = 0;
  for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
  EXPECT_GE(list->columnWidth(5), widest);
  const QRect row = list->visualItemRect(turn);
  EXPECT_GE(row.height(), 4 * metrics.height());
  EXPECT_LT(list->visualItemRect(list->topLevelItem(1)).height(), row.height());
  // The dialog makes room for it where the screen allows.
  EXPECT_GE(dialog.width(),
            std::min(list->header()->length(), dialog.screen()->availableGeometry().width() * 9 / 10));
}
