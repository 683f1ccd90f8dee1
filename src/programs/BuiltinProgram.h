#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "core/FolderSnapshot.h"
#include "model/Program.h"
#include "model/Services.h"

namespace kolt {

// What every adapter shares (the built-in ones and CUSTOM): the installation search with
// its stored folder, the program status from the executable, Run, and taking in
// received files through the receive batch. Subclasses name their uninstall entries and
// add their own steps after a successful check, and say what each received file is.
// Program is a virtual base, so that CUSTOM can be a UserProgram as well.
class BuiltinProgram : public virtual Program {
 public:
  explicit BuiltinProgram(const Services& services) : m_services(services) {}

  bool Installed(bool rescan) override;
  void NotInstalled() override;
  QString GetDirectory() const override { return m_directory; }
  QString GetVersion() const override { return m_version; }
  ProgramState GetStatus() const override;
  bool Run(WindowHandle window) override;
  // Hands every file in `folder` to the receive batch as ReceivedFileKind describes it;
  // a file it does not know adds "Unknown file type: " + name to the warning.
  void ReceivedFiles(const QString& folder, const QString& sender, bool plain) override;

  // The executable found by Installed.
  QString GetExePath() const { return m_exePath; }
  const Services& GetServices() const { return m_services; }

 protected:
  // The uninstall entries to look the program up under, in order; none means the user
  // is asked at once.
  virtual QStringList UninstallKeys() const { return {}; }
  // Checked before anything else; false: not installed (the subclass told the user why).
  virtual bool MayInstall() { return true; }
  // False when the executable's name is not one to accept.
  virtual bool ExeNameAcceptable() const { return true; }
  // Runs after the folder and the version are known; its result is Installed's.
  virtual bool AfterInstalled(bool rescan) {
    (void)rescan;
    return !m_directory.isEmpty();
  }
  // `folder` + the executable's name, matched on disk without regard to case.
  QString ExecutableIn(const QString& folder) const;

  // What one received file is to the program.
  struct ReceivedFile {
    QString subfolder;      // below the installation: the target folder and the record key
    bool sameIsOld = true;  // an equal modification time counts as old
    bool primary = false;   // names a game; its installed copy's address meets the sender's
    QString extra;          // for another file, the game it belongs to ("" when none)
  };
  // What the received file `name` is; nullopt for a file the program does not know.
  virtual std::optional<ReceivedFile> ReceivedFileKind(const QString& name) const = 0;
  // A fresh, unbound game of the program.
  virtual std::shared_ptr<Game> NewGame() const = 0;
  // The address a received primary file is checked against: that of `installed`, the
  // game it replaces (bound, maybe not valid).
  virtual QString StoredAddress(const Game& installed) const;
  // Checked before a receive begins; false stops it (the subclass told the user why).
  virtual bool MayReceive() { return true; }
  // Lines for the warning text once every received file was looked at.
  virtual QStringList ReceivedWarnings(const QStringList& names) const {
    (void)names;
    return {};
  }

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
