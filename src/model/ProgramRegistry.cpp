#include "model/ProgramRegistry.h"

#include <QCoreApplication>

#include "core/AppSettings.h"
#include "core/FileNames.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/UiPort.h"

namespace kolt {

ProgramRegistry::ProgramRegistry(Services services, ProgramFactories factories)
    : m_services(std::move(services)), m_factories(std::move(factories)) {}

void ProgramRegistry::BuildProgramList(ProgramList& list, const BuildOptions& options) {
  list.Clear();
  QStringList reserved;
  for (const ProgramFactory& factory : m_factories.builtins) {
    if (!factory) continue;
    ProgramPtr program = factory(m_services);
    if (!program) continue;
    reserved.append(program->GetShortName().toUpper());
    AddProgram(program, list, {.rescan = options.rescan, .includeAll = options.includeAll});
  }
  if (!m_factories.custom) return;

  const QStringList removed = RemovedPrograms();
  QStringList refused;
  const QStringList names = UserProgramNames(App().homeFolder, removed, reserved, &refused);
  for (const QString& file : refused) {
    if (m_toldRefused.contains(file)) continue;
    m_toldRefused.append(file);
    const qsizetype dot = file.lastIndexOf(QChar('.'));
    //: %1 is the definition file, %2 its name, %3 this program's name
    m_services.ui.MsgBox(
        QCoreApplication::translate("ProgramRegistry",
                                    "%1 is not used as a program definition: %2 is a name %3 "
                                    "uses itself. Give the file another name to use it.")
            .arg(App().homeFolder + QChar('/') + file, file.left(dot).toUpper(), AppTitle()),
        Buttons::Ok, Icon::Exclamation);
  }
  for (const QString& name : names) {
    ProgramPtr program = m_factories.custom(m_services);
    if (program)
      AddProgram(program, list,
                 {.rescan = options.rescan, .includeAll = options.includeAll, .iniName = name});
  }
}

void ProgramRegistry::AddProgram(const ProgramPtr& program, ProgramList& list, const BuildOptions& options) {
  if (!program) return;
  if (!options.iniName.isEmpty()) {
    auto user = std::dynamic_pointer_cast<UserProgram>(program);
    if (!user) return;  // only a user-defined program can be bound to a definition file
    user->SetINI(options.iniName);
  }
  if (!options.includeAll && !program->Installed(options.rescan)) return;
  list.Add(program);  // a taken key leaves the first program in place
}

bool ProgramRegistry::IsUsableShortName(const QString& name) {
  if (name.isEmpty() || name == QStringLiteral("KOLT")) return false;
  // Only dots would name the folder itself or its parent inside the instance and
  // working folders.
  if (name.count(QChar('.')) == name.size()) return false;
  for (QChar c : name) {
    if (c.isSpace() || c.category() == QChar::Other_Control) return false;
    if (QStringLiteral("[]=;/\\").contains(c)) return false;
  }
  return true;
}

bool ProgramRegistry::IsReservedName(const QString& name) {
  // The settings file's own sections (grep IniRead/IniWrite for the section names when
  // adding one) and the built-in programs.
  static const QStringList kReserved = {
      QStringLiteral("KOLT"),      QStringLiteral("SETTINGS"), QStringLiteral("E-MAIL"),
      QStringLiteral("ADDRESSES"), QStringLiteral("TEXT"),     QStringLiteral("HISTORY"),
      QStringLiteral("TRAY"),      QStringLiteral("AUTOHOST"), QStringLiteral("REMINDERS"),
      QStringLiteral("SPWAW"),     QStringLiteral("CMBO"),     QStringLiteral("SE4")};
  // Section names are compared trimmed and without regard to case.
  return kReserved.contains(name.trimmed().toUpper());
}

QStringList ProgramRegistry::UserProgramNames(const QString& folder, const QStringList& removed,
                                              const QStringList& reserved, QStringList* refused) {
  QStringList names;
  if (folder.isEmpty()) return names;
  const QStringList files = ListNoCase(folder, QStringLiteral("*.INI"));
  for (const QString& file : files) {
    const qsizetype dot = file.lastIndexOf(QChar('.'));
    const QString name = (dot < 0 ? file : file.left(dot)).toUpper();
    if (!IsUsableShortName(name)) continue;
    if (names.contains(name) || removed.contains(name)) continue;  // exact comparison
    // A definition file named after a built-in program or a section of the settings
    // file would share that section.
    if (reserved.contains(name) || IsReservedName(name)) {
      if (refused && !refused->contains(file)) refused->append(file);
      continue;
    }
    names.append(name);
  }
  return names;
}

QString InstallQuestion(const Program& program) {
  //: %1 is the program's name, %2 its executable
  return QCoreApplication::translate(
             "ProgramRegistry",
             "I don't know if %1 is installed. Please enter the installation directory "
             "(where \"%2\" is) below.")
      .arg(program.GetLongName(), program.GetExeName());
}

QString AskInstallDirectory(UiPort& ui, const Program& program, const QString& current) {
  if (program.GetExeName().isEmpty()) return QString();
  const QString shown = current == QStringLiteral("-") ? QString() : current;
  const std::optional<QString> answer =
      ui.AskInstallFolder(program.GetLongName(), InstallQuestion(program), shown, program.GetExeName());
  if (!answer) return current;
  return *answer;
}

}  // namespace kolt
