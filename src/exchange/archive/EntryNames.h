#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Names of archive entries come from other people's machines: new zippers write UTF-8,
// old Windows zippers the DOS code page 437 or Windows-1252, and some separate folders
// with '\'. These helpers turn such a name into a path below the target folder, or say
// why it cannot be one.
namespace kolt {

// UTF-8 when the bytes are valid UTF-8; otherwise code page 437 or Windows-1252,
// whichever the high bytes make more likely.
QString DecodeEntryName(const QByteArray& raw);

// Code page 437 (the code page the ZIP format names for entries without the UTF-8 flag).
QString DecodeCp437(const QByteArray& raw);

struct EntryPath {
  QStringList parts;        // folder names, then the entry's own name; no "." or ".." and no empty parts
  bool folderLike = false;  // the name ends with a separator
};

// Splits `name` at '/' and '\' into the parts of a path below the target folder. Returns
// an empty text when it is safe, else the reason it is refused (an absolute path, a
// drive letter, "..", a part too long for the file system). A name of the target folder
// itself ("./") gives no parts and no reason.
QString SplitEntryName(const QString& name, EntryPath* path);

}  // namespace kolt
