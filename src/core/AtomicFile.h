#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <QString>

// Files written so that a crash, a full disk or a reader at the wrong moment never sees
// half of them: the bytes go to a hidden temporary file beside the destination, are
// flushed to disk, and the temporary is renamed over the destination.
namespace kolt {

// An open file descriptor, closed when the holder goes. Move-only: a copy would close
// the descriptor twice.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() { Reset(); }
  FileDescriptor(FileDescriptor&& other) noexcept : m_fd(other.Release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int Get() const { return m_fd; }
  bool IsOpen() const { return m_fd >= 0; }
  // Gives the descriptor up without closing it.
  int Release();
  // Closes now; false (errno set) when the close reported an error (a write that failed
  // late, on some file systems).
  [[nodiscard]] bool Close();
  void Reset();

 private:
  int m_fd = -1;
};

// Which permissions the new file gets.
enum class Permissions {
  KeepExisting,  // those of the file it replaces; the given mode when there is none
  Exactly,       // the given mode (a password file stays 0600 whatever it replaces)
};

// The NAME part of a temporary ".NAME" + `suffixBytes` more bytes beside the file
// `fileName`, as bytes on disk: the name itself when the whole fits into a file name
// (255 bytes), else its first bytes (whole characters) with "~" and a hash of the full
// name, so that a temporary can be made beside every file that can exist.
QByteArray TemporaryStem(const QString& fileName, int suffixBytes);

// One atomic replacement of `destination`. The temporary is ".NAME.XXXXXX" in the same
// folder (so the rename stays on one file system; NAME shortened by TemporaryStem when
// the destination's name is long); it is created exclusively, so no link in its place is
// followed, and removed again unless Commit succeeds.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(const QString& destination);
  // The file `name` (a plain file name) in the folder open as `folderFd`, which must stay
  // open until the writer is done: the temporary is made, renamed and removed relative
  // to that folder, so a link planted in its place on the way cannot lead elsewhere.
  AtomicFileWriter(int folderFd, const QString& name);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Creates the temporary. `mode` is a permission mask; with KeepExisting it applies only
  // when nothing is replaced. False (errno set) when it cannot be created.
  [[nodiscard]] bool Open(Permissions permissions, mode_t mode);
  // Names the temporary ".NAME.TAG" (TAG: six letters or digits) instead of a random
  // name, so that whoever knows the tag can tell the temporary's writer (a journal of
  // the work). Falls back to a random name when that one exists. Call before Open.
  void SetTemporaryTag(const QByteArray& tag) { m_tag = tag; }
  // Leaves out the flush to disk before the rename, for files the program can do
  // without (a cache): after a crash the destination may be empty or old, never mixed.
  void SetFlushToDisk(bool flush) { m_flush = flush; }
  // The temporary's descriptor, for writers that need more than Write (times, libraries).
  int Fd() const { return m_fd.Get(); }
  [[nodiscard]] bool Write(const char* data, qsizetype size);
  [[nodiscard]] bool Write(const QByteArray& bytes) { return Write(bytes.constData(), bytes.size()); }
  // Flushes the bytes to disk (see SetFlushToDisk), closes the temporary and renames it
  // over the destination.
  // False (errno set) when the destination was not replaced; the temporary is gone then.
  [[nodiscard]] bool Commit();
  // Removes the temporary; the destination stays as it was.
  void Discard();

  // The pattern of temporaries left by a writer killed before its rename, for clean-up
  // by callers that know no other writer is at work ("NAME" -> ".NAME.??????").
  static QString TemporaryPattern(const QString& fileName);

 private:
  int m_folderFd;  // AT_FDCWD: m_destination is a path
  QString m_destination;
  QByteArray m_temporary;  // relative to m_folderFd; empty when there is none
  QByteArray m_tag;
  FileDescriptor m_fd;
  bool m_flush = true;
};

}  // namespace kolt
