#include "core/Settings.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/AtomicFile.h"
#include "core/FileNames.h"
#include "core/TextCodec.h"

namespace kolt {
namespace {

QString g_settingsPath;

// Section and key names are compared trimmed and without regard to case. The maps hash
// and compare folded characters, so a look-up allocates nothing.
QStringView Fold(QStringView s) {
  return s.trimmed();
}

struct NoCaseHash {
  using is_transparent = void;
  size_t operator()(QStringView s) const noexcept { return HashNoCase(s); }
};

struct NoCaseEqual {
  using is_transparent = void;
  bool operator()(QStringView a, QStringView b) const noexcept {
    // Most look-ups spell the name as the file does.
    return a.size() == b.size() && (a == b || a.compare(b, Qt::CaseInsensitive) == 0);
  }
};

template <typename T>
using NoCaseMap = std::unordered_map<QString, T, NoCaseHash, NoCaseEqual>;

// A key line of a section: the hash of its folded key and its line. Keys and values are
// decoded from the line when asked for: a long history holds a million of them, and a
// string apiece would cost ten times the file in memory.
struct KeyRef {
  quint32 hash = 0;  // enough to find a few candidates; the key itself is compared
  int line = -1;
  bool operator<(const KeyRef& o) const { return hash != o.hash ? hash < o.hash : line < o.line; }
};

struct SectionEntry {
  int header = -1;
  int lastContent = -1;      // last non-blank line of the section (the header when empty)
  int end = -1;              // one past the section's last line
  std::vector<KeyRef> keys;  // sorted; equal keys in file order (the first one counts)
};

quint32 Short(quint64 hash) {
  return static_cast<quint32>(hash ^ (hash >> 32));
}

// One parsed INI file. Lines are kept as raw bytes so that a write changes only the
// lines it must; everything else goes back to disk byte for byte. The file's bytes are
// kept once: an unchanged line refers into them.
struct ParsedIni {
  QByteArray data;
  // Until something is changed, a line is known by where it starts in `data` (and a last
  // entry: one past the end of the last line's break, as if a line followed); a change
  // turns them into `lines`, which refer into `data` where they are unchanged.
  std::vector<quint32> starts;
  bool materialized = true;  // a parse made from nothing has its lines
  std::vector<QByteArray> lines;

  int Count() const { return static_cast<int>(materialized ? lines.size() : starts.size() - 1); }
  QByteArrayView Line(int i) const {
    if (materialized) return lines[static_cast<size_t>(i)];
    const auto at = static_cast<size_t>(i);
    const qsizetype begin = starts[at];
    qsizetype end = static_cast<qsizetype>(starts[at + 1]) - 1;  // the line break, or the end
    if (end > begin && data[end - 1] == '\r') --end;
    return QByteArrayView(data).sliced(begin, end - begin);
  }
  // Before a change: every line becomes its own entry.
  void Materialize() {
    if (materialized) return;
    const int count = Count();
    lines.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
      const QByteArrayView line = Line(i);
      lines.push_back(QByteArray::fromRawData(line.data(), line.size()));
    }
    materialized = true;
    std::vector<quint32>().swap(starts);
  }
  bool bom = false;
  bool utf8 = true;  // the whole file is valid UTF-8: new text is written as UTF-8
  NoCaseMap<int> sectionIndex;
  std::vector<SectionEntry> sections;
};

struct CacheEntry {
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = -1;
  timespec mtime{};
  std::shared_ptr<ParsedIni> ini;
  QByteArray native;  // the path in the file system's encoding
};

QMutex g_mutex;
QHash<QString, CacheEntry> g_cache;
long long g_fileWrites = 0;
std::atomic<quint64> g_generation{1};

// Writes to the settings file gathered during a pass (core/Pass.h). Reads see them at
// once; the file is replaced once when the pass ends.
struct Batch {
  int depth = 0;
  // The final value of each key written, and the order in which the keys were first
  // written, so new keys reach the file in the order they were made.
  NoCaseMap<NoCaseMap<QString>> latest;
  std::vector<std::pair<QString, QString>> order;
  // The parse was checked against the file once in this batch; later reads trust it.
  bool validated = false;
};
Batch g_batch;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

QByteArrayView TrimBlanksView(QByteArrayView b) {
  qsizetype start = 0;
  qsizetype end = b.size();
  while (start < end && IsBlank(b[start])) ++start;
  while (end > start && (IsBlank(b[end - 1]) || b[end - 1] == '\r')) --end;
  return b.sliced(start, end - start);
}

QByteArray TrimBlanks(const QByteArray& b) {
  return TrimBlanksView(b).toByteArray();
}

// Set by every IniRead on this thread: its value was cut to kIniValueMax characters.
thread_local bool t_lastReadCut = false;

QString DecodeValue(QByteArrayView raw, bool* cut = nullptr) {
  const qsizetype nul = raw.indexOf('\0');
  if (nul >= 0) raw.truncate(nul);
  raw = TrimBlanksView(raw);
  // Windows drops one pair of matching quotes around a value.
  if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front())
    raw = raw.sliced(1, raw.size() - 2);
  QString value = DecodeText(raw.data(), raw.size());
  if (cut) *cut = value.size() > kIniValueMax;
  if (value.size() > kIniValueMax) value.truncate(kIniValueMax);
  return value;
}

