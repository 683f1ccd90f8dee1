#pragma once

#include <QString>

#include "core/AtomicFile.h"
#include "exchange/turns/FileReplace.h"

namespace kolt {

// A game folder a receive writes into, held open from the moment the receive starts to
// copy: every file it writes, backs up, renames or removes there is named relative to
// this handle (FileAt). A link planted inside the folder, or put in the folder's own
// place after the folder was checked, can then never lead a write elsewhere.
class TargetFolder {
 public:
  // Opens the folder `path`; its last part must be a real folder, not a link (the parts
  // above it are the installation's, confined when the program was found). False, with
  // errno set, when it cannot be opened so.
  bool Open(const QString& path);
  // Opens the subfolder `name` of `parent` the same way, created first when it is not
  // there and `create` is set.
  bool OpenSub(const TargetFolder& parent, const QString& name, bool create);

  bool IsOpen() const { return m_fd.IsOpen(); }
  int Fd() const { return m_fd.Get(); }
  const QString& Path() const { return m_path; }
  // The entry `name` of this folder, for the file operations of FileReplace.
  FileAt At(const QString& name) const;

 private:
  FileDescriptor m_fd;
  QString m_path;
};

}  // namespace kolt
