#pragma once

#include <fcntl.h>

#include <QByteArray>
#include <QList>
#include <QString>

// File operations of the receiving engine that must never lose a player's turn files.
namespace kolt {

// True when `name` is one plain file name: not empty, not "." or "..", without a path
// separator ('/' or '\'), a NUL or another control character. Received names come from
// other people; anything else could reach outside the folder it is meant for.
bool IsPlainFileName(const QString& name);

// A file named relative to an open folder (TargetFolder), or by its path (folder
// AT_FDCWD). The receive names the files it writes this way, so that no part of the
// path can be swapped for a link between its checks and its writes.
struct FileAt {
  int folder = AT_FDCWD;
  QString name;  // a plain file name, or the path with AT_FDCWD
  QString path;  // the full path, for messages and the pass's snapshot

  static FileAt Path(const QString& path) { return FileAt{AT_FDCWD, path, path}; }
  QByteArray Native() const;
};

// Copies `source` over `dest` so that `dest` is at every moment either the old file or
// the complete new one: the bytes go to a temporary file in dest's folder (synced to
// disk), which then replaces `dest` by a rename. The copy keeps the modification time
// of `source` (the status of a game is read from it) and the permissions of the file it
// replaces. `source` must be a regular file, and `dest` must not be a folder. False,
// with `reason` set, when nothing was replaced. `tag` (six letters or digits) names the
// temporary ".NAME.TAG" for a caller that journals its work; random otherwise.
[[nodiscard]] bool ReplaceWithCopy(const FileAt& source, const FileAt& dest, QString* reason = nullptr,
                                   const QByteArray& tag = QByteArray());
[[nodiscard]] inline bool ReplaceWithCopy(const QString& source, const QString& dest,
                                          QString* reason = nullptr, const QByteArray& tag = QByteArray()) {
  return ReplaceWithCopy(FileAt::Path(source), FileAt::Path(dest), reason, tag);
}

// Makes `backup` a faithful copy of `file` as it is now, replacing an older backup
// atomically. Where the file system allows, the backup is a second name of the file
// itself (no bytes copied, nothing more to flush): the caller replaces `file` by a new
// file right after, so the old turn lives on under the backup's name alone. Elsewhere
// (a FAT drive, another file system) the bytes are copied as ReplaceWithCopy does. A
// backup that is already a second name of the file is left as it is.
bool KeepAsBackup(const FileAt& file, const FileAt& backup, QString* reason = nullptr,
                  const QByteArray& tag = QByteArray());
inline bool KeepAsBackup(const QString& file, const QString& backup, QString* reason = nullptr,
                         const QByteArray& tag = QByteArray()) {
  return KeepAsBackup(FileAt::Path(file), FileAt::Path(backup), reason, tag);
}

// Removes `path` (a file or link) when it is there and tells the pass's snapshot; true
// when nothing is left under that name, else errno says why.
bool RemoveIfPresent(const FileAt& file);
inline bool RemoveIfPresent(const QString& path) {
  return RemoveIfPresent(FileAt::Path(path));
}

// True when `a` and `b` are regular files with the same bytes. Neither is opened when it
// is something else (a pipe, a device).
bool SameContent(const QString& a, const QString& b);

// True when `name` has the exact form of a temporary file this program makes beside a
// file it replaces: ".NAME.XXXXXX" (six letters or digits) or ".NAME.link.PID".
bool IsOwnTemporaryName(const QString& name);

// Removes from `folder` the temporary files a copy killed in the middle left behind:
// regular files of this user with a name of that form whose writer is known to be gone
// (".NAME.link.PID" of a process that no longer runs, ".NAME.TAG" with one of
// `deadTags`), or else unchanged for `minAgeSeconds`. Returns how many went.
int RemoveStaleTemporaries(const QString& folder, qint64 minAgeSeconds,
                           const QList<QByteArray>& deadTags = {});
// The same in the folder `path` open as `folderFd`.
int RemoveStaleTemporaries(int folderFd, const QString& path, qint64 minAgeSeconds,
                           const QList<QByteArray>& deadTags = {});

// True when `copy` is a regular file with the size and modification time of `original`
// and the same bytes.
bool IsFaithfulCopy(const FileAt& original, const FileAt& copy);
inline bool IsFaithfulCopy(const QString& original, const QString& copy) {
  return IsFaithfulCopy(FileAt::Path(original), FileAt::Path(copy));
}

}  // namespace kolt
