#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "model/ProgramList.h"
#include "model/Services.h"

namespace kolt {

using ProgramFactory = std::function<ProgramPtr(const Services&)>;
using UserProgramFactory = std::function<std::shared_ptr<UserProgram>(const Services&)>;

// How the registry creates adapters without knowing them: the adapter layer fills this
// table and the application hands it in.
struct ProgramFactories {
  std::vector<ProgramFactory> builtins;  // in list order
  UserProgramFactory custom;             // one object per definition file
};

// How the registry builds the program list.
struct BuildOptions {
  bool rescan = false;      // every Installed ignores the stored answers and searches again
  bool includeAll = false;  // every program is taken without asking Installed
  QString iniName;          // AddProgram: the definition file a user-defined program is bound to
};

// Decides which programs take part in this run and in which order: the built-in ones,
// then one user-defined program per definition file in the home folder.
class ProgramRegistry {
 public:
  ProgramRegistry(Services services, ProgramFactories factories);

  // Empties `list` and refills it.
  void BuildProgramList(ProgramList& list, const BuildOptions& options = {});
  // Binds a user-defined program to `options.iniName` (when not empty), checks Installed
  // unless `includeAll`, and appends it under its short name.
  void AddProgram(const ProgramPtr& program, ProgramList& list, const BuildOptions& options = {});

  // The short names of the definition files in `folder`, in listing order, without the
  // removed ones, those in `reserved` (the built-in short names) and those
  // IsReservedName refuses. `refused`, when given, receives the file names of the
  // definition files left out for a reserved name (not KOLT.INI itself).
  static QStringList UserProgramNames(const QString& folder, const QStringList& removed,
                                      const QStringList& reserved, QStringList* refused = nullptr);
  // True for a name no user-defined program may have, compared without regard to case:
  // the settings file, the sections the program keeps in it (a program's short name is
  // its section, so a definition named after one would write into it, even from a
  // received turn), and the built-in programs' short names.
  static bool IsReservedName(const QString& name);
  // A definition file's base name that may become a short name: not empty, not the
  // settings file, no blank, and nothing that would break a settings section or a
  // folder name.
  static bool IsUsableShortName(const QString& name);

  const Services& GetServices() const { return m_services; }

 private:
  Services m_services;
  ProgramFactories m_factories;
  QStringList m_toldRefused;  // each refused definition file is told about once a run
};

// The question text of the installation-folder dialog for `program`.
QString InstallQuestion(const Program& program);
// Asks the user for the installation folder of `program`, proposing `current` (not when
// it is "-"). Returns the folder entered, "" when the user confirmed an empty field,
// and `current` unchanged when the user cancelled. A program without an executable name
// is not asked about: the result is empty.
QString AskInstallDirectory(UiPort& ui, const Program& program, const QString& current);

}  // namespace kolt
