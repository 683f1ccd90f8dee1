#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <functional>

namespace kolt {

// Writes a standard ZIP archive (deflate at the best level) from names relative to a
// root folder. A name's last part may hold the wildcards '*' and '?': "*" stands for
// every file of the root folder, "SPWAW/*" (or "SPWAW\*") for every file of that
// subfolder, which is stored as "SPWAW/file". Subfolders are not entered. Names are
// looked up without regard to case; hidden (dot) files are left out of wildcard
// matches; names that match nothing are passed over silently. Modification times are
// kept. The archive is written beside its final path and renamed into place, so a
// failure leaves no half-written archive.
class ZipWriter final {
  Q_DECLARE_TR_FUNCTIONS(ZipWriter)

 public:
  using LineSink = std::function<void(const QString&)>;

  explicit ZipWriter(LineSink lines);

  // Returns one of the ZipCode values.
  int Zip(const QString& archivePath, const QString& rootFolder, const QStringList& names);
  // The libarchive call that failed as a whole (not because of the files), if any.
  QString FailedCall() const { return m_failedCall; }

 private:
  struct Item {
    QString diskPath;
    QString storedName;
    bool folder = false;
  };
  int Collect(const QString& archivePath, const QString& root, const QStringList& names, QList<Item>* items);

  LineSink m_lines;
  QString m_failedCall;
};

}  // namespace kolt
