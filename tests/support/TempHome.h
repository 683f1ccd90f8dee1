#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include "core/Settings.h"

namespace kolt::test {

// A temporary home folder with KOLT_HOME, HOME and the XDG folders pointed into it, so
// that nothing a test does reaches the real desktop. The settings path is set to its
// KOLT.INI.
class TempHome {
 public:
  TempHome() {
    m_old[0] = qgetenv("KOLT_HOME");
    m_old[1] = qgetenv("HOME");
    m_old[2] = qgetenv("XDG_DATA_HOME");
    m_old[3] = qgetenv("XDG_CONFIG_HOME");
    qputenv("KOLT_HOME", QFile::encodeName(Path()));
    qputenv("HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/user")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/user/.local/share")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/user/.config")));
    QDir().mkpath(Path());
    QDir().mkpath(m_dir.path() + QStringLiteral("/user"));
    SetSettingsPath(Ini());
    // Qt takes the user's configuration folder once per process; its own settings (a
    // file dialog's, say) would otherwise go to the first test's home, long removed.
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
      QSettings::setPath(format, QSettings::UserScope, m_dir.path() + QStringLiteral("/user/.config"));
  }
  ~TempHome() {
    const char* names[] = {"KOLT_HOME", "HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"};
    for (int i = 0; i < 4; ++i) {
      if (m_old[i].isNull())
        qunsetenv(names[i]);
      else
        qputenv(names[i], m_old[i]);
    }
    SetSettingsPath(QString());
    ClearIniCache();
  }
  TempHome(const TempHome&) = delete;
  TempHome& operator=(const TempHome&) = delete;

  QString Root() const { return m_dir.path(); }
  QString Path() const { return m_dir.path() + QStringLiteral("/home"); }
  QString Ini() const { return Path() + QStringLiteral("/KOLT.INI"); }
  QString File(const QString& relative) const { return Path() + QChar('/') + relative; }

 private:
  QTemporaryDir m_dir;
  QByteArray m_old[4];
};

// Small file helpers for fixtures.
inline bool WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return f.write(bytes) == bytes.size();
}
// Writes a stand-in program (a shell script, say) that the owner may run.
inline bool WriteScript(const QString& path, const QByteArray& bytes) {
  return WriteFile(path, bytes) &&
         QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
inline QByteArray ReadFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return QByteArray();
  return f.readAll();
}
// Sets the file's last modification time; a failure of the test when it cannot.
inline void SetModified(const QString& path, const QDateTime& when) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite)) << path.toStdString();
  ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime)) << path.toStdString();
}

}  // namespace kolt::test
