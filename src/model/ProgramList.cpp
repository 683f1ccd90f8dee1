#include "model/ProgramList.h"

namespace kolt {

bool ProgramList::Add(const ProgramPtr& program) {
  if (!program || Contains(program->GetShortName())) return false;
  m_items.push_back(program);
  return true;
}

ProgramPtr ProgramList::Find(const QString& shortName) const {
  for (const ProgramPtr& p : m_items) {
    if (p->GetShortName().compare(shortName, Qt::CaseInsensitive) == 0) return p;
  }
  return nullptr;
}

}  // namespace kolt
