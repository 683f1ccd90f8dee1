#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QString>

namespace kolt::test {

// The child of `parent` with the object name `name`; a failure when there is none.
template <typename T>
T* Child(const QObject& parent, const QString& name) {
  T* child = parent.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name.toStdString();
  return child;
}

}  // namespace kolt::test
