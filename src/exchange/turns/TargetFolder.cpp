#include "exchange/turns/TargetFolder.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>
#include <cerrno>

namespace kolt {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

}  // namespace

bool TargetFolder::Open(const QString& path) {
  m_path = path;
  m_fd = FileDescriptor(::open(QFile::encodeName(path).constData(), kFolderFlags));
  return m_fd.IsOpen();
}

bool TargetFolder::OpenSub(const TargetFolder& parent, const QString& name, bool create) {
  m_path = parent.Path() + QChar('/') + name;
  m_fd.Reset();
  if (!parent.IsOpen()) {
    errno = EBADF;
    return false;
  }
  const QByteArray native = QFile::encodeName(name);
  if (create && ::mkdirat(parent.m_fd.Get(), native.constData(), 0777) != 0 && errno != EEXIST) return false;
  m_fd = FileDescriptor(::openat(parent.m_fd.Get(), native.constData(), kFolderFlags));
  return m_fd.IsOpen();
}

FileAt TargetFolder::At(const QString& name) const {
  return FileAt{m_fd.Get(), name, m_path + QChar('/') + name};
}

}  // namespace kolt
