#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/FolderSnapshot.h"

// Game folders installed under Wine, and files that come from Windows machines, spell
// names in any case. Every name looked up on disk goes through these helpers; names we
// create keep the spelling we give them. During a pass (core/Pass.h) they answer from
// the pass's folder snapshot, so each folder is listed once per pass; outside a pass
// they list the folder on each call.
namespace kolt {

// The path of the entry `name` in `folder` whose name equals it without regard to case:
// the exact spelling when it exists, else the first match in listing order. Empty when
// there is none.
QString FindEntryNoCase(const QString& folder, const QString& name);

// The entry `name` of `folder` (found as FindEntryNoCase finds it) with its kind, size
// and time; nullopt when there is none.
std::optional<FolderEntry> EntryNoCase(const QString& folder, const QString& name);

// The entry at `path` (its last part matched without regard to case); nullopt when
// there is none.
std::optional<FolderEntry> FileEntryAt(const QString& path);

// Resolves `relative` (parts separated by '/' or '\') below `base` part by part without
// regard to case. Parts that do not exist are kept as given, so the result is also the
// path to create. `found` (optional) tells whether every part exists.
QString ResolveNoCase(const QString& base, const QString& relative, bool* found = nullptr);

// The names in `folder` that match a Windows wildcard pattern (`*`, `?`) without regard
// to case, sorted by name. `filesOnly` leaves out everything that is not a file.
QStringList ListNoCase(const QString& folder, const QString& pattern, bool filesOnly = true);

// The entries of `folder` whose names begin with `prefix` without regard to case, sorted
// by name (the files of one game among thousands in its folder).
std::vector<FolderEntry> ListPrefixNoCase(const QString& folder, const QString& prefix);

// True when `name` matches the Windows wildcard `pattern` without regard to case.
bool WildcardMatch(const QString& pattern, const QString& name);
// True when `text` begins with `prefix` without regard to case.
bool StartsWithNoCase(QStringView text, QStringView prefix);
// True when the two are equal without regard to case.
bool EqualsNoCase(QLatin1StringView a, QStringView b);

// FNV-1a over the case-folded code points of `text`, going on from `hash`: texts equal
// without regard to case hash alike, so it keys case-blind indexes, and the hash of a
// text serves for each text that begins with it.
constexpr quint64 kNoCaseHashStart = 1469598103934665603ull;
quint64 HashNoCase(QStringView text, quint64 hash = kNoCaseHashStart) noexcept;

}  // namespace kolt
