#pragma once

#include <QCoreApplication>
#include <QString>

namespace kolt {

class UiPort;

// Unpacks the archive formats that libarchive does not read (StuffIt, ARJ, ARC, ACE,
// single gzip/bzip2 files...) with the external tool `unar`. The archive comes from
// someone else, so it is treated like the in-process extractor treats archives: its
// listing (`lsar`, beside the tool) must name only plain files and folders below the
// target, the tool unpacks into a fresh hidden folder inside the target, that folder is
// checked again (regular files and folders only, bounded size), and only then are the
// files moved into place. Anything else leaves the target as it was.
class ToolUnpacker final {
  Q_DECLARE_TR_FUNCTIONS(ToolUnpacker)

 public:
  // `tool`: the unar executable. `ui` lets the window repaint while the tool runs.
  ToolUnpacker(UiPort& ui, QString tool);

  // False (with Reason()) when the archive was not unpacked.
  bool Unpack(const QString& archivePath, const QString& targetFolder);
  QString Reason() const { return m_reason; }

  // At most this many bytes in all.
  static constexpr qint64 kMaxBytes = qint64(1) << 30;
  // At most this many entries.
  static constexpr int kMaxEntries = 10000;

 private:
  // Bytes the files below `folder` take on disk.
  static qint64 FolderBytes(const QString& folder);
  // `watchFolder`, when given, is measured while the program runs; the program is
  // stopped once the folder holds more than the unpacking limit.
  bool Run(const QString& program, const QStringList& arguments, const QString& folder, QByteArray* output,
           const QString& watchFolder = QString());
  bool ListingIsSafe(const QString& archivePath);
  bool Fail(const QString& reason);

  UiPort& m_ui;
  QString m_tool;
  QString m_reason;
};

}  // namespace kolt
