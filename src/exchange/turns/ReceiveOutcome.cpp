#include "exchange/turns/ReceiveOutcome.h"

#include <QDir>
#include <QFileInfo>

#include "core/FileNames.h"
#include "core/TextCodec.h"
#include "exchange/turns/TurnExchange.h"

namespace kolt {

ReceiveOutcome ReceiveOutcome::Of(bool taken, const ReceiveRecords& before, const ReceiveRecords& after,
                                  const ProgramList& programs) {
  ReceiveOutcome outcome;
  if (!taken) {
    outcome.kind = Kind::Refused;
    outcome.reason = tr("see the message above");
    return outcome;
  }
  if (after.failed != before.failed) {
    outcome.kind = Kind::Stopped;
    outcome.reason = tr("copying the received files stopped, see the message above");
    return outcome;
  }
  if (after.declined != before.declined) {
    outcome.kind = Kind::Declined;
    outcome.reason = tr("the older files were not confirmed");
    return outcome;
  }
  if (after.batches != before.batches &&
      after.filesCopied + after.filesInPlace != before.filesCopied + before.filesInPlace)
    return outcome;

  const QString root = TurnExchange::ReceiveFolder();
  QStringList installed, programFolders;
  for (const ProgramPtr& p : programs) {
    installed.append(p->GetShortName());
    const QString folder = FindEntryNoCase(root, p->GetShortName());
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) programFolders.append(QFileInfo(folder).fileName());
  }
  if (!programFolders.isEmpty()) {
    outcome.kind = Kind::NoFiles;
    outcome.reason =
        tr("its folder %1 holds no files for the program").arg(programFolders.join(QStringLiteral(", ")));
    return outcome;
  }
  QStringList held;
  for (const QFileInfo& e : QDir(root).entryInfoList(
           QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
    // A link is not followed: the archive's own folders are real ones.
    const bool folder = e.isDir() && !e.isSymLink();
    held.append(folder ? e.fileName() + QChar('/') : e.fileName());
    if (folder) outcome.folders.append(e.fileName());
  }
  outcome.kind = Kind::NoProgram;
  //: %1: the installed programs' short names (or "none"), %2: the archive's entries (or "nothing")
  outcome.reason =
      tr("the archive holds no folder of an installed program (installed: %1; the archive holds: %2)")
          .arg(installed.isEmpty() ? tr("none") : installed.join(QStringLiteral(", ")),
               held.isEmpty() ? tr("nothing") : SafeForDisplay(held.join(QStringLiteral(", ")), QChar('?')));
  return outcome;
}

}  // namespace kolt
