#include "core/Startup.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <cerrno>

#include "core/AppSettings.h"
#include "core/FileNames.h"
#include "core/Settings.h"
#include "core/UiPort.h"
#include "core/Utilities.h"

namespace kolt {
namespace {

int g_lockFd = -1;

QString EnvPath(const char* name) {
  return QFile::decodeName(qgetenv(name));
}

QString XdgDir(const char* variable, const QString& fallbackBelowHome) {
  QString v = EnvPath(variable);
  if (!v.isEmpty() && QDir::isAbsolutePath(v)) return v;
  return QDir::homePath() + QChar('/') + fallbackBelowHome;
}

QString SignedNumber(double v) {
  QString s = FormatGeneralNumber(v);
  if (!s.startsWith(QChar('-'))) s.prepend(QChar('+'));
  return s;
}

// Writes `contents` unless the file already holds exactly that. Sets errno on failure.
bool WriteIfChanged(const QString& path, const QByteArray& contents, bool* changed) {
  QFile existing(path);
  if (existing.open(QIODevice::ReadOnly) && existing.readAll() == contents) return true;
  existing.close();
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  errno = 0;
  if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.commit()) {
    if (errno == 0) errno = EIO;
    return false;
  }
  *changed = true;
  return true;
}

// Quotes a path for the Exec key of a desktop entry.
QString DesktopExecQuote(const QString& path) {
  QString q;
  for (QChar c : path) {
    if (c == QChar('"') || c == QChar('`') || c == QChar('$') || c == QChar('\\')) q += QChar('\\');
    q += c;
  }
  q.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));  // string-value escaping of the file format
  q.replace(QStringLiteral("%"), QStringLiteral("%%"));
  return QChar('"') + q + QChar('"');
}

// Sets `key=value` in the [Default Applications] group of a mimeapps.list.
QByteArray WithDefaultApplication(const QByteArray& list, const QByteArray& key, const QByteArray& value) {
  QList<QByteArray> lines = list.split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  const QByteArray group = "[Default Applications]";
  qsizetype groupAt = -1;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (lines[i].trimmed() == group) {
      groupAt = i;
      break;
    }
  }
  const QByteArray entry = key + '=' + value;
  if (groupAt < 0) {
    if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines.append(QByteArray());
    lines.append(group);
    lines.append(entry);
  } else {
    qsizetype i = groupAt + 1;
    qsizetype insertAt = i;
    for (; i < lines.size() && !lines[i].trimmed().startsWith('['); ++i) {
      const QByteArray t = lines[i].trimmed();
      if (t.startsWith(key + '=')) {
        lines[i] = entry;
        return lines.join('\n') + '\n';
      }
      if (!t.isEmpty()) insertAt = i + 1;
    }
    lines.insert(insertAt, entry);
  }
  return lines.join('\n') + '\n';
}

// Removes a file when it exists. Sets errno on failure.
bool RemoveIfPresent(const QString& path, bool* changed) {
  if (!QFileInfo(path).isSymLink() && !QFileInfo::exists(path)) return true;
  errno = 0;
  if (!QFile::remove(path)) {
    if (errno == 0) errno = EACCES;
    return false;
  }
  *changed = true;
  return true;
}

// The folders the desktop searches for system-wide data (XDG base directories).
QStringList XdgDataDirs() {
  QStringList dirs;
  for (const QString& d : EnvPath("XDG_DATA_DIRS").split(QChar(':'), Qt::SkipEmptyParts))
    if (QDir::isAbsolutePath(d)) dirs.append(d);
  if (dirs.isEmpty()) dirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
  return dirs;
}

