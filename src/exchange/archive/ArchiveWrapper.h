#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include "exchange/archive/ArchiveLog.h"
#include "exchange/archive/SafeExtractor.h"

namespace kolt {

class UiPort;

// Packs outgoing turns into ZIP archives and unpacks received archives, showing the
// progress in the archive window. One instance lives for the whole run (the password
// "skip" state below lasts as long).
//
// Unpacking: UnzipInit(); SetZipFName(archive); SetExtractRoot(folder); Show(); Unzip().
// Packing:   ZipInit(); SetZipFName(archive); Show(); Zip(archive, root, names).
// Both end with "Done!" or "Retcode: n" / "Return code:n" in the message list; the
// codes are those of ArchiveCodes.h.
class ArchiveWrapper final {
  Q_DECLARE_TR_FUNCTIONS(ArchiveWrapper)

 public:
  ArchiveWrapper(UiPort& ui, ArchiveLog& log);

  // Unzip texts, empty archive and folder fields, no messages.
  void UnzipInit();
  // Zip texts, empty archive and files fields, no messages.
  void ZipInit();
  void SetZipFName(const QString& path);
  void SetExtractRoot(const QString& folder);
  QString ZipFName() const { return m_zipFName; }
  QString ExtractRoot() const { return m_extractRoot; }
  void Show() { m_log.Show(); }
  void Hide() { m_log.Hide(); }

  // Unpacks the archive named by ZipFName into the folder ExtractRoot, overwriting
  // existing files. An unsafe archive (names leaving the folder, links, devices, more
  // than ExtractLimits allow) is refused as a whole. True when the code is 0.
  bool Unzip();
  // Packs `names` (relative to `rootFolder`; "*" = every file of the root folder,
  // "SHORT\*" = every file of that subfolder, stored as "SHORT/file") into a new archive
  // at `archivePath`. The files field shows each name and a blank, "*" shown as the root
  // folder's own name. True when the code is 0.
  bool Zip(const QString& archivePath, const QString& rootFolder, const QStringList& names);

  // The code of the last Unzip or Zip.
  int LastCode() const { return m_lastCode; }

  // The message lines of the last Unzip or Zip that say what went wrong (the progress
  // lines of the files left out), CR-separated: the reason to show after a failure.
  QString FailureText() const;
  // `message`, then a blank line and FailureText when there is one.
  QString WithFailureText(const QString& message) const;

  // Adds text to the message list: one line per LF-separated piece, CR and LF trimmed
  // from both ends, empty pieces left out; then lets the window repaint.
  void AddMessage(const QString& text);

  void SetLimits(const ExtractLimits& limits) { m_limits = limits; }
  const ExtractLimits& Limits() const { return m_limits; }

 private:
  std::optional<QByteArray> AskPassword();

  UiPort& m_ui;
  ArchiveLog& m_log;
  QString m_zipFName;
  QString m_extractRoot;
  ExtractLimits m_limits;
  QStringList m_messages;  // since the last UnzipInit or ZipInit
  int m_lastCode = 0;
  bool m_skipPasswords = false;
};

}  // namespace kolt