// What QString::trimmed takes away, for ASCII.
bool IsAsciiSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The key part of a key line (trimmed as a looked-up name is), or empty for a line that
// holds none. `ascii`: the bytes are the characters.
QByteArrayView KeyBytes(QByteArrayView line, bool* ascii) {
  const QByteArrayView t = TrimBlanksView(line);
  if (t.isEmpty() || t.front() == '[' || t.front() == ';') return {};
  const qsizetype eq = t.indexOf('=');
  if (eq < 0) return {};
  QByteArrayView key = t.first(eq);
  *ascii = true;
  for (char c : key) *ascii = *ascii && static_cast<unsigned char>(c) < 0x80;
  if (*ascii) {
    while (!key.isEmpty() && IsAsciiSpace(key.front())) key = key.sliced(1);
    while (!key.isEmpty() && IsAsciiSpace(key.back())) key.chop(1);
  }
  return key;
}

QString KeyText(QByteArrayView bytes, bool ascii) {
  return ascii ? QString::fromLatin1(bytes) : DecodeText(bytes.toByteArray()).trimmed();
}

// The hash of a key line's key; false when the line holds no key.
bool KeyHash(QByteArrayView line, quint64* hash) {
  bool ascii = false;
  const QByteArrayView key = KeyBytes(line, &ascii);
  if (key.isEmpty()) return false;
  if (!ascii) {
    const QString text = KeyText(key, false);
    *hash = HashNoCase(text);
    return !text.isEmpty();
  }
  quint64 h = kNoCaseHashStart;  // HashNoCase of the ASCII key
  for (char c : key) {
    const auto u = static_cast<char16_t>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    h = (h ^ u) * 1099511628211ull;
  }
  *hash = h;
  return true;
}

// The value part of a key line, as read back.
QString LineValue(QByteArrayView line, bool* cut) {
  const QByteArrayView t = TrimBlanksView(line);
  return DecodeValue(t.sliced(t.indexOf('=') + 1), cut);
}

// The line of key `folded` (trimmed) with hash `hash` in `sec`; -1 when absent.
int FindKey(const ParsedIni& ini, const SectionEntry& sec, QStringView folded, quint64 hash) {
  const quint32 h = Short(hash);
  auto it = std::lower_bound(sec.keys.begin(), sec.keys.end(), KeyRef{h, -1});
  for (; it != sec.keys.end() && it->hash == h; ++it) {
    bool ascii = false;
    const QByteArrayView key = KeyBytes(ini.Line(it->line), &ascii);
    const bool same =
        ascii ? EqualsNoCase(QLatin1StringView(key), folded) : NoCaseEqual()(KeyText(key, false), folded);
    if (same) return it->line;
  }
  return -1;
}

// FindKey of the key `base` + `suffix` (hashed as one) without forming it: a refresh
// looks up nine keys of every game's record.
int FindKeyParts(const ParsedIni& ini, const SectionEntry& sec, QStringView base, QStringView suffix,
                 quint64 hash) {
  const quint32 h = Short(hash);
  auto it = std::lower_bound(sec.keys.begin(), sec.keys.end(), KeyRef{h, -1});
  for (; it != sec.keys.end() && it->hash == h; ++it) {
    bool ascii = false;
    const QByteArrayView key = KeyBytes(ini.Line(it->line), &ascii);
    const bool same = ascii ? key.size() == base.size() + suffix.size() &&
                                  EqualsNoCase(QLatin1StringView(key.first(base.size())), base) &&
                                  EqualsNoCase(QLatin1StringView(key.sliced(base.size())), suffix)
                            : NoCaseEqual()(KeyText(key, false), base.toString().append(suffix));
    if (same) return it->line;
  }
  return -1;
}

