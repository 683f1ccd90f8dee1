#pragma once

#include <sys/stat.h>

#include <QByteArray>
#include <QString>

// Whether a name leads to a regular file of its own. A file the program opens because
// someone else named it (received, unpacked, left in a shared folder) is taken only
// when it is one: a link may lead anywhere, and a pipe or device could block a reader.
namespace kolt {

// True when `path` itself is a regular file: not a symbolic link (whatever it leads
// to), folder, pipe, device or socket. `st`, when given, receives its status.
bool IsRegularFile(const QString& path, struct stat* st = nullptr);

// The same for `name` in the folder open as `folderFd` (AT_FDCWD: `name` is a path).
bool IsRegularFileAt(int folderFd, const QByteArray& name, struct stat* st = nullptr);

}  // namespace kolt