// The share folder of the prefix this program is installed in (PREFIX/bin/kolt-helper)
// when that prefix ships our desktop entry and MIME type and the desktop searches it;
// empty for a build tree or a copy anywhere else.
QString InstalledShareFolder(const QString& executablePath) {
  const QFileInfo exe(executablePath);
  const QString real = exe.canonicalFilePath().isEmpty() ? exe.absoluteFilePath() : exe.canonicalFilePath();
  const QDir bin = QFileInfo(real).absoluteDir();
  if (bin.dirName() != QStringLiteral("bin") && bin.dirName() != QStringLiteral("games")) return QString();
  QString share = QFileInfo(bin.absolutePath() + QStringLiteral("/../share")).canonicalFilePath();
  if (share.isEmpty()) return QString();
  bool searched = false;
  for (const QString& d : XdgDataDirs()) searched = searched || QFileInfo(d).canonicalFilePath() == share;
  if (!searched) return QString();
  if (!QFileInfo(share + QStringLiteral("/applications/kolt-helper.desktop")).isFile() ||
      !QFileInfo(share + QStringLiteral("/mime/packages/kolt-helper.xml")).isFile())
    return QString();
  return share;
}

void RunQuietly(const QString& program, const QStringList& arguments) {
  const QString found = QStandardPaths::findExecutable(program);
  if (found.isEmpty()) return;
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(found, arguments);
  if (!p.waitForFinished(10000)) p.kill();
}

}  // namespace

AppValues& App() {
  static AppValues values;
  return values;
}

QString HomeFile(const QString& name) {
  QString home = App().homeFolder;
  if (home.isEmpty()) home = qEnvironmentVariable("KOLT_HOME");
  return home + QChar('/') + name;
}

QString ResolveHomeFolder(const QString& executableFolder) {
  QString home = EnvPath("KOLT_HOME");
  if (home.isEmpty() && !executableFolder.isEmpty()) {
    const QString ini = FindEntryNoCase(executableFolder, QStringLiteral("KOLT.INI"));
    if (!ini.isEmpty() && QFileInfo(executableFolder).isWritable() && QFileInfo(ini).isWritable())
      home = executableFolder;
  }
  if (home.isEmpty())
    home = XdgDir("XDG_DATA_HOME", QStringLiteral(".local/share")) + QStringLiteral("/kolt");
  home = QDir::cleanPath(QDir(home).absolutePath());
  QDir().mkpath(home);
  return home;
}

QString ProgramVersion() {
  return QStringLiteral("%1.%2.%3").arg(KOLT_VERSION_MAJOR).arg(KOLT_VERSION_MINOR).arg(KOLT_VERSION_PATCH);
}

TimeZoneInfo ReadTimeZone(std::time_t when) {
  if (when == 0) when = std::time(nullptr);
  tzset();
  struct tm local {};
  localtime_r(&when, &local);
  const int offset = static_cast<int>(local.tm_gmtoff / 60);  // minutes east of UTC, DST included
  int base;
  QString extra;
  QString name;
  int total;
  // A zone whose "daylight" time sets the clock back (Irish winter time: GMT marked as
  // daylight time one hour behind IST) reads as the plain offset it is.
  const int daylightShift = -offset - static_cast<int>(timezone / 60);
  if (local.tm_isdst > 0 && daylightShift < 0) {
    base = static_cast<int>(timezone / 60);  // the zone's standard bias, minutes west
    total = base + daylightShift;
    extra = SignedNumber(-daylightShift / 60.0);
    name = QString::fromLocal8Bit(local.tm_zone ? local.tm_zone : "");
  } else if (local.tm_isdst > 0) {
    base = -offset;
    total = base;
    name = QString::fromLocal8Bit(local.tm_zone ? local.tm_zone : "");
  } else {
    base = -offset;
    total = base;
    // Only a zone with daylight rules is in "standard time"; one without has no name.
    if (daylight) name = QString::fromLocal8Bit(local.tm_zone ? local.tm_zone : "");
  }
  TimeZoneInfo info;
  info.totalBias = total;
  info.text = QStringLiteral("(GMT") + SignedNumber(-base / 60.0) + extra + QStringLiteral(") ") + name;
  return info;
}

