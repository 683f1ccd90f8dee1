#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>
#include <vector>

struct archive;

namespace kolt {

class FileDescriptor;

// What one received archive may unpack to at most.
struct ExtractLimits {
  qint64 maxEntries = 10000;
  qint64 maxBytes = qint64(1) << 30;
};

// Unpacks an archive from an untrusted sender into a folder, or refuses it as a whole.
//
// First pass: every header is read and checked (name below the target, regular file or
// folder only, entry count, the sum of the sizes the headers give) before anything is
// written. Second pass: the files are unpacked into a fresh hidden folder inside the
// target, counting the bytes really written (headers can lie). Only when every entry
// has been unpacked are the files moved into place, overwriting existing ones. A
// refused or damaged archive thus leaves nothing behind.
//
// Files are written with our own calls on explicit paths (a private temporary folder,
// then rename) rather than through libarchive's disk writer: its absolute-path guard
// works relative to the current directory, which would make every extraction change a
// process-wide setting.
class SafeExtractor final {
  Q_DECLARE_TR_FUNCTIONS(SafeExtractor)

 public:
  // Receives the progress and error lines.
  using LineSink = std::function<void(const QString&)>;
  // Asked whenever an encrypted entry needs a (new) password; nullopt skips the entry.
  using PasswordSource = std::function<std::optional<QByteArray>()>;

  SafeExtractor(LineSink lines, PasswordSource password, ExtractLimits limits = {});

  // Returns one of the UnzipCode values.
  int Extract(const QString& archivePath, const QString& targetFolder);
  // The libarchive call that failed as a whole (not because of the archive), if any.
  QString FailedCall() const { return m_failedCall; }

  struct Entry;

 private:
  struct Placement;

  // What an entry's data has written so far, against the limits.
  struct Budget {
    qint64 written = 0;  // bytes really written
    qint64 extents = 0;  // the sizes of the files as a reader sees them
  };

  // `passphrase` set: that one password only, and nobody is asked.
  archive* OpenReader(const QString& archivePath, FileDescriptor* file, int* code,
                      const QByteArray* passphrase = nullptr);
  int Scan(const QString& archivePath, std::vector<Entry>* entries);
  int Unpack(const QString& archivePath, int stagingFd, std::vector<Entry>* entries);
  int CopyData(archive* a, const Entry& entry, int out, Budget* budget, qint64* end, QString* reason);
  int ReadWithOtherPasswords(const QString& archivePath, size_t index, const Entry& entry, int out,
                             Budget* budget, qint64* end, QString* reason);
  int Place(const QString& target, const QString& staging, const std::vector<Entry>& entries);
  int Refuse(const QString& name, const QString& reason);
  static const char* PassphraseCallback(archive* a, void* self);

  LineSink m_lines;
  PasswordSource m_password;
  ExtractLimits m_limits;
  // Every password the player gave in this extraction, in order; a reader is handed
  // these before the player is asked for another.
  std::vector<QByteArray> m_given;
  size_t m_handedOut = 0;   // to the current reader
  bool m_declined = false;  // the player gave no password for the current entry
  QString m_failedCall;
};

}  // namespace kolt
