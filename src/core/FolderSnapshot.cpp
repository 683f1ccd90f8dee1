#include "core/FolderSnapshot.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <atomic>

#include "core/FileNames.h"

namespace kolt {
namespace {

FolderSnapshot* g_current = nullptr;
std::atomic<long long> g_listings{0};

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

QString Key(const QString& folder) {
  return QDir::cleanPath(folder);
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
  while (const dirent* de = ::readdir(dir)) {
    const char* n = de->d_name;
    if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'))) continue;
    std::optional<FolderEntry> entry = StatEntry(fd, n, QFile::decodeName(n), de->d_type);
    if (entry) listing->Put(std::move(*entry));
  }
  ::closedir(dir);
  return listing;
}

const FolderEntry* FolderListing::Find(const QString& name) const {
  if (name.isEmpty()) return nullptr;
  auto exact = m_byName.find(name);
  if (exact != m_byName.end()) return &exact->second;
  const auto [first, last] = m_byFolded.equal_range(name.toCaseFolded());
  const QString* best = nullptr;
  for (auto it = first; it != last; ++it) {
    if (!best || it->second < *best) best = &it->second;
  }
  return best ? &m_byName.at(*best) : nullptr;
}

QStringList FolderListing::Match(const QString& pattern, bool filesOnly) const {
  QStringList names;
  for (const auto& [name, entry] : m_byName) {
    if (filesOnly && !entry.IsFile()) continue;
    if (WildcardMatch(pattern, name)) names.append(name);
  }
  return names;
}

QStringList FolderListing::WithPrefix(const QString& prefix) const {
  QStringList names;
  const QString folded = prefix.toCaseFolded();
  for (auto it = m_byFolded.lower_bound(folded); it != m_byFolded.end() && it->first.startsWith(folded); ++it)
    names.append(it->second);
  std::sort(names.begin(), names.end());
  return names;
}

void FolderListing::Put(FolderEntry entry) {
  const QString name = entry.name;
  auto [it, added] = m_byName.insert_or_assign(name, std::move(entry));
  (void)it;
  if (added) m_byFolded.emplace(name.toCaseFolded(), name);
}

void FolderListing::Remove(const QString& name) {
  if (m_byName.erase(name) == 0) return;
  const auto [first, last] = m_byFolded.equal_range(name.toCaseFolded());
  for (auto it = first; it != last; ++it) {
    if (it->second == name) {
      m_byFolded.erase(it);
      break;
    }
  }
}

const FolderListing* FolderSnapshot::Folder(const QString& folder) {
  const QString key = Key(folder);
  auto it = m_folders.find(key);
  if (it == m_folders.end()) {
    ++m_listings;
    it = m_folders.insert(key, Slot{FolderListing::Read(key)});
  }
  return it->listing.get();
}

void FolderSnapshot::Changed(const QString& path) {
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
    it->listing->Put(std::move(*entry));
  } else {
    it->listing->Remove(name);
  }
}

void FolderSnapshot::Forget(const QString& folder) {
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