int FindKey(const ParsedIni& ini, const SectionEntry& sec, QStringView key) {
  const QStringView folded = Fold(key);
  return FindKey(ini, sec, folded, HashNoCase(folded));
}

void Index(ParsedIni& ini) {
  ini.sectionIndex.clear();
  ini.sections.clear();
  const int count = ini.Count();
  // Where the sections begin, so that each one's key index is made at its size once: a
  // grown copy of a million keys would double them for a moment.
  std::vector<int> headers;
  for (int i = 0; i < count; ++i) {
    const QByteArrayView t = TrimBlanksView(ini.Line(i));
    if (!t.isEmpty() && t.front() == '[') headers.push_back(i);
  }
  headers.push_back(count);
  ini.sections.reserve(headers.size());
  size_t nextHeader = 0;
  SectionEntry* current = nullptr;
  for (int i = 0; i < count; ++i) {
    const QByteArrayView t = TrimBlanksView(ini.Line(i));
    if (t.isEmpty()) continue;
    if (t.front() == '[') {
      if (current) current->end = i;
      ++nextHeader;
      qsizetype close = t.indexOf(']');
      QByteArray name = TrimBlanks(t.sliced(1, close < 0 ? t.size() - 1 : close - 1).toByteArray());
      ini.sections.push_back(SectionEntry{i, i, count, {}});
      current = &ini.sections.back();
      current->keys.reserve(static_cast<size_t>(headers[nextHeader] - i));
      // The first of two sections with the same name wins, as with Windows.
      ini.sectionIndex.emplace(Fold(DecodeText(name)).toString(), static_cast<int>(ini.sections.size()) - 1);
      continue;
    }
    if (!current) continue;
    current->lastContent = i;
    quint64 hash = 0;
    if (KeyHash(ini.Line(i), &hash)) current->keys.push_back(KeyRef{Short(hash), i});
  }
  for (SectionEntry& sec : ini.sections) std::sort(sec.keys.begin(), sec.keys.end());
}

std::shared_ptr<ParsedIni> Parse(const QByteArray& data) {
  auto ini = std::make_shared<ParsedIni>();
  ini->data = data;
  qsizetype pos = 0;
  if (data.startsWith("\xEF\xBB\xBF")) {
    ini->bom = true;
    pos = 3;
  }
  ini->utf8 = IsValidUtf8(data.constData() + pos, data.size() - pos);
  ini->materialized = false;
  ini->starts.reserve(static_cast<size_t>(data.count('\n')) + 2);
  qsizetype next = pos;  // where the line after the last one would start
  while (pos < data.size()) {
    ini->starts.push_back(static_cast<quint32>(pos));
    const qsizetype nl = data.indexOf('\n', pos);
    next = nl < 0 ? data.size() + 1 : nl + 1;
    if (nl < 0) break;
    pos = nl + 1;
  }
  ini->starts.push_back(static_cast<quint32>(next));
  Index(*ini);
  return ini;
}

QByteArray Serialize(const ParsedIni& ini) {
  QByteArray out;
  qsizetype total = 0;
  for (int i = 0; i < ini.Count(); ++i) total += ini.Line(i).size() + 2;
  out.reserve(total + 3);
  if (ini.bom) out.append("\xEF\xBB\xBF");
  for (int i = 0; i < ini.Count(); ++i) {
    const QByteArrayView l = ini.Line(i);
    out.append(l);
    out.append("\r\n");
  }
  return out;
}

QByteArray Encode(const ParsedIni& ini, const QString& text) {
  if (!ini.utf8) {
    QByteArray cp;
    // Some Windows-1252 sequences are valid UTF-8 too and would read back as other text.
    if (EncodeCp1252(text, &cp) && DecodeText(cp) == text) return cp;
  }
  return text.toUtf8();
}

// The file a read names. Reads follow links through stat() anyway.
QString ReadPath(const QString& file) {
  return file.isEmpty() ? g_settingsPath : file;
}

// The file a write replaces.
QString Resolve(const QString& file) {
  QString path = ReadPath(file);
  if (path.isEmpty()) return path;
  // Follow a link so that the atomic replace keeps the link and writes its target.
  QFileInfo fi(path);
  if (fi.isSymLink()) {
    QString target = fi.symLinkTarget();
    if (!target.isEmpty()) return target;
  }
  return path;
}

