#pragma once

#include <QString>

#include "core/FolderSnapshot.h"

namespace kolt {

// A modification stamp ("yyyy-mm-dd hh:nn:ss", local time) kept as a number that orders
// as its text does: the digits read as one decimal, 20240601100000. Stamps stored in the
// settings file are text; one that is not a well-formed stamp keeps its text and then
// compares as text, as every stamp did before. A refresh compares and counts with the
// numbers and forms no text it does not show.
class Stamp {
 public:
  Stamp() = default;
  // The stamp of a listed file's last modification (local time, from the C library's
  // zone read once per process: no per-file check of the zone file).
  static Stamp OfFile(const FolderEntry& entry);
  // A stored stamp; "" gives the empty stamp.
  static Stamp FromText(const QString& text);
  // The stamp of a wall-clock time given as yyyymmddhhmmss.
  static Stamp FromNumber(qint64 number) {
    Stamp s;
    s.m_number = number;
    return s;
  }

  bool IsEmpty() const { return m_number == 0 && m_text.isEmpty(); }
  QString Text() const;
  // Seconds since the epoch of the local time the stamp names; -1 when it names none
  // (empty, or not a stamp).
  qint64 EpochSeconds() const;

  // <0, 0, >0 as the stamps' texts compare ordinally.
  int Compare(const Stamp& other) const;
  bool operator==(const Stamp& other) const { return Compare(other) == 0; }
  bool operator<(const Stamp& other) const { return Compare(other) < 0; }
  bool operator>(const Stamp& other) const { return Compare(other) > 0; }
  bool operator<=(const Stamp& other) const { return Compare(other) <= 0; }

  // Local wall-clock conversions made so far (tests count them per game).
  static long long ConversionCount();

 private:
  qint64 m_number = 0;  // 0: none, or the text below
  QString m_text;       // a stored text that is not a well-formed stamp
};

}  // namespace kolt
