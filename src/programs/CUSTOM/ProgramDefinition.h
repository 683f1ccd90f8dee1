#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "programs/CUSTOM/CUSTOM_File.h"

namespace kolt {

// The definition file of a user-defined program, `<SHORT>.INI` in the home folder, as a
// value: its Settings section and its file types. The one reader and writer of that
// format; other players' copies read the same keys, so the keys and their order stay.
struct ProgramDefinition {
  QString LongName;
  QString EXE;
  QString EMailSubDir;
  QString Uninstall;
  QString KOLTFilePattern;
  QString Description;
  QString CommandLine;
  QString Contact;
  QString ContactEMail;
  std::vector<CUSTOM_File> Files;

  bool operator==(const ProgramDefinition&) const = default;

  // The definition file of `shortName` in the home folder: an existing one found without
  // regard to case, else the path it would have.
  static QString PathFor(const QString& shortName);

  // Reads the file; absent keys are empty. At most kMaxFileTypes types are read, so a
  // mistyped count cannot make every start-up read thousands of empty sections. A file
  // larger than the settings store's limit reads as empty (TooLarge tells).
  static ProgramDefinition Read(const QString& path);
  static bool TooLarge(const QString& path);
  // Writes every key of the Settings section and the sections File0 .. File<n-1>, an
  // empty flag as "key=". Keys and sections the definition does not know (and types
  // beyond the count) stay in the file. False, at the first write that failed (errno
  // tells why).
  [[nodiscard]] bool Write(const QString& path) const;
  // Starts a definition with only its long name; an existing file (from an earlier
  // removal) keeps everything else.
  [[nodiscard]] static bool WriteLongName(const QString& path, const QString& longName);
  // Drops the empty keys the editor writes. False when the file could not be read or
  // replaced.
  [[nodiscard]] static bool Compact(const QString& path);

  // What is odd about the file types, in the order the editor asks about it: no type at
  // all (then nothing else), each extra Primary or Modified type, a missing Primary,
  // Modified, CheckSame or Required type, and two types with the same extension. Each
  // is a text for the user; the definition can be saved all the same.
  QStringList FileTypeWarnings() const;

  // The Ext of the type marked Modified (the last such one); "" when none is.
  QString ModifiedExt() const;
  // The first type whose Ext equals the name's extension without regard to case; null
  // when none does.
  const CUSTOM_File* FileTypeOf(const QString& fileName) const;
  // The uninstall entries to look the program up under: Uninstall split at "|",
  // without blanks around them, empty ones left out.
  QStringList UninstallNames() const;
  // A definition may come from someone else: the executable is named without a folder,
  // so that a name cannot lead out of the installation folder.
  bool ExeIsPlainName() const;
  // True when EMailSubDir ends up outside `installation` (see LeadsOutOf): received
  // files are written there, so it must not reach into other folders.
  bool GameFolderLeavesInstallation(const QString& installation) const;
};

// A definition names its file types by count; more than this are not read.
constexpr long long kMaxFileTypes = 256;

}  // namespace kolt
