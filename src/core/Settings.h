#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The settings store: KOLT.INI and the definition files of user-defined programs.
//
// Windows private-profile semantics (sections and keys without regard to case, defaults
// on absence, values of at most 255 characters cut at NUL, `key=` for empty values,
// in-place replacement that keeps every other line), plus what a shared file on Linux
// needs: each write replaces the file atomically under an advisory lock, so a crash
// never leaves a half-written file and two processes never lose each other's writes;
// reads are served from a parse cache that is checked against the file's size,
// modification time and inode on every call.
namespace kolt {

// The settings file used when a call names no file. Set once at start-up.
void SetSettingsPath(const QString& path);
QString SettingsPath();

// `file` empty means the settings file. Writes return false when the file could not be
// written (errno tells why); during a pass (core/Pass.h) writes to the settings file are
// gathered and return true, and the pass's end reports whether they reached the disk.
QString IniRead(const QString& section, const QString& key, const QString& defaultValue = QString(),
                const QString& file = QString());
// True when the value the last IniRead on this thread returned was cut: the file holds
// more than kIniValueMax characters under that key. A cut list of addresses still looks
// like one, so the callers that mail to a value ask.
bool IniLastReadWasCut();
[[nodiscard]] bool IniWrite(const QString& section, const QString& key, const QString& value,
                            const QString& file = QString());

// Whole-section access: the section's non-blank lines ("key=value") in file order, at
// most 32,767 characters in all; an absent section gives an empty list.
QStringList IniReadSection(const QString& section, const QString& file = QString());
// Replaces the section's lines with `lines` (creating the section when absent).
[[nodiscard]] bool IniWriteSection(const QString& section, const QStringList& lines,
                                   const QString& file = QString());

// Removes `key=` lines and trailing blank lines; rewrites the file only when something
// changed. False when the file cannot be read.
[[nodiscard]] bool CompactIniFile(const QString& path);

// Gathering the writes of a pass (use core/Pass rather than these). Between Begin and
// the matching End, writes to the settings file are kept in memory, where reads see
// them, and the file is checked against the disk only once. End of the outermost batch
// writes them in one replacement: under the lock, after a fresh read, so the keys that
// another process wrote meanwhile stay. False when that write failed; the gathered
// writes are then dropped and reads show the file as it is.
void BeginIniBatch();
[[nodiscard]] bool EndIniBatch();
// Writes what was gathered so far; the batch goes on. False when the write failed (the
// gathered writes stay for the next try).
[[nodiscard]] bool FlushIniBatch();
// Files replaced by the store since start (tests count them).
long long IniFileWriteCount();

// Drops every cached parse (tests, and callers that know a file changed behind our back
// within the same second and size).
void ClearIniCache();

// No settings or definition file is anywhere near this; a larger one is not read (reads
// give the defaults) and not replaced (writes fail with EFBIG), so a file that somebody
// made huge can neither exhaust the memory nor be lost.
constexpr qint64 kIniFileMax = qint64{64} * 1024 * 1024;
// True when `file` (empty: the settings file) exists and is larger than kIniFileMax.
bool IniFileTooLarge(const QString& file = QString());

constexpr int kIniValueMax = 255;
constexpr int kIniSectionMax = 32767;

// The values of `key` + each of `suffixes` in `section` with one look-up of the section
// and one folding of the key (a game's record: its address and its "/S", "/R", ...
// keys), each as IniRead reads it with an empty default. `cut`, when given, tells for
// each whether it was cut.
QStringList IniReadKeys(const QString& section, const QString& key, const QStringList& suffixes,
                        std::vector<bool>* cut = nullptr, const QString& file = QString());
// Sets what IniLastReadWasCut tells, for a reader that serves a value it read earlier.
void IniSetLastReadWasCut(bool cut);
// Changes whenever a read may give something else than before: a write, a gathered
// write, a file read anew. Values kept during a pass are good while it stays the same.
quint64 IniGeneration();

}  // namespace kolt
