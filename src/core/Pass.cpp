#include "core/Pass.h"

#include <QtGlobal>
#include <cerrno>
#include <cstring>

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
  // A pass left without End has no one to tell the user; the failure is not silent all
  // the same.
  if (!End()) {
    const int error = errno;
    qWarning("Can't write the settings file %s: %s", qPrintable(SettingsPath()), std::strerror(error));
  }
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
