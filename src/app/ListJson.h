#pragma once

#include <QByteArray>
#include <vector>

#include "model/ListRows.h"

namespace kolt {

// kolt-cli list --json: {"games": [...], "programs": [...]}, written straight from the
// rows. Laid out exactly as Qt's indented JSON writer lays out the same objects (keys in
// order, four blanks per level), which scripts have read since the first version: a
// document per row built and then indented cost more than the whole refresh.
class ListJson {
 public:
  static QByteArray Write(const std::vector<ProgramRow>& programs, const std::vector<GameRow>& games);

 private:
  static void String(QByteArray& out, const QString& text);
  static void Number(QByteArray& out, qint64 value);
};

}  // namespace kolt
