#pragma once

#include <QPointer>
#include <QWidget>

namespace kolt {

// Gives the keyboard back to the window a question was asked from once the question is
// gone. Window managers differ in where they put the focus when a dialog closes, and
// some hand it to the main window, whose keys (Alt+C: Close) then act on the wrong one.
class FocusReturn final {
 public:
  explicit FocusReturn(QWidget* owner) : m_owner(owner ? owner->window() : nullptr) {}
  ~FocusReturn() {
    if (m_owner && m_owner->isVisible()) {
      m_owner->raise();
      m_owner->activateWindow();
    }
  }
  FocusReturn(const FocusReturn&) = delete;
  FocusReturn& operator=(const FocusReturn&) = delete;

 private:
  QPointer<QWidget> m_owner;
};

}  // namespace kolt
