#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

// Folder listings shared by one pass.
//
// A refresh, a receive batch and a send each form one pass (core/Pass.h). During a pass
// every folder the program looks into is listed once, with the name, kind, size and
// modification time of each entry from that one listing, and every later question about
// the folder (a name without regard to case, a wildcard listing, a file's size or time)
// is answered from it. A game folder of a long-running player holds thousands of turn
// files; a game that listed its folder on its own would make a refresh quadratic in the
// number of games.
//
// Rules for code that reads game folders (every adapter, the receiving engine, sending):
// - look names up and list folders only through core/FileNames; never with QDir or a
//   stat of its own where a snapshot entry answers (EntryNoCase, FileEntryAt);
// - after the program itself writes, renames or deletes something in a folder that may
//   be in the snapshot, call NoteChanged(path) for that entry (a single stat), or
//   NoteFolderChanged(folder) after a bulk change (an archive unpacked, a folder
//   re-created): the snapshot then never answers from before the program's own change.
// Outside a pass the helpers list the folder on every call, as a one-off listing.
namespace kolt {

enum class EntryKind { File, Folder, Other };

struct FolderEntry {
  QString name;                       // as spelled on disk
  EntryKind kind = EntryKind::Other;  // what the name leads to, links followed
  bool link = false;                  // the name itself is a symbolic link
  qint64 size = 0;
  qint64 mtimeNs = 0;  // modification time, nanoseconds since the epoch
  qint64 ctimeNs = 0;  // status change time: any write, rename or change of the file
  quint64 inode = 0;
  quint32 mode = 0;  // permission bits

  bool IsFile() const { return kind == EntryKind::File; }
  bool IsFolder() const { return kind == EntryKind::Folder; }
  QDateTime Modified() const;
};

// The entries of one folder, with case-insensitive indexes. Answers come in name order.
class FolderListing {
 public:
  // Lists `folder` once; null when it is not a folder that can be listed.
  static std::shared_ptr<FolderListing> Read(const QString& folder);

  // The entry named exactly `name`, else the first entry (in name order) whose name
  // equals it without regard to case; null when there is none.
  const FolderEntry* Find(const QString& name) const;
  // The names matching the Windows wildcard `pattern` without regard to case, in name
  // order; `filesOnly` leaves out everything that is not a file.
  QStringList Match(const QString& pattern, bool filesOnly) const;
  // The entries whose names begin with `prefix` without regard to case, in name order.
  std::vector<FolderEntry> WithPrefix(const QString& prefix) const;

  void Reserve(qsizetype entries);
  void Put(const FolderEntry& entry);
  void Remove(const QString& name);
  qsizetype Size() const { return m_byName.size(); }

 private:
  // A hash of the case-folded part of a name before its first dot: the names of one
  // game's files ("email12.cmt", "EMAIL12.DAT", "email12.dat.bak") share it. Names equal
  // without regard to case have the same; each candidate is still compared.
  static quint64 StemHash(QStringView name);
  using StemIndex = std::vector<std::pair<quint64, QString>>;
  // The names whose stems hash to `hash`, as a range of the stem index.
  std::pair<StemIndex::const_iterator, StemIndex::const_iterator> WithStem(quint64 hash) const;

  // Keeps the built indexes in step with a name put in or taken out.
  void IndexName(const QString& name, bool add);

  QHash<QString, FolderEntry> m_byName;
  // Stem hash -> name on disk, sorted. Built on the first question that the exact name
  // cannot answer: most folders are asked only exact names, and one vector sorted once
  // costs a fraction of a map with a list per stem.
  mutable StemIndex m_stems;
  mutable bool m_stemsBuilt = false;
  // Case-folded name -> name on disk, sorted: the names with a prefix are one range.
  // Built on the first prefix question that the stems cannot answer.
  mutable std::vector<std::pair<QString, QString>> m_sorted;
  mutable bool m_sortedBuilt = false;
};

// The listings of one pass. Held by core/Pass; adapters and engines reach it through the
// helpers of core/FileNames.
class FolderSnapshot {
 public:
  FolderSnapshot();
  // Tells the passes of a run apart (never 0): what is kept for one pass is not reused
  // by the next one, even when it sits at the same address.
  quint64 Serial() const { return m_serial; }
  // Changes the program noted so far (what was kept from the listings before may be out
  // of date when this moved).
  quint64 Changes() const { return m_changes; }
  // The folder's listing, made on first use; null when it cannot be listed.
  const FolderListing* Folder(const QString& folder);
  // Re-reads one entry after the program changed it (created, wrote, removed).
  void Changed(const QString& path);
  // Drops the listings of `folder` and of every folder below it.
  void Forget(const QString& folder);
  // Folder listings made so far (tests count them).
  int Listings() const { return m_listings; }

 private:
  struct Slot {
    std::shared_ptr<FolderListing> listing;  // null: listed, but not a folder
  };
  QHash<QString, Slot> m_folders;  // by cleaned path
  int m_listings = 0;
  quint64 m_serial = 0;
  quint64 m_changes = 0;
  // The folder asked for last, held so that its characters stay where they are.
  struct Last {
    bool valid = false;
    QString path;
    const FolderListing* listing = nullptr;
  };
  Last m_last;
};

// One entry of `folder`, read on its own (exact name); nullopt when it is not there.
std::optional<FolderEntry> StatFolderEntry(const QString& folder, const QString& name);

// The snapshot of the pass in progress; null outside a pass.
FolderSnapshot* CurrentSnapshot();
void SetCurrentSnapshot(FolderSnapshot* snapshot);

// Folder listings made by the helpers since the program started, inside and outside
// passes (tests compare counts to catch a pass that lists a folder per game).
long long FolderListingCount();

// The first `max` bytes of the listed file `entry` at `path`. The bytes of the files read
// last are kept while the file stays the same (inode, size, modification and status
// change times), so a refresh does not read thousands of unchanged comment files again.
// Nullopt when it is not a regular file or cannot be read.
std::optional<QByteArray> ReadListedFile(const QString& path, const FolderEntry& entry, qint64 max);

// What the program changed itself; no effect outside a pass.
void NoteChanged(const QString& path);
void NoteFolderChanged(const QString& folder);

}  // namespace kolt
