#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include "core/AtomicFile.h"

namespace kolt {

// What a receive batch is about to do, on disk before it replaces anything, so that a
// receive killed in the middle (a crash, a power cut, a full disk) can be finished by the
// next one: which files it replaces with which bytes, where the replaced files go, and
// for whom. The file is held with an exclusive lock while its batch works; a journal
// that can be locked belongs to a batch that is gone.
class ReceiveJournal final {
 public:
  struct File {
    QString folder;  // the target folder
    QString name;    // the file's name there
    bool primary = false;
    QString key, extra;
    bool inPlace = false;  // the same bytes were installed already: not replaced
    qint64 size = 0;       // the received file
    QByteArray hash;       // its SHA-256
    QString backup;        // where the replaced file is backed up; empty when none
    QString oldStamp;      // the replaced file's modification stamp and size
    qint64 oldSize = -1;
  };
  struct Content {
    QString program;  // short name
    QString sender, taunt;
    bool plain = false;
    QByteArray tag;  // the six characters naming the batch's temporaries
    std::vector<File> files;
  };

  ReceiveJournal() = default;
  ~ReceiveJournal();
  ReceiveJournal(const ReceiveJournal&) = delete;
  ReceiveJournal& operator=(const ReceiveJournal&) = delete;

  // Where the journals are: the home folder's "receiving".
  static QString Folder();
  // The SHA-256 of a regular file; empty when it cannot be read.
  static QByteArray Hash(const QString& path);
  // A fresh tag for a batch's temporaries.
  static QByteArray NewTag();

  // Writes `content` as a new journal in `folder`, flushed to disk, and holds it locked.
  // False when it could not be written (errno set).
  [[nodiscard]] bool Write(const QString& folder, const Content& content);
  // The batch's work is recorded: the journal goes.
  void Remove();
  // The work stopped before it was recorded: the journal stays for the next receive.
  void Leave();
  bool IsHeld() const { return m_fd.IsOpen(); }
  const Content& Contents() const { return m_content; }

  // The journals in `folder` whose batch is gone, each locked for the caller; a journal
  // that cannot be read (a write cut short) is removed, since nothing was replaced
  // before it was complete. Temporaries of journals never completed go as well.
  static std::vector<std::unique_ptr<ReceiveJournal>> TakeInterrupted(const QString& folder);

 private:
  QString m_path;
  FileDescriptor m_fd;
  Content m_content;
};

}  // namespace kolt
