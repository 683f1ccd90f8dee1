#pragma once

// What every fuzz target shares: a Qt core application, one private folder for the files
// an input becomes, and a UI port that answers every question with its default button.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "core/UiPort.h"

namespace kolt::fuzz {

class QuietUi final : public UiPort {
 public:
  std::optional<QString> InputBox(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  void ShowStatus(const QString&) override {}
  void DoEvents() override {}

 protected:
  Answer ShowMessageBox(const QString&, Buttons buttons, Icon, const QString&, int defaultButton) override {
    return DefaultAnswer(buttons, defaultButton);
  }
};

inline QString Folder() {
  static int argc = 1;
  static char name[] = "kolt-fuzz";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* app = new QCoreApplication(argc, argv);
  // Kept for the whole run and removed when the fuzzer ends it with exit().
  static QTemporaryDir* dir = new QTemporaryDir();
  static const bool removedAtExit = std::atexit([] { delete dir; }) == 0;
  (void)app;
  (void)removedAtExit;
  return dir->path();
}

inline QByteArray Bytes(const uint8_t* data, size_t size) {
  return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Writes `bytes` to `name` in the private folder and returns its path.
inline QString WriteInput(const QString& name, const QByteArray& bytes) {
  const QString path = Folder() + QChar('/') + name;
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
  file.write(bytes);
  return path;
}

// A property the code promises that the input broke: a finding.
inline void Require(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace kolt::fuzz