bool ReadAll(int fd, QByteArray* out, qint64 expected) {
  out->clear();
  // Read into one block of the file's size: a grown copy of a large file would be
  // twice the file.
  out->reserve(static_cast<qsizetype>(expected) + 1);
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    out->append(buf, n);
    if (out->size() > kIniFileMax) {  // grown while read
      errno = EFBIG;
      return false;
    }
  }
}

// Reads a whole settings or definition file into `data`, with its status in `st`.
// Non-blocking: a fifo put in the file's place must not hang the program. False for
// anything but a regular file within the size limit.
bool ReadIniBytes(const QByteArray& native, QByteArray* data, struct stat* st) {
  const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  const bool ok = ::fstat(fd, st) == 0 && S_ISREG(st->st_mode) && st->st_size <= kIniFileMax &&
                  ReadAll(fd, data, st->st_size);
  ::close(fd);
  return ok;
}

bool SameStat(const CacheEntry& e, const struct stat& st) {
  return e.dev == st.st_dev && e.ino == st.st_ino && e.size == st.st_size &&
         e.mtime.tv_sec == st.st_mtim.tv_sec && e.mtime.tv_nsec == st.st_mtim.tv_nsec;
}

void Remember(const QString& path, const struct stat& st, std::shared_ptr<ParsedIni> ini) {
  ++g_generation;
  g_cache.insert(path, CacheEntry{st.st_dev, st.st_ino, st.st_size, st.st_mtim, std::move(ini),
                                  QFile::encodeName(path)});
}

// Caller holds g_mutex. Null when the file does not exist or cannot be read. `inPass`:
// during a pass the settings file is checked against the disk once; another process's
// changes are merged when the pass writes (under the lock, after a fresh read).
std::shared_ptr<ParsedIni> Load(const QString& path, bool inPass = false) {
  auto it = g_cache.constFind(path);
  if (inPass && g_batch.validated && it != g_cache.constEnd()) return it->ini;
  if (inPass) g_batch.validated = true;
  QByteArray native = it != g_cache.constEnd() ? it->native : QFile::encodeName(path);
  struct stat st {};
  if (::stat(native.constData(), &st) != 0) {
    if (g_cache.remove(path)) ++g_generation;
    return nullptr;
  }
  if (it != g_cache.constEnd() && SameStat(*it, st)) return it->ini;
  if (!S_ISREG(st.st_mode)) return nullptr;
  if (st.st_size > kIniFileMax) {
    g_cache.remove(path);
    errno = EFBIG;
    return nullptr;
  }

  QByteArray data;
  if (!ReadIniBytes(native, &data, &st)) return nullptr;
  std::shared_ptr<ParsedIni> ini = Parse(data);
  Remember(path, st, ini);
  return ini;
}

