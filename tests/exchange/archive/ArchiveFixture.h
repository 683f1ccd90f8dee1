#pragma once

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "exchange/archive/ArchiveWrapper.h"
#include "exchange/archive/MemoryArchiveLog.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

namespace kolt::test {

// One entry of a hand-made archive.
struct Crafted {
  QByteArray name;  // raw bytes, as they go into the header
  QByteArray data;
  mode_t type = AE_IFREG;
  QByteArray link;  // symlink target, or hardlink target with AE_IFREG
  bool hardlink = false;
};

// Writes an archive with libarchive's writer, which stores names exactly as given: the
// kind of archive a hostile sender makes.
inline void Craft(const QString& path, const std::vector<Crafted>& entries, bool tar = false) {
  archive* a = archive_write_new();
  if (tar)
    archive_write_set_format_pax_restricted(a);
  else
    archive_write_set_format_zip(a);
  ASSERT_EQ(archive_write_open_filename(a, QFile::encodeName(path).constData()), ARCHIVE_OK);
  for (const Crafted& c : entries) {
    archive_entry* e = archive_entry_new();
    archive_entry_copy_pathname(e, c.name.constData());
    archive_entry_set_filetype(e, c.type);
    archive_entry_set_perm(e, 0644);
    archive_entry_set_mtime(e, 1000000000, 0);
    if (!c.link.isEmpty()) {
      if (c.hardlink)
        archive_entry_copy_hardlink(e, c.link.constData());
      else
        archive_entry_copy_symlink(e, c.link.constData());
    }
    archive_entry_set_size(e, c.type == AE_IFREG && !c.hardlink ? c.data.size() : 0);
    ASSERT_GE(archive_write_header(a, e), ARCHIVE_WARN) << archive_error_string(a);
    if (!c.data.isEmpty()) archive_write_data(a, c.data.constData(), c.data.size());
    archive_entry_free(e);
  }
  archive_write_close(a);
  archive_write_free(a);
}

// Runs a program to its end; returns its exit code (-1 when it could not run).
inline int RunTool(const QString& program, const QStringList& args, const QString& folder,
                   QByteArray* output = nullptr) {
  QProcess p;
  p.setWorkingDirectory(folder);
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, args);
  if (!p.waitForFinished(60000)) return -1;
  if (output) *output = p.readAll();
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

inline qint64 Time(const QString& path) {
  return QFileInfo(path).lastModified().toSecsSinceEpoch();
}

// Every path below `folder`, relative, sorted; hidden ones included.
inline QStringList Tree(const QString& folder) {
  QStringList all;
  QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) all.append(QDir(folder).relativeFilePath(it.next()));
  all.sort();
  return all;
}

// A temporary home, a scripted UI and a wrapper writing into a recording log.
class ArchiveTest : public ::testing::Test {
 protected:
  QString Path(const QString& relative) const { return home.File(relative); }

  TempHome home;
  ScriptedUi ui;
  MemoryArchiveLog log;
  ArchiveWrapper wrapper{ui, log};

  bool Unzip(const QString& archive, const QString& folder) {
    wrapper.UnzipInit();
    wrapper.SetZipFName(archive);
    wrapper.SetExtractRoot(folder);
    wrapper.Show();
    return wrapper.Unzip();
  }
  bool Zip(const QString& archive, const QString& root, const QStringList& names) {
    wrapper.ZipInit();
    wrapper.SetZipFName(archive);
    wrapper.Show();
    return wrapper.Zip(archive, root, names);
  }
};

}  // namespace kolt::test
