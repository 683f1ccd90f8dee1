#pragma once

#include <QString>
#include <QStringList>
#include <ctime>

namespace kolt {

class UiPort;

// Process-wide values formed once at start-up and read everywhere.
struct AppValues {
  QString homeFolder;      // settings, definition INI files and instance folders
  QString executablePath;  // this program, for the file association
  QString settingsPath;    // home folder + "/KOLT.INI"
  QString version;         // major.minor.revision
  QString timeZoneText;    // "(GMT+2+1) CEST"
  int totalBias = 0;       // minutes; local time + bias = UTC
  QString instanceFolder;  // home folder + "/" + n, held by lock.txt; empty when none
  QString workingFolder;   // [Settings] WorkingFolder
  QString commandLineFile;
  QString archiveTool;  // unpacker for formats libarchive does not read; empty = none
  // Written by Play (and adapters that start a game on a turn), typed by the file-name
  // hot key.
  QString lastPlayedGameName;
};
AppValues& App();
// `name` in the home folder (before start-up has set it, in $KOLT_HOME).
QString HomeFile(const QString& name);

// $KOLT_HOME; else the executable's folder when it holds KOLT.INI and is writable
// (portable install); else $XDG_DATA_HOME/kolt. Created when missing.
QString ResolveHomeFolder(const QString& executableFolder);

QString ProgramVersion();

struct TimeZoneInfo {
  QString text;
  int totalBias = 0;
};
// The zone in force at `when` (now when 0), from the C library's tz data.
TimeZoneInfo ReadTimeZone(std::time_t when = 0);

// Takes the first numbered folder 0, 1, 2, ... below `home` whose lock.txt this process
// can lock exclusively, and keeps the lock for the rest of the run. Empty when none can
// be created or locked.
QString AcquireInstanceFolder(const QString& home);
// Gives the lock up again (tests).
void ReleaseInstanceFolder();

// The next token of a command line, removed from `text`. Double quotes group; a doubled
// double quote inside them stands for one.
QString NextToken(QString& text);

// At most one file argument. On a second one, returns false with the offending token.
bool ParseCommandLine(const QStringList& arguments, QString* file, QString* badToken);

// Registers the program for *.klt files with the desktop (shared MIME info, a desktop
// entry and the default application). A program installed in a prefix whose share folder
// already holds our desktop entry and MIME type (a package) only makes that entry the
// default and removes user-level copies that would hide it; any other copy (a build tree)
// writes user-level ones naming its own executable. Reports failures through the port and
// goes on.
void RegisterFileAssociation(UiPort& ui, const QString& executablePath);

// The external unpacker for archive formats libarchive cannot read (unar), or empty.
QString FindArchiveTool();

// Runs every start-up step in order. False when the program must end at once (a second
// command-line argument, after its message). `registerAssociation` false leaves the
// desktop's *.klt handler alone (kolt-cli is not that handler).
bool RunStartup(UiPort& ui, const QStringList& arguments, const QString& executablePath,
                bool registerAssociation = true);

}  // namespace kolt