// Holds the advisory lock that serialises read-modify-write cycles of one file between
// processes. The lock lives in a file of its own because the INI file itself is
// replaced by rename on every write.
class FileLock {
 public:
  explicit FileLock(const QString& path) {
    QFileInfo fi(path);
    QByteArray lockPath =
        QFile::encodeName(fi.absolutePath() + QStringLiteral("/.") + fi.fileName() + QStringLiteral(".lock"));
    m_fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd >= 0) {
      while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~FileLock() {
    if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int m_fd = -1;
};

// Writes the new contents beside the file and renames it over the old one: readers and
// a crash see either the old file or the new one, never a mix. `parsed`, when given, is
// what `data` parses to and becomes the cached parse. Caller holds g_mutex. A file
// without any write permission is read-only, as on Windows: it is not replaced.
bool ReplaceFile(const QString& path, const QByteArray& data, std::shared_ptr<ParsedIni> parsed = nullptr) {
  const QByteArray native = QFile::encodeName(path);
  struct stat old {};
  if (::stat(native.constData(), &old) == 0 && S_ISREG(old.st_mode) && (old.st_mode & 0222) == 0) {
    errno = EACCES;
    return false;
  }
  AtomicFileWriter writer(path);
  if (!writer.Open(Permissions::KeepExisting, 0600) || !writer.Write(data) || !writer.Commit()) {
    const int error = errno;
    g_cache.remove(path);
    errno = error;
    return false;
  }
  ++g_fileWrites;
  struct stat st {};
  if (::stat(native.constData(), &st) == 0) {
    Remember(path, st, parsed ? std::move(parsed) : Parse(data));
  } else {
    g_cache.remove(path);
  }
  return true;
}

// Removes temporary files that a writer killed in the middle left behind. Only called
// with the file's lock held, when no other writer can be between mkstemp and rename.
void RemoveStaleTemporaries(const QString& path) {
  QFileInfo fi(path);
  QDir dir(fi.absolutePath());
  const QStringList stale =
      dir.entryList({AtomicFileWriter::TemporaryPattern(fi.fileName())}, QDir::Files | QDir::Hidden);
  for (const QString& name : stale) dir.remove(name);
}

// Read-modify-write of one file under its lock. `change` edits the parse and returns
// whether anything changed. False when the file could not be read or replaced. Caller
// holds g_mutex.
template <typename Change>
bool ModifyLocked(const QString& path, Change change) {
  if (path.isEmpty()) return false;
  FileLock lock(path);
  RemoveStaleTemporaries(path);
  // The cached parse is changed in place: every reader holds g_mutex too, and a failed
  // replace drops it from the cache, so the next read parses the file as it is on disk.
  std::shared_ptr<ParsedIni> ini = Load(path);
  if (!ini) {
    // Start from nothing only when there is no file: a file that exists but cannot be
    // read must not be replaced by one holding just this change.
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
      errno = st.st_size > kIniFileMax ? EFBIG : EACCES;
      return false;
    }
    if (errno != ENOENT) return false;
    ini = std::make_shared<ParsedIni>();
  }
  if (!change(*ini)) return true;
  if (ReplaceFile(path, Serialize(*ini), ini)) return true;
  g_cache.remove(path);
  return false;
}

// True when `file` (as a caller names it) is the settings file and a pass gathers its
// writes.
bool InBatch(const QString& file) {
  return g_batch.depth > 0 && !g_settingsPath.isEmpty() && (file.isEmpty() || file == g_settingsPath);
}

// The text a value reads back as once written (see DecodeValue).
QString ReadBack(const QString& clean, bool* cut = nullptr) {
  return DecodeValue(clean.toUtf8(), cut);
}

// Applies the gathered writes to `ini` in one linear sweep: values replaced in place,
// new keys appended to their sections, new sections at the end.
bool ApplyBatch(ParsedIni& ini) {
  ini.Materialize();
  bool changed = false;
  std::vector<std::vector<QByteArray>> inserts(ini.sections.size());
  std::vector<QByteArray> newSectionNames;
  std::vector<std::vector<QByteArray>> newSectionLines;
  NoCaseMap<size_t> newSectionIndex;
  for (const auto& [section, key] : g_batch.order) {
    const QString& value = g_batch.latest.find(section)->second.find(key)->second;
    const QByteArray encoded = Encode(ini, value);
    auto s = ini.sectionIndex.find(Fold(section));
    if (s != ini.sectionIndex.end()) {
      const SectionEntry& sec = ini.sections[s->second];
      const int at = FindKey(ini, sec, key);
      if (at >= 0) {
        // Keep the key as the file spells it.
        const QByteArray& existing = ini.lines[at];
        const QByteArray line = TrimBlanks(existing.left(existing.indexOf('='))) + '=' + encoded;
        if (existing != line) {
          ini.lines[at] = line;
          changed = true;
        }
        continue;
      }
      inserts[s->second].push_back(Encode(ini, key) + '=' + encoded);
      changed = true;
      continue;
    }
    auto n = newSectionIndex.find(section);
    if (n == newSectionIndex.end()) {
      n = newSectionIndex.emplace(section, newSectionNames.size()).first;
      newSectionNames.push_back('[' + Encode(ini, section) + ']');
      newSectionLines.emplace_back();
    }
    newSectionLines[n->second].push_back(Encode(ini, key) + '=' + encoded);
    changed = true;
  }
  if (!changed) return false;

  std::vector<std::vector<QByteArray>*> after(ini.lines.size(), nullptr);
  for (size_t i = 0; i < ini.sections.size(); ++i) {
    if (!inserts[i].empty()) after[ini.sections[i].lastContent] = &inserts[i];
  }
  std::vector<QByteArray> lines;
  lines.reserve(ini.lines.size() + g_batch.order.size() + newSectionNames.size());
  for (size_t i = 0; i < ini.lines.size(); ++i) {
    lines.push_back(std::move(ini.lines[i]));
    if (after[i]) lines.insert(lines.end(), after[i]->begin(), after[i]->end());
  }
  for (size_t i = 0; i < newSectionNames.size(); ++i) {
    lines.push_back(newSectionNames[i]);
    lines.insert(lines.end(), newSectionLines[i].begin(), newSectionLines[i].end());
  }
  ini.lines = std::move(lines);
  Index(ini);
  return true;
}

// Writes what the batch gathered. Caller holds g_mutex. On failure the gathered writes
// stay, so reads go on seeing them and a later flush tries again.
bool FlushBatchLocked() {
  if (g_batch.order.empty()) return true;
  if (!ModifyLocked(Resolve(QString()), [](ParsedIni& ini) { return ApplyBatch(ini); })) return false;
  g_batch.latest.clear();
  g_batch.order.clear();
  return true;
}

template <typename Change>
bool Modify(const QString& file, Change change) {
  QMutexLocker guard(&g_mutex);
  // Whole-section changes during a pass first write what the pass gathered.
  if (InBatch(file) && !FlushBatchLocked()) return false;
  return ModifyLocked(Resolve(file), change);
}

QString CleanForLine(QString text) {
  qsizetype nul = text.indexOf(QChar(0));
  if (nul >= 0) text.truncate(nul);
  // A line break inside a value would split it into two lines of the file.
  text.replace(QChar('\r'), QChar(' '));
  text.replace(QChar('\n'), QChar(' '));
  return text;
}

}  // namespace

