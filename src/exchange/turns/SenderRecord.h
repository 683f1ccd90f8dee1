#pragma once

#include <QByteArray>
#include <QString>

namespace kolt {

// SENDER.TXT, the record that travels at the root of every KLT archive: four lines,
// each ended by CR LF. Other people's copies read and write it, so its layout is fixed.
struct SenderRecord {
  QString address;       // the sender's own address
  QString timeZoneText;  // "(GMT+1) CET"; informative only
  int bias = 0;          // minutes; local time + bias = UTC
  QString version;       // major.minor.revision
};

constexpr char kSenderFileName[] = "SENDER.TXT";

// The file's bytes: Windows-1252 where the text allows it (what older readers expect),
// else UTF-8.
QByteArray SenderFileBytes(const SenderRecord& record);

// Reads a received SENDER.TXT. It comes from someone else: only its first few kilobytes
// are read, lines may end in CR LF, LF or CR, missing lines stay empty, each field is
// cut to a sane length and stripped of control characters. False when the file cannot
// be opened or is not a regular file. The address is kept whole up to a kilobyte, so
// that a list too long for the settings is seen as such.
bool ReadSenderFile(const QString& path, SenderRecord* record);

// The same rules on bytes already read.
SenderRecord ParseSenderFile(const QByteArray& bytes);

}  // namespace kolt