QString AcquireInstanceFolder(const QString& home) {
  ReleaseInstanceFolder();
  for (int n = 0; n < 100000; ++n) {
    QString folder = home + QChar('/') + QString::number(n);
    if (QFileInfo::exists(folder) && !QFileInfo(folder).isDir()) continue;  // a file in the way
    QDir().mkdir(folder);
    if (!QFileInfo(folder).isDir()) return QString();  // nothing can be created: give up
    const QByteArray lock = QFile::encodeName(folder + QStringLiteral("/lock.txt"));
    // Close-on-exec: a game started from here must not inherit (and keep) the lock.
    int fd = ::open(lock.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      if (::ftruncate(fd, 0) == 0) {
        QByteArray pid = QByteArray::number(static_cast<qint64>(::getpid())) + '\n';
        if (::write(fd, pid.constData(), pid.size()) < 0) {
          // the lock is what counts, not the text
        }
      }
      g_lockFd = fd;
      return folder;
    }
    ::close(fd);
  }
  return QString();
}

void ReleaseInstanceFolder() {
  if (g_lockFd >= 0) ::close(g_lockFd);
  g_lockFd = -1;
}

QString NextToken(QString& text) {
  auto isSpace = [](QChar c) {
    return c == QChar(' ') || c == QChar('\t') || c == QChar('\r') || c == QChar('\n');
  };
  qsizetype i = 0;
  while (i < text.size() && isSpace(text[i])) ++i;
  QString token;
  if (i < text.size() && text[i] == QChar('"')) {
    ++i;
    for (;;) {
      if (i >= text.size()) {
        text.clear();
        return token;
      }
      if (text[i] == QChar('"')) {
        if (i + 1 < text.size() && text[i + 1] == QChar('"')) {
          token += QChar('"');
          i += 2;
          continue;
        }
        text = text.mid(i + 1);
        return token;
      }
      token += text[i++];
    }
  }
  qsizetype start = i;
  while (i < text.size() && !isSpace(text[i])) ++i;
  token = text.mid(start, i - start);
  text = text.mid(i);
  return token;
}

bool ParseCommandLine(const QStringList& arguments, QString* file, QString* badToken) {
  file->clear();
  for (const QString& argument : arguments) {
    if (argument.isEmpty()) continue;
    if (file->isEmpty()) {
      *file = argument;
    } else {
      *badToken = argument;
      return false;
    }
  }
  return true;
}

void RegisterFileAssociation(UiPort& ui, const QString& executablePath) {
  const QString dataHome = XdgDir("XDG_DATA_HOME", QStringLiteral(".local/share"));
  const QString configHome = XdgDir("XDG_CONFIG_HOME", QStringLiteral(".config"));
  const QString mimeFile = dataHome + QStringLiteral("/mime/packages/kolt-helper.xml");
  const QString desktopFile = dataHome + QStringLiteral("/applications/kolt-helper.desktop");
  const QString mimeApps = configHome + QStringLiteral("/mimeapps.list");
  const auto reportFailure = [&ui] {
    ui.ShowError(QCoreApplication::translate("Startup", "RegSet failed: %1").arg(errno));
  };

  bool mimeChanged = false;
  bool desktopChanged = false;
  if (!InstalledShareFolder(executablePath).isEmpty()) {
    // The system's entry names this program; a user-level one of the same name would
    // hide it, and one left by a run from a build tree may name a program long gone.
    if (!RemoveIfPresent(mimeFile, &mimeChanged)) reportFailure();
    if (!RemoveIfPresent(desktopFile, &desktopChanged)) reportFailure();
  } else {
    const QByteArray mimeXml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-kolt-turn\">\n"
        "    <comment>KOLT turn archive</comment>\n"
        "    <sub-class-of type=\"application/zip\"/>\n"
        "    <glob pattern=\"*.klt\" weight=\"60\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n";
    const QByteArray desktop = QByteArray(
                                   "[Desktop Entry]\n"
                                   "Type=Application\n"
                                   "Name=KOLT Helper\n"
                                   "Comment=Play-by-e-mail turns of war and strategy games\n"
                                   "Exec=") +
                               DesktopExecQuote(executablePath).toUtf8() +
                               " %f\n"
                               "Icon=kolt-helper\n"
                               "Terminal=false\n"
                               "Categories=Game;StrategyGame;\n"
                               "MimeType=application/x-kolt-turn;\n";
    if (!WriteIfChanged(mimeFile, mimeXml, &mimeChanged)) reportFailure();
    if (!WriteIfChanged(desktopFile, desktop, &desktopChanged)) reportFailure();
  }

  QFile apps(mimeApps);
  QByteArray current;
  if (apps.open(QIODevice::ReadOnly)) current = apps.readAll();
  apps.close();
  bool appsChanged = false;
  if (!WriteIfChanged(mimeApps,
                      WithDefaultApplication(current, "application/x-kolt-turn", "kolt-helper.desktop"),
                      &appsChanged))
    reportFailure();

  if (mimeChanged) RunQuietly(QStringLiteral("update-mime-database"), {dataHome + QStringLiteral("/mime")});
  if (desktopChanged)
    RunQuietly(QStringLiteral("update-desktop-database"), {dataHome + QStringLiteral("/applications")});
}

