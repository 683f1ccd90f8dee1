#pragma once

#include <gtest/gtest.h>

#include <QString>

#include "support/ScriptedUi.h"

namespace kolt::test {

// Exactly one message box was shown, and its text begins with `begin`; on failure the
// texts that were shown.
inline ::testing::AssertionResult OneBoxStartsWith(const ScriptedUi& ui, const QString& begin) {
  if (ui.boxes.size() == 1 && ui.boxes[0].text.startsWith(begin)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "wanted one box beginning \"" << begin.toStdString() << "\", got "
                                       << ui.boxes.size() << ": " << ui.Texts().join(" | ").toStdString();
}

// Exactly one message box was shown, and its text contains `part`.
inline ::testing::AssertionResult OneBoxContains(const ScriptedUi& ui, const QString& part) {
  if (ui.boxes.size() == 1 && ui.boxes[0].text.contains(part)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "wanted one box containing \"" << part.toStdString() << "\", got "
                                       << ui.boxes.size() << ": " << ui.Texts().join(" | ").toStdString();
}

}  // namespace kolt::test
