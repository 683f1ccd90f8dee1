#pragma once

// What the tests of the program dialogs share: a temporary home and Wine prefix with the
// Linux toolbox, and ways to work a dialog by its controls' names.
#include <QList>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>

#include "core/Settings.h"
#include "core/Startup.h"
#include "platform/linux/LinuxWintools.h"
#include "support/Child.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

namespace kolt::test {

// The home is the application's for the life of the object; `Ui` answers the questions.
template <typename Ui = ScriptedUi>
struct ProgramsHome {
  ProgramsHome() { App().homeFolder = home.Path(); }
  ~ProgramsHome() { App().homeFolder.clear(); }
  ProgramsHome(const ProgramsHome&) = delete;
  ProgramsHome& operator=(const ProgramsHome&) = delete;

  // The built-in games declared not installed, and the user-defined program ABC ("Alpha
  // Bravo"), not installed either.
  void NothingInstalled() {
    for (const char* name : {"SPWAW", "CMBO", "SE4", "ABC"}) IniWrite(name, "Directory", "-");
    WriteFile(home.File("ABC.INI"), "[Settings]\r\nLongName=Alpha Bravo\r\n");
  }

  TempHome home;
  ScopedEnv prefix{"WINEPREFIX", home.Root() + "/wine"};
  Ui ui;
  LinuxWintools tools{ui};
};

inline void Click(QWidget& dialog, const char* button) {
  Child<QPushButton>(dialog, button)->click();
}

// The texts of each row of `list`, without the empty cells at its end.
inline QList<QStringList> Rows(const QTreeWidget& list) {
  QList<QStringList> rows;
  for (int i = 0; i < list.topLevelItemCount(); ++i) {
    QStringList cells;
    for (int c = 0; c < list.columnCount(); ++c) cells.append(list.topLevelItem(i)->text(c));
    while (!cells.isEmpty() && cells.last().isEmpty()) cells.removeLast();
    rows.append(cells);
  }
  return rows;
}

}  // namespace kolt::test
