#include "core/FolderSnapshot.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>

#include "core/FileNames.h"
#include "core/Utilities.h"

namespace kolt {
namespace {

FolderSnapshot* g_current = nullptr;
std::atomic<long long> g_listings{0};
std::atomic<quint64> g_snapshots{0};

FolderEntry EntryFrom(const QString& name, const struct stat& st, bool link) {
  FolderEntry e;
  e.name = name;
  e.link = link;
  if (S_ISREG(st.st_mode)) {
    e.kind = EntryKind::File;
  } else if (S_ISDIR(st.st_mode)) {
    e.kind = EntryKind::Folder;
  }
  e.size = st.st_size;
  e.mtimeNs = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  e.ctimeNs = static_cast<qint64>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec;
  e.inode = st.st_ino;
  e.mode = st.st_mode & 07777;
  return e;
}

// The entry `name` of the open folder `dirFd`; nullopt when it is gone.
std::optional<FolderEntry> StatEntry(int dirFd, const char* native, const QString& name, int type) {
  struct stat st {};
  bool link = type == DT_LNK;
  if (type == DT_UNKNOWN) {
    if (::fstatat(dirFd, native, &st, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
    link = S_ISLNK(st.st_mode);
  }
  if (::fstatat(dirFd, native, &st, 0) != 0) {
    // A dangling link is still a name in the folder.
    if (::fstatat(dirFd, native, &st, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
    FolderEntry e = EntryFrom(name, st, true);
    e.kind = EntryKind::Other;
    return e;
  }
  return EntryFrom(name, st, link);
}

// Folders are kept under their clean path. Most callers pass one already clean, which
// is cheaper to recognise than to clean again.
QString Key(const QString& folder) {
  const qsizetype n = folder.size();
  bool clean = n > 0 && (n == 1 || folder[n - 1] != QChar('/'));
  for (qsizetype i = 0; clean && i < n; ++i) {
    if (folder[i] != QChar('/')) continue;
    // "//", "/." and "/.." are what cleaning removes.
    if (i + 1 < n && (folder[i + 1] == QChar('/') || folder[i + 1] == QChar('.'))) clean = false;
  }
  if (clean && folder[0] == QChar('.')) clean = false;
  return clean ? folder : QDir::cleanPath(folder);
}

}  // namespace

QDateTime FolderEntry::Modified() const {
  return QDateTime::fromMSecsSinceEpoch(mtimeNs / 1000000);
}

std::shared_ptr<FolderListing> FolderListing::Read(const QString& folder) {
  if (folder.isEmpty()) return nullptr;
  DIR* dir = ::opendir(QFile::encodeName(folder).constData());
  if (!dir) return nullptr;
  ++g_listings;
  auto listing = std::make_shared<FolderListing>();
  const int fd = ::dirfd(dir);
  // Every name, each ended by its NUL, one after the other: one buffer for the folder.
  std::string bytes;
  std::vector<std::pair<size_t, int>> names;  // where each name begins, and its type
  while (const dirent* de = ::readdir(dir)) {
    const char* n = de->d_name;
    if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'))) continue;
    names.emplace_back(bytes.size(), de->d_type);
    bytes.append(n, std::strlen(n) + 1);
  }
  listing->Reserve(static_cast<qsizetype>(names.size()));
  for (const auto& [at, type] : names) {
    const char* native = bytes.data() + at;
    const auto size = static_cast<qsizetype>(std::strlen(native));
    // Most names are ASCII, which reads the same in every locale and needs no decoder.
    const bool ascii = std::all_of(native, native + size, [](char c) { return (c & 0x80) == 0; });
    const QString name =
        ascii ? QString::fromLatin1(native, size) : QFile::decodeName(QByteArray(native, size));
    std::optional<FolderEntry> entry = StatEntry(fd, native, name, type);
    if (entry) listing->Put(*entry);
  }
  ::closedir(dir);
  return listing;
}

quint64 FolderListing::StemHash(QStringView name) {
  const qsizetype dot = name.indexOf(QChar('.'));
  return HashNoCase(dot < 0 ? name : name.first(dot));
}

std::pair<FolderListing::StemIndex::const_iterator, FolderListing::StemIndex::const_iterator>
FolderListing::WithStem(quint64 hash) const {
  if (!m_stemsBuilt) {
    m_stems.clear();
    m_stems.reserve(static_cast<size_t>(m_byName.size()));
    for (auto it = m_byName.constBegin(); it != m_byName.constEnd(); ++it)
      m_stems.emplace_back(StemHash(it.key()), it.key());
    std::sort(m_stems.begin(), m_stems.end());
    m_stemsBuilt = true;
  }
  return std::equal_range(m_stems.cbegin(), m_stems.cend(), std::pair<quint64, QString>(hash, QString()),
                          [](const auto& a, const auto& b) { return a.first < b.first; });
}

const FolderEntry* FolderListing::Find(const QString& name) const {
  if (name.isEmpty()) return nullptr;
  auto exact = m_byName.constFind(name);
  if (exact != m_byName.constEnd()) return &*exact;
  const QString* best = nullptr;
  for (auto [it, end] = WithStem(StemHash(name)); it != end; ++it) {
    const QString& candidate = it->second;
    if (candidate.compare(name, Qt::CaseInsensitive) == 0 && (!best || candidate < *best)) best = &candidate;
  }
  return best ? &*m_byName.constFind(*best) : nullptr;
}

QStringList FolderListing::Match(const QString& pattern, bool filesOnly) const {
  QStringList names;
  for (auto it = m_byName.constBegin(); it != m_byName.constEnd(); ++it) {
    if (filesOnly && !it->IsFile()) continue;
    if (WildcardMatch(pattern, it.key())) names.append(it.key());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<FolderEntry> FolderListing::WithPrefix(const QString& prefix) const {
  std::vector<FolderEntry> entries;
  auto take = [&](const QString& name) { entries.push_back(*m_byName.constFind(name)); };
  if (prefix.contains(QChar('.'))) {
    // Every such name has the prefix's stem.
    for (auto [it, end] = WithStem(StemHash(prefix)); it != end; ++it) {
      if (StartsWithNoCase(it->second, prefix)) take(it->second);
    }
  } else {
    // One range of the sorted index: a game's files in a folder of thousands are found
    // without looking at the others.
    if (!m_sortedBuilt) {
      m_sorted.clear();
      m_sorted.reserve(static_cast<size_t>(m_byName.size()));
      for (auto it = m_byName.constBegin(); it != m_byName.constEnd(); ++it)
        m_sorted.emplace_back(it.key().toCaseFolded(), it.key());
      std::sort(m_sorted.begin(), m_sorted.end());
      m_sortedBuilt = true;
    }
    const QString folded = prefix.toCaseFolded();
    auto it = std::lower_bound(m_sorted.begin(), m_sorted.end(), std::make_pair(folded, QString()));
    // The range is the names whose folded form begins with the folded prefix.
    for (; it != m_sorted.end() && it->first.startsWith(folded); ++it) take(it->second);
  }
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return entries;
}

void FolderListing::Reserve(qsizetype entries) {
  m_byName.reserve(entries);
}

void FolderListing::Put(const FolderEntry& entry) {
  const QString name = entry.name;
  const qsizetype before = m_byName.size();
  m_byName.insert(name, entry);
  if (m_byName.size() > before) IndexName(name, true);
}

namespace {

// Puts `key` into the sorted `index`, or takes it out.
template <typename Key>
void KeepSorted(std::vector<Key>& index, const Key& key, bool add) {
  auto it = std::lower_bound(index.begin(), index.end(), key);
  if (add)
    index.insert(it, key);
  else if (it != index.end() && *it == key)
    index.erase(it);
}

}  // namespace

void FolderListing::IndexName(const QString& name, bool add) {
  if (m_stemsBuilt) KeepSorted(m_stems, std::pair<quint64, QString>(StemHash(name), name), add);
  if (m_sortedBuilt) KeepSorted(m_sorted, std::pair<QString, QString>(name.toCaseFolded(), name), add);
}

void FolderListing::Remove(const QString& name) {
  if (m_byName.remove(name) == 0) return;
  IndexName(name, false);
}

FolderSnapshot::FolderSnapshot() : m_serial(++g_snapshots) {}

const FolderListing* FolderSnapshot::Folder(const QString& folder) {
  // A game asks about its folder several times, always through the same string: the
  // same characters in memory need neither cleaning nor hashing again.
  if (m_last.valid && folder.constData() == m_last.path.constData() && folder.size() == m_last.path.size())
    return m_last.listing;
  const QString key = Key(folder);
  auto it = m_folders.find(key);
  if (it == m_folders.end()) {
    ++m_listings;
    it = m_folders.insert(key, Slot{FolderListing::Read(key)});
  }
  m_last = Last{true, folder, it->listing.get()};
  return it->listing.get();
}

void FolderSnapshot::Changed(const QString& path) {
  ++m_changes;
  m_last = Last();
  const QString clean = Key(path);
  const qsizetype slash = clean.lastIndexOf(QChar('/'));
  if (slash < 0) return;
  const QString folder = slash == 0 ? QStringLiteral("/") : clean.left(slash);
  const QString name = clean.mid(slash + 1);
  // Whatever was listed below a changed name (a folder replaced or removed) is stale.
  Forget(clean);
  auto it = m_folders.find(folder);
  if (it == m_folders.end()) return;
  if (!it->listing) {
    m_folders.erase(it);  // the folder may exist now
    return;
  }
  std::optional<FolderEntry> entry = StatFolderEntry(folder, name);
  if (entry) {
    it->listing->Put(*entry);
  } else {
    it->listing->Remove(name);
  }
}

void FolderSnapshot::Forget(const QString& folder) {
  ++m_changes;
  m_last = Last();
  const QString key = Key(folder);
  const QString below = key.endsWith(QChar('/')) ? key : key + QChar('/');
  for (auto it = m_folders.begin(); it != m_folders.end();) {
    if (it.key() == key || it.key().startsWith(below)) {
      it = m_folders.erase(it);
    } else {
      ++it;
    }
  }
}

std::optional<FolderEntry> StatFolderEntry(const QString& folder, const QString& name) {
  if (name.isEmpty()) return std::nullopt;
  return StatEntry(AT_FDCWD, QFile::encodeName(QDir(folder).filePath(name)).constData(), name, DT_UNKNOWN);
}

namespace {

struct ReadCacheEntry {
  quint64 inode = 0;
  qint64 size = 0;
  qint64 mtimeNs = 0;
  qint64 ctimeNs = 0;
  qint64 max = 0;
  QByteArray bytes;
};

// Bounded: a home holds a few thousand games; past the bound the cache starts again.
constexpr qsizetype kReadCacheMax = 50000;
QHash<QString, ReadCacheEntry> g_readCache;

}  // namespace

std::optional<QByteArray> ReadListedFile(const QString& path, const FolderEntry& entry, qint64 max) {
  if (!entry.IsFile()) return std::nullopt;
  auto it = g_readCache.constFind(path);
  if (it != g_readCache.constEnd() && it->inode == entry.inode && it->size == entry.size &&
      it->mtimeNs == entry.mtimeNs && it->ctimeNs == entry.ctimeNs && it->max == max)
    return it->bytes;
  struct stat st {};
  std::optional<QByteArray> bytes = ReadFileHead(path, max, &st);
  if (!bytes) return bytes;
  // Kept only when the file read was the listed one, and when it was last changed long
  // enough ago: file systems stamp changes with a coarse clock, so a file changed again
  // within the same tick would keep its times.
  const FolderEntry read = EntryFrom(entry.name, st, entry.link);
  const qint64 settledNs = (QDateTime::currentMSecsSinceEpoch() - 2000) * 1000000LL;
  if (read.inode != entry.inode || read.ctimeNs != entry.ctimeNs || read.size != entry.size ||
      read.mtimeNs != entry.mtimeNs || read.ctimeNs > settledNs)
    return bytes;
  if (g_readCache.size() >= kReadCacheMax) g_readCache.clear();
  g_readCache.insert(path,
                     ReadCacheEntry{entry.inode, entry.size, entry.mtimeNs, entry.ctimeNs, max, *bytes});
  return bytes;
}

FolderSnapshot* CurrentSnapshot() {
  return g_current;
}

void SetCurrentSnapshot(FolderSnapshot* snapshot) {
  g_current = snapshot;
}

long long FolderListingCount() {
  return g_listings.load();
}

void NoteChanged(const QString& path) {
  if (g_current && !path.isEmpty()) g_current->Changed(path);
}

void NoteFolderChanged(const QString& folder) {
  if (g_current && !folder.isEmpty()) g_current->Forget(folder);
}

}  // namespace kolt
