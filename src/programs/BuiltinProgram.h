#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "core/FolderSnapshot.h"
#include "model/Program.h"
#include "model/Services.h"

namespace kolt {

// What the built-in adapters share: the installation search with its stored folder,
// the program status from the executable, and Run. Subclasses name their uninstall
// entries and add their own steps after a successful check.
class BuiltinProgram : public Program {
 public:
  explicit BuiltinProgram(const Services& services) : m_services(services) {}

  bool Installed(bool rescan) override;
  void NotInstalled() override;
  QString GetDirectory() const override { return m_directory; }
  QString GetVersion() const override { return m_version; }
  ProgramState GetStatus() const override;
  bool Run(WindowHandle window) override;

  // The executable found by Installed.
  QString GetExePath() const { return m_exePath; }
  const Services& GetServices() const { return m_services; }

 protected:
  // The uninstall entries to look the program up under, in order; none means the user
  // is asked at once.
  virtual QStringList UninstallKeys() const { return {}; }
  // Runs after the folder and the version are known; its result is Installed's.
  virtual bool AfterInstalled(bool rescan) {
    (void)rescan;
    return !m_directory.isEmpty();
  }
  // `folder` + the executable's name, matched on disk without regard to case.
  QString ExecutableIn(const QString& folder) const;
  // The receive batch for the files in `folder`, or null after telling the user that the
  // folder cannot be read ("Can't get directory: ") or when nothing can be received.
  std::unique_ptr<ReceiveBatch> OpenReceiveBatch(const QString& folder);
  QString ReadSetting(const QString& key) const;
  // Writes to the program's section; tells the user when the settings file refused it.
  void WriteSetting(const QString& key, const QString& value) const;

  Services m_services;
  QString m_directory;  // no trailing separator; empty until Installed succeeds
  QString m_version;
  QString m_exePath;

 private:
  bool Fail();
};

// Deletes one file of a game (the pass's snapshot learns of it); on failure tells the
// user "Can't delete: " + path and returns false.
bool DeleteGameFile(UiPort& ui, const QString& path);
// Deletes the listed files of one game in `folder`. A write-protected file would stop
// the deletion half-way and leave a game without its main file: it is looked for first,
// and then nothing is deleted. False, after telling the user, when not all are gone.
bool DeleteGameFiles(UiPort& ui, const QString& folder, const std::vector<FolderEntry>& files);
// What an installation search found.
struct Installation {
  QString directory;  // the executable's folder
  QString exePath;
  QString version;
};
// Checks the executable an installation search found (`nameOk` false: its name is not
// one to accept): when it or its folder cannot be opened, tells the user ("<SHORT>
// executable not found: " + path, "Can't get folder: " + folder) and returns nullopt.
// Else the installation, with its folder stored under [SHORT] Directory when it changed.
std::optional<Installation> CheckInstallation(const Services& services, const QString& shortName,
                                              const QString& candidate, bool nameOk = true);
// `folder` + `exeName`, matched on disk without regard to case. A folder written the
// Windows way (a settings or definition file brought from Windows, or typed by a user who
// knows the game by its drive letter) is found through the Wine prefix.
QString ExecutableInFolder(Wintools& tools, const QString& folder, const QString& exeName);
// True when `relative` (a folder a definition names below `installation`, parts
// separated by '/' or '\', matched without regard to case) ends up outside
// `installation` once ".." and symbolic links are resolved the way the system resolves
// them. An absolute path or a drive letter counts as outside; "" is the folder itself.
bool LeadsOutOf(const QString& installation, const QString& relative);

}  // namespace kolt
