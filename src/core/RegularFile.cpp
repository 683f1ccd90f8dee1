#include "core/RegularFile.h"

#include <fcntl.h>

#include <QFile>

namespace kolt {

bool IsRegularFile(const QString& path, struct stat* st) {
  return !path.isEmpty() && IsRegularFileAt(AT_FDCWD, QFile::encodeName(path), st);
}

bool IsRegularFileAt(int folderFd, const QByteArray& name, struct stat* st) {
  struct stat own {};
  struct stat* out = st ? st : &own;
  return !name.isEmpty() && ::fstatat(folderFd, name.constData(), out, AT_SYMLINK_NOFOLLOW) == 0 &&
         S_ISREG(out->st_mode);
}

}  // namespace kolt
