#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QString>
#include <QWidget>

namespace kolt::test {

// Saves what `widget` shows as screenshots/<name>.png under the build folder, for a
// reviewer to look at.
inline void SaveScreenshot(QWidget& widget, const QString& name) {
  const QString folder = QStringLiteral(KOLT_TEST_BINARY_DIR "/screenshots");
  QDir().mkpath(folder);
  EXPECT_TRUE(widget.grab().save(folder + QChar('/') + name + QStringLiteral(".png"))) << name.toStdString();
}

}  // namespace kolt::test
