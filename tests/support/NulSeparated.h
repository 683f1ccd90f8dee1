#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kolt::test {

// The arguments a stand-in program recorded, each ended by a NUL (printf '%s\0' "$@").
inline QStringList NulSeparated(const QByteArray& bytes) {
  QStringList list;
  for (const QByteArray& a : bytes.split('\0')) list.append(QString::fromUtf8(a));
  list.removeLast();  // after the last NUL
  return list;
}

}  // namespace kolt::test
