#include "core/Pass.h"

#include "core/FolderSnapshot.h"
#include "core/Settings.h"

namespace kolt {

Pass::Pass() {
  if (CurrentSnapshot()) return;  // joins the pass in progress
  m_outermost = true;
  m_snapshot = std::make_unique<FolderSnapshot>();
  SetCurrentSnapshot(m_snapshot.get());
  BeginIniBatch();
}

Pass::~Pass() {
  End();
}

bool Pass::End() {
  if (m_ended) return true;
  m_ended = true;
  if (!m_outermost) return true;
  SetCurrentSnapshot(nullptr);
  m_snapshot.reset();
  return EndIniBatch();
}

}  // namespace kolt