QString FindArchiveTool() {
  return QStandardPaths::findExecutable(QStringLiteral("unar"));
}

bool RunStartup(UiPort& ui, const QStringList& arguments, const QString& executablePath,
                bool registerAssociation) {
  AppValues& app = App();
  // A file named on the command line is relative to where the program was started, not
  // to the instance folder that becomes the current folder below.
  const QDir startFolder(QDir::currentPath());
  app.executablePath = executablePath;
  app.homeFolder = ResolveHomeFolder(QFileInfo(executablePath).absolutePath());
  QString settings = FindEntryNoCase(app.homeFolder, QStringLiteral("KOLT.INI"));
  app.settingsPath = settings.isEmpty() ? app.homeFolder + QStringLiteral("/KOLT.INI") : settings;
  SetSettingsPath(app.settingsPath);
  if (IniFileTooLarge()) {
    // Refused before anything reads or writes it: running on would take every value as
    // its default and then write a new file over the player's.
    ui.MsgBox(QCoreApplication::translate("Startup",
                                          "%1 is larger than 64 MB and is not read. No settings file is "
                                          "that large: move it away or put a backup in its place.")
                  .arg(app.settingsPath),
              Buttons::Ok, Icon::Critical);
    return false;
  }

  app.version = ProgramVersion();
  const TimeZoneInfo zone = ReadTimeZone();
  app.timeZoneText = zone.text;
  app.totalBias = zone.totalBias;

  app.instanceFolder = AcquireInstanceFolder(app.homeFolder);
  if (app.instanceFolder.isEmpty() || !QDir::setCurrent(app.instanceFolder)) {
    ui.ShowError(
        QCoreApplication::translate("Startup", "Can't get file: %1")
            .arg(app.instanceFolder.isEmpty() ? app.homeFolder + QStringLiteral("/0") : app.instanceFolder));
  }

  app.workingFolder = WorkingFolderSetting();

  QString bad;
  if (!ParseCommandLine(arguments, &app.commandLineFile, &bad)) {
    ui.ShowError(QCoreApplication::translate("Startup", "Invalid command line option: %1").arg(bad));
    return false;
  }
  if (!app.commandLineFile.isEmpty()) app.commandLineFile = startFolder.absoluteFilePath(app.commandLineFile);
  if (app.commandLineFile.isEmpty()) {
    if (registerAssociation) RegisterFileAssociation(ui, executablePath);
    // Only empty keys would go, so a failure loses nothing (the file may not exist yet);
    // the first write that matters tells the user when the file cannot be written.
    (void)CompactIniFile(app.settingsPath);
  }
  SeedRandom();
  app.archiveTool = FindArchiveTool();
  return true;
}

}  // namespace kolt
