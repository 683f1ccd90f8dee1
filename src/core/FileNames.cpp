#include "core/FileNames.h"

#include <QDir>
#include <QFileInfo>

namespace kolt {

QString FindEntryNoCase(const QString& folder, const QString& name) {
  if (name.isEmpty()) return QString();
  const QString exact = QDir(folder).filePath(name);
  if (QFileInfo::exists(exact)) return exact;
  const QStringList entries =
      QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                             QDir::Name);
  for (const QString& entry : entries) {
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return QDir(folder).filePath(entry);
  }
  return QString();
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
  // Iterative '*' matching with backtracking to the last star.
  qsizetype p = 0, n = 0, star = -1, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == QChar('?') ||
                               pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
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

QStringList ListNoCase(const QString& folder, const QString& pattern, bool filesOnly) {
  QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
  if (!filesOnly) filters |= QDir::Dirs;
  const QStringList entries = QDir(folder).entryList(filters, QDir::Name);
  QStringList result;
  for (const QString& entry : entries) {
    if (WildcardMatch(pattern, entry)) result.append(entry);
  }
  return result;
}

}  // namespace kolt