void SetSettingsPath(const QString& path) {
  QMutexLocker guard(&g_mutex);
  g_settingsPath = path;
}

QString SettingsPath() {
  QMutexLocker guard(&g_mutex);
  return g_settingsPath;
}

QString IniRead(const QString& section, const QString& key, const QString& defaultValue,
                const QString& file) {
  QMutexLocker guard(&g_mutex);
  t_lastReadCut = false;
  const QString path = ReadPath(file);
  if (path.isEmpty()) return defaultValue;
  const bool inPass = InBatch(file);
  if (inPass) {
    auto s = g_batch.latest.find(Fold(section));
    if (s != g_batch.latest.end()) {
      auto k = s->second.find(Fold(key));
      if (k != s->second.end()) return ReadBack(k->second, &t_lastReadCut);
    }
  }
  std::shared_ptr<ParsedIni> ini = Load(path, inPass);
  if (!ini) return defaultValue;
  auto s = ini->sectionIndex.find(Fold(section));
  if (s == ini->sectionIndex.end()) return defaultValue;
  const int line = FindKey(*ini, ini->sections[s->second], key);
  if (line < 0) return defaultValue;
  return LineValue(ini->Line(line), &t_lastReadCut);
}

bool IniLastReadWasCut() {
  return t_lastReadCut;
}

void IniSetLastReadWasCut(bool cut) {
  t_lastReadCut = cut;
}

quint64 IniGeneration() {
  return g_generation.load();
}

QStringList IniReadKeys(const QString& section, const QString& key, const QStringList& suffixes,
                        std::vector<bool>* cut, const QString& file) {
  QMutexLocker guard(&g_mutex);
  QStringList values;
  values.reserve(suffixes.size());
  if (cut) cut->assign(static_cast<size_t>(suffixes.size()), false);
  const QString path = ReadPath(file);
  const bool inPass = InBatch(file);
  std::shared_ptr<ParsedIni> ini = path.isEmpty() ? nullptr : Load(path, inPass);
  const SectionEntry* sec = nullptr;
  if (ini) {
    auto s = ini->sectionIndex.find(Fold(section));
    if (s != ini->sectionIndex.end()) sec = &ini->sections[s->second];
  }
  // What the pass gathered for the section, if anything.
  const NoCaseMap<QString>* gathered = nullptr;
  if (inPass && !g_batch.latest.empty()) {
    auto s = g_batch.latest.find(Fold(section));
    if (s != g_batch.latest.end()) gathered = &s->second;
  }
  // The key's hash goes on with each suffix; the key alone is trimmed at both ends.
  qsizetype start = 0;
  while (start < key.size() && key[start].isSpace()) ++start;
  const QStringView base = QStringView(key).sliced(start);
  const quint64 baseHash = HashNoCase(base);
  for (const QString& suffix : suffixes) {
    bool wasCut = false;
    QString value;
    bool written = false;  // gathered in this pass: the file's line is out of date
    if (gathered) {
      auto k = gathered->find(Fold(QString(key + suffix)));
      if (k != gathered->end()) {
        value = ReadBack(k->second, &wasCut);
        written = true;
      }
    }
    if (sec && !written) {
      const bool alone = suffix.isEmpty() || suffix.back().isSpace();
      const int line = alone ? FindKey(*ini, *sec, key + suffix)
                             : FindKeyParts(*ini, *sec, base, suffix, HashNoCase(suffix, baseHash));
      if (line >= 0) value = LineValue(ini->Line(line), &wasCut);
    }
    if (cut) (*cut)[static_cast<size_t>(values.size())] = wasCut;
    values.append(value);
  }
  return values;
}

