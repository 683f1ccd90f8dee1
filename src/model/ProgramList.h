#pragma once

#include <QString>
#include <vector>

#include "model/Program.h"

namespace kolt {

// The ordered program list, each program under its short name (unique, compared
// without regard to case).
class ProgramList {
 public:
  using const_iterator = std::vector<ProgramPtr>::const_iterator;

  void Clear() { m_items.clear(); }
  // Appends under GetShortName; false (and nothing added) when the key is taken.
  bool Add(const ProgramPtr& program);
  // The program stored under `shortName`, or null.
  ProgramPtr Find(const QString& shortName) const;
  bool Contains(const QString& shortName) const { return Find(shortName) != nullptr; }

  int Count() const { return static_cast<int>(m_items.size()); }
  bool IsEmpty() const { return m_items.empty(); }
  const ProgramPtr& At(int index) const { return m_items.at(static_cast<size_t>(index)); }
  const_iterator begin() const { return m_items.begin(); }
  const_iterator end() const { return m_items.end(); }

 private:
  std::vector<ProgramPtr> m_items;
};

}  // namespace kolt
