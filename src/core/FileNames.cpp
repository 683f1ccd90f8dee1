#include "core/FileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kolt {
namespace {

// The listing of `folder`: the pass's when one runs, else a one-off listing kept alive
// by `holder`.
const FolderListing* Listing(const QString& folder, std::shared_ptr<FolderListing>& holder) {
  if (FolderSnapshot* snapshot = CurrentSnapshot()) return snapshot->Folder(folder);
  holder = FolderListing::Read(folder);
  return holder.get();
}

// One character against another without regard to case; ASCII, most of every name,
// without the library's tables.
bool SameNoCase(QChar a, QChar b) {
  const char16_t x = a.unicode(), y = b.unicode();
  if (x < 128 && y < 128) {
    auto lower = [](char16_t c) { return c >= 'A' && c <= 'Z' ? char16_t(c + 32) : c; };
    return lower(x) == lower(y);
  }
  return a.toCaseFolded() == b.toCaseFolded();
}

}  // namespace

std::optional<FolderEntry> EntryNoCase(const QString& folder, const QString& name) {
  if (name.isEmpty() || folder.isEmpty()) return std::nullopt;
  // Outside a pass the exact spelling is one stat away; the listing is for the rest.
  if (!CurrentSnapshot()) {
    if (std::optional<FolderEntry> exact = StatFolderEntry(folder, name)) return exact;
  }
  std::shared_ptr<FolderListing> holder;
  const FolderListing* listing = Listing(folder, holder);
  const FolderEntry* entry = listing ? listing->Find(name) : nullptr;
  if (!entry) return std::nullopt;
  return *entry;
}

QString FindEntryNoCase(const QString& folder, const QString& name) {
  const std::optional<FolderEntry> entry = EntryNoCase(folder, name);
  return entry ? QDir(folder).filePath(entry->name) : QString();
}

std::optional<FolderEntry> FileEntryAt(const QString& path) {
  const QFileInfo info(path);
  return EntryNoCase(info.path(), info.fileName());
}

QString ResolveNoCase(const QString& base, const QString& relative, bool* found) {
  QString path = base;
  bool all = true;
  QString rel = relative;
  rel.replace(QChar('\\'), QChar('/'));
  const QStringList parts = rel.split(QChar('/'), Qt::SkipEmptyParts);
  for (const QString& part : parts) {
    QString next = all ? FindEntryNoCase(path, part) : QString();
    if (next.isEmpty()) {
      all = false;
      next = QDir(path).filePath(part);
    }
    path = next;
  }
  if (found) *found = all;
  return path;
}

bool WildcardMatch(const QString& pattern, const QString& name) {
  if (pattern == QStringLiteral("*.*")) return true;  // Windows: also names without a dot
  // The usual pattern, "*.ext": the name's end, without the backtracking below.
  const QStringView tail = QStringView(pattern).sliced(pattern.startsWith(QChar('*')) ? 1 : 0);
  if (tail.size() < pattern.size() && !tail.contains(QChar('*')) && !tail.contains(QChar('?')))
    return name.size() >= tail.size() &&
           StartsWithNoCase(QStringView(name).sliced(name.size() - tail.size()), tail);
  // Iterative '*' matching with backtracking to the last star.
  qsizetype p = 0, n = 0, star = -1, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == QChar('?') || SameNoCase(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == QChar('*')) {
      star = p++;
      mark = n;
    } else if (star >= 0) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == QChar('*')) ++p;
  return p == pattern.size();
}

bool StartsWithNoCase(QStringView text, QStringView prefix) {
  if (prefix.size() > text.size()) return false;
  for (qsizetype i = 0; i < prefix.size(); ++i) {
    // Past ASCII the library folds whole characters, pairs of units among them.
    if (text[i].unicode() >= 0x80 || prefix[i].unicode() >= 0x80)
      return text.startsWith(prefix, Qt::CaseInsensitive);
    if (!SameNoCase(text[i], prefix[i])) return false;
  }
  return true;
}

bool EqualsNoCase(QLatin1StringView a, QStringView b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i) {
    if (!SameNoCase(QChar(static_cast<uchar>(a[i].toLatin1())), b[i])) return false;
  }
  return true;
}

quint64 HashNoCase(QStringView text, quint64 hash) noexcept {
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    char32_t c = text[i].unicode();
    if (c < 0x80) {
      if (c >= 'A' && c <= 'Z') c += 32;
    } else if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
      c = QChar::toCaseFolded(QChar::surrogateToUcs4(static_cast<char16_t>(c), text[++i].unicode()));
    } else {
      c = QChar::toCaseFolded(c);
    }
    hash = (hash ^ c) * 1099511628211ull;
  }
  return hash;
}

QStringList ListNoCase(const QString& folder, const QString& pattern, bool filesOnly) {
  std::shared_ptr<FolderListing> holder;
  const FolderListing* listing = Listing(folder, holder);
  return listing ? listing->Match(pattern, filesOnly) : QStringList();
}

std::vector<FolderEntry> ListPrefixNoCase(const QString& folder, const QString& prefix) {
  std::shared_ptr<FolderListing> holder;
  const FolderListing* listing = Listing(folder, holder);
  return listing ? listing->WithPrefix(prefix) : std::vector<FolderEntry>();
}

}  // namespace kolt