namespace {

// Keeps a write of the settings file for the end of the pass.
void Gather(const QString& section, const QString& key, const QString& value) {
  ++g_generation;
  auto& keys = g_batch.latest[section];
  auto k = keys.find(key);
  if (k == keys.end()) {
    keys.emplace(key, value);
    g_batch.order.emplace_back(section, key);
  } else {
    k->second = value;
  }
}

}  // namespace

bool IniWrite(const QString& section, const QString& key, const QString& value, const QString& file) {
  const QString cleanSection = CleanForLine(section).trimmed();
  const QString cleanKey = CleanForLine(key).trimmed();
  if (cleanKey.isEmpty()) return false;
  const QString cleanValue = CleanForLine(value);
  {
    QMutexLocker guard(&g_mutex);
    if (InBatch(file)) {
      Gather(cleanSection, cleanKey, cleanValue);
      return true;
    }
  }
  return Modify(file, [&](ParsedIni& ini) {
    ini.Materialize();
    const QByteArray encodedValue = Encode(ini, cleanValue);
    QByteArray line = Encode(ini, cleanKey) + '=' + encodedValue;
    auto s = ini.sectionIndex.find(Fold(cleanSection));
    if (s == ini.sectionIndex.end()) {
      ini.lines.push_back('[' + Encode(ini, cleanSection) + ']');
      ini.lines.push_back(line);
    } else {
      const SectionEntry& sec = ini.sections[s->second];
      const int at = FindKey(ini, sec, cleanKey);
      if (at >= 0) {
        // Keep the key as the file spells it; leave the file alone when nothing changes.
        const QByteArray& existing = ini.lines[at];
        line = TrimBlanks(existing.left(existing.indexOf('='))) + '=' + encodedValue;
        if (existing == line) return false;
        // Line numbers and the key stay as they are: the index holds.
        ini.lines[at] = line;
        return true;
      }
      ini.lines.insert(ini.lines.begin() + sec.lastContent + 1, line);
    }
    Index(ini);
    return true;
  });
}

QStringList IniReadSection(const QString& section, const QString& file) {
  QMutexLocker guard(&g_mutex);
  QStringList result;
  const QString path = ReadPath(file);
  if (path.isEmpty()) return result;
  // The section as the file will hold it: what the pass gathered goes to disk first.
  // Should that fail, the section is read from the parse the writes were gathered over.
  if (InBatch(file)) FlushBatchLocked();
  std::shared_ptr<ParsedIni> ini = Load(path);
  if (!ini) return result;
  auto s = ini->sectionIndex.find(Fold(section));
  if (s == ini->sectionIndex.end()) return result;
  qsizetype total = 0;
  const SectionEntry& sec = ini->sections[s->second];
  for (int i = sec.header + 1; i <= sec.lastContent; ++i) {
    if (TrimBlanksView(ini->Line(i)).isEmpty()) continue;
    QString line = DecodeText(TrimBlanks(ini->Line(i).toByteArray()));
    qsizetype nul = line.indexOf(QChar(0));
    if (nul >= 0) line.truncate(nul);
    total += line.size() + 1;
    if (total > kIniSectionMax) break;
    result.append(line);
  }
  return result;
}

