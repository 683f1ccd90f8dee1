#pragma once

#include <QByteArray>
#include <QString>

// Game files and INI files are bytes. Text written by Windows programs is usually
// Windows-1252; text written here is UTF-8. These helpers tell them apart.
namespace kolt {

// UTF-8 when the bytes are valid UTF-8, else Windows-1252.
QString DecodeText(const QByteArray& bytes);
QString DecodeText(const char* data, qsizetype size);

bool IsValidUtf8(const char* data, qsizetype size);

QString DecodeCp1252(const char* data, qsizetype size);

// Encodes as Windows-1252. Returns false (and an empty array) when a character has no
// Windows-1252 byte.
bool EncodeCp1252(const QString& text, QByteArray* out);

// Characters that must not reach the user from other people's text: control
// characters, line and paragraph separators, and the invisible marks that reverse the
// direction of text (they could forge lines of a message or disguise a file name).
bool IsUnsafeForDisplay(QChar c);
// `text` with each such character replaced by `replacement`, or removed when it is null.
QString SafeForDisplay(const QString& text, QChar replacement = QChar('?'));

}  // namespace kolt
