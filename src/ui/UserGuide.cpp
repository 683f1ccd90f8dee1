#include "ui/UserGuide.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include "core/Startup.h"
#include "core/UiPort.h"

namespace kolt {

QStringList UserGuide::Candidates(const QString& executableFolder) {
  const QDir folder(executableFolder);
  return {
      // A portable copy keeps its readme beside the program.
      folder.filePath(QStringLiteral("kolt.htm")),
      QDir::cleanPath(folder.filePath(QStringLiteral(KOLT_GUIDE_FROM_BINDIR))),
      QStringLiteral(KOLT_GUIDE_HTML),
  };
}

QStringList UserGuide::Candidates() {
  if (!App().executablePath.isEmpty()) return Candidates(QFileInfo(App().executablePath).absolutePath());
  return Candidates(QCoreApplication::applicationDirPath());
}

QString UserGuide::Find(const QStringList& candidates) {
  for (const QString& path : candidates) {
    const QFileInfo info(path);
    if (info.isFile() && info.isReadable()) return info.absoluteFilePath();
  }
  return QString();
}

bool UserGuide::Open(UiPort& ui, const QStringList& candidates, const Opener& opener) {
  const QString path = Find(candidates);
  if (path.isEmpty()) {
    ui.MsgBox(tr("The user guide is not installed. It was looked for in:") + QChar('\r') +
                  candidates.join(QChar('\r')),
              Buttons::Ok, Icon::Exclamation);
    return false;
  }
  const QUrl url = QUrl::fromLocalFile(path);
  const bool opened = opener ? opener(url) : QDesktopServices::openUrl(url);
  if (!opened) {
    ui.MsgBox(tr("The user guide %1 could not be opened: no program to show web pages was found.").arg(path),
              Buttons::Ok, Icon::Exclamation);
  }
  return opened;
}

}  // namespace kolt