bool IniWriteSection(const QString& section, const QStringList& lines, const QString& file) {
  const QString cleanSection = CleanForLine(section).trimmed();
  return Modify(file, [&](ParsedIni& ini) {
    ini.Materialize();
    std::vector<QByteArray> body;
    for (const QString& l : lines) {
      QString clean = CleanForLine(l);
      if (!clean.trimmed().isEmpty()) body.push_back(Encode(ini, clean));
    }
    auto s = ini.sectionIndex.find(Fold(cleanSection));
    if (s == ini.sectionIndex.end()) {
      ini.lines.push_back('[' + Encode(ini, cleanSection) + ']');
      ini.lines.insert(ini.lines.end(), body.begin(), body.end());
    } else {
      const SectionEntry& sec = ini.sections[s->second];
      // Keep the blank lines that separate this section from the next one.
      auto first = ini.lines.begin() + sec.header + 1;
      auto last = ini.lines.begin() + sec.lastContent + 1;
      if (last < first) last = first;
      auto at = ini.lines.erase(first, last);
      ini.lines.insert(at, body.begin(), body.end());
    }
    Index(ini);
    return true;
  });
}

bool IniFileTooLarge(const QString& file) {
  const QString path = ReadPath(file);
  struct stat st {};
  return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode) &&
         st.st_size > kIniFileMax;
}

bool CompactIniFile(const QString& path) {
  QMutexLocker guard(&g_mutex);
  if (InBatch(path) && !FlushBatchLocked()) return false;
  QString resolved = Resolve(path);
  if (resolved.isEmpty()) return false;
  FileLock lock(resolved);
  QByteArray native = QFile::encodeName(resolved);
  QByteArray data;
  struct stat st {};
  // The bytes of the parse read last are the file's as long as it is the same file and
  // no write has changed the parse since (its lines are then its own): a long history is
  // not held twice.
  auto cached = g_cache.constFind(resolved);
  if (cached != g_cache.constEnd() && !cached->ini->materialized && ::stat(native.constData(), &st) == 0 &&
      SameStat(*cached, st)) {
    data = cached->ini->data;
  } else if (!ReadIniBytes(native, &data, &st)) {
    return false;
  }

  // Looks first: most files have nothing to take away.
  auto forEachLine = [&data](auto visit) {
    qsizetype pos = 0;
    for (;;) {
      const qsizetype nl = data.indexOf('\n', pos);
      const qsizetype end = nl < 0 ? data.size() : nl;
      const qsizetype stop = (end > pos && data[end - 1] == '\r') ? end - 1 : end;
      visit(QByteArrayView(data).sliced(pos, stop - pos), nl < 0);
      if (nl < 0) break;
      pos = nl + 1;
    }
  };
  auto emptyValue = [](QByteArrayView line) {
    const qsizetype eq = line.indexOf('=');
    return eq >= 0 && eq == line.size() - 1;
  };
  bool changed = false;
  int emptyAtEnd = 0;  // empty lines at the end; the last one only ends the line before
  forEachLine([&](QByteArrayView line, bool) {
    changed = changed || emptyValue(line);
    emptyAtEnd = line.isEmpty() ? emptyAtEnd + 1 : 0;
  });
  if (!changed && emptyAtEnd < 2) return true;

  QByteArray text;
  text.reserve(data.size() + 64);
  forEachLine([&](QByteArrayView line, bool) {
    if (emptyValue(line)) return;  // a key with an empty value
    text.append(line);
    text.append("\r\n");
  });
  if (text.endsWith("\r\n")) text.chop(2);
  while (text.endsWith("\r\n\r\n")) {
    text.chop(2);
    changed = true;
  }
  if (!changed) return true;
  data.clear();  // let go of the old bytes before the new parse
  return ReplaceFile(resolved, text);
}

void ClearIniCache() {
  QMutexLocker guard(&g_mutex);
  ++g_generation;
  g_cache.clear();
}

void BeginIniBatch() {
  QMutexLocker guard(&g_mutex);
  if (g_batch.depth++ == 0) g_batch.validated = false;
}

bool FlushIniBatch() {
  QMutexLocker guard(&g_mutex);
  return g_batch.depth == 0 || FlushBatchLocked();
}

bool EndIniBatch() {
  QMutexLocker guard(&g_mutex);
  if (g_batch.depth == 0) return true;
  if (--g_batch.depth > 0) return true;
  const bool ok = FlushBatchLocked();
  // What could not be written is dropped: from now on reads show what the file holds.
  ++g_generation;
  g_batch.latest.clear();
  g_batch.order.clear();
  g_batch.validated = false;
  return ok;
}

long long IniFileWriteCount() {
  QMutexLocker guard(&g_mutex);
  return g_fileWrites;
}

}  // namespace kolt
