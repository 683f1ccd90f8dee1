#include "model/ProgramRegistry.h"

#include "core/AppSettings.h"
#include "core/FileNames.h"
#include "core/Settings.h"
#include "core/Startup.h"

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
  const QStringList names = UserProgramNames(App().homeFolder, removed, reserved);
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

QStringList ProgramRegistry::UserProgramNames(const QString& folder, const QStringList& removed,
                                              const QStringList& reserved) {
  QStringList names;
  if (folder.isEmpty()) return names;
  const QStringList files = ListNoCase(folder, QStringLiteral("*.INI"));
  for (const QString& file : files) {
    const qsizetype dot = file.lastIndexOf(QChar('.'));
    const QString name = (dot < 0 ? file : file.left(dot)).toUpper();
    if (!IsUsableShortName(name)) continue;
    if (names.contains(name) || removed.contains(name)) continue;  // exact comparison
    // A definition file named after a built-in program would share its settings section.
    if (reserved.contains(name)) continue;
    names.append(name);
  }
  return names;
}

QString InstallQuestion(const Program& program) {
  return QStringLiteral("I don't know if ") + program.GetLongName() +
         QStringLiteral(" is installed. Please enter the installation directory (where ") + QChar('"') +
         program.GetExeName() + QChar('"') + QStringLiteral(" is) below.");
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
