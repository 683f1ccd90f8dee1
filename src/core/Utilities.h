#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

struct stat;

// Small operations shared by the whole program.
namespace kolt {

// "512 B", "1.5 kB", "23 MB".
QString FormatSize(qint64 bytes);
// One decimal below 10, none from 10 to 999, the general number beyond.
QString FormatOneDecimal(double x);
// As many decimals as needed, the locale's decimal separator, no group separators.
QString FormatGeneralNumber(double x);

// -1, 0 or 1; numeric parts, the version with fewer parts is the lower.
int CompareVersions(const QString& a, const QString& b);

// Seeds the generator behind GeneratePassword once; `seed` 0 takes it from the clock.
void SeedRandom(std::uint64_t seed = 0);
// 8 characters, the first a letter.
QString GeneratePassword();

// VB-style numeric conversion of a text: the leading number, 0 when there is none.
double LeadingNumber(const QString& text);
long long LeadingInteger(const QString& text);

// The first `max` bytes of a regular file (all of it when shorter); nullopt when it is
// not a regular file or cannot be read. A pipe or device in its place never blocks.
// `info`, when given, receives the status of the file that was read.
std::optional<QByteArray> ReadFileHead(const QString& path, qint64 max, struct stat* info = nullptr);
// The same from byte `offset` on: at most `max` bytes, fewer at the file's end; what lies
// before `offset` is not read.
std::optional<QByteArray> ReadFilePart(const QString& path, qint64 offset, qint64 max,
                                       struct stat* info = nullptr);

void TrimNewlines(QString& text);

// String-list operations behind the removed-programs list.
int ArrayIndexOf(const QStringList& array, const QString& text);
bool ArrayAdd(QStringList& array, const QString& text);
bool ArrayRemove(QStringList& array, const QString& text);
QString JoinNonEmpty(const QStringList& array);

// A keyed collection whose keys are upper-case texts (received programs and games).
using KeyedCollection = QHash<QString, QString>;
void AddUnique(KeyedCollection& collection, const QString& text);
bool CollectionHasKey(const KeyedCollection& collection, const QString& text);

}  // namespace kolt
