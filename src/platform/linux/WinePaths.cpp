#include "platform/linux/WinePaths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include "core/FileNames.h"

namespace kolt {

QString DefaultWinePrefix() {
  const QString env = qEnvironmentVariable("WINEPREFIX");
  if (!env.isEmpty()) return QDir::cleanPath(env);
  return QDir::homePath() + QStringLiteral("/.wine");
}

QString WinePrefixOf(const QString& unixPath) {
  const QString clean = QDir::cleanPath(QFileInfo(unixPath).absoluteFilePath());
  const QStringList parts = clean.split(QChar('/'));
  // The innermost drive_c wins: a prefix kept inside another prefix's C: drive is its own.
  for (qsizetype i = parts.size() - 1; i > 0; --i) {
    if (parts[i].compare(QLatin1String("drive_c"), Qt::CaseInsensitive) == 0) {
      const QString prefix = parts.mid(0, i).join(QChar('/'));
      return prefix.isEmpty() ? QStringLiteral("/") : prefix;
    }
  }
  return QString();
}

QString UnixToWindowsPath(const QString& unixPath) {
  const QString clean = QDir::cleanPath(QFileInfo(unixPath).absoluteFilePath());
  const QString prefix = WinePrefixOf(clean);
  if (!prefix.isEmpty()) {
    const qsizetype skip = (prefix == QStringLiteral("/") ? 0 : prefix.size()) + 1 + 7;  // "/drive_c"
    QString rest = clean.mid(skip);
    rest.replace(QChar('/'), QChar('\\'));
    if (!rest.startsWith(QChar('\\'))) rest.prepend(QChar('\\'));
    return QStringLiteral("C:") + rest;
  }
  QString path = clean;
  path.replace(QChar('/'), QChar('\\'));
  return QStringLiteral("Z:") + path;
}

QString WindowsToUnixPath(const QString& prefix, const QString& windowsPath) {
  if (windowsPath.size() < 2 || windowsPath[1] != QChar(':') || !windowsPath[0].isLetter() ||
      windowsPath[0].unicode() > 127)
    return QString();
  const QString rest = windowsPath.mid(2);
  if (!rest.isEmpty() && rest[0] != QChar('\\') && rest[0] != QChar('/')) return QString();  // "C:relative"
  QStringList parts = rest.split(QRegularExpression(QStringLiteral("[\\\\/]")));
  parts.removeAll(QString());
  for (const QString& part : parts) {
    if (part == QStringLiteral(".") || part == QStringLiteral("..")) return QString();
  }

  const QString letter = windowsPath.left(1).toLower();
  const QString device = prefix + QStringLiteral("/dosdevices/") + letter + QChar(':');
  QString root;
  QFileInfo link(device);
  if (link.exists()) {
    root = link.canonicalFilePath();
  } else if (letter == QStringLiteral("c") && QFileInfo(prefix + QStringLiteral("/drive_c")).isDir()) {
    root = prefix + QStringLiteral("/drive_c");  // a prefix whose dosdevices were not made yet
  } else if (letter == QStringLiteral("z")) {
    root = QStringLiteral("/");
  } else {
    return QString();
  }
  if (parts.isEmpty()) return root;
  const QString resolved = ResolveNoCase(root, parts.join(QChar('/')));
  return QDir::cleanPath(resolved);
}

}  // namespace kolt
