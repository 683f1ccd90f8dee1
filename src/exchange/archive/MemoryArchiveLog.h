#pragma once

#include <QStringList>

#include "exchange/archive/ArchiveLog.h"

namespace kolt {

// An archive log that only remembers what it was told: for the terminal program, the
// benchmarks and the tests.
class MemoryArchiveLog final : public ArchiveLog {
 public:
  void SetMode(Mode mode) override { this->mode = mode; }
  void SetArchiveName(const QString& path) override { archiveName = path; }
  void SetExtractRoot(const QString& text) override { extractRoot = text; }
  void ClearLines() override { lines.clear(); }
  void AddLine(const QString& line) override { lines.append(line); }
  void Show() override { visible = true; }
  void Hide() override { visible = false; }

  Mode mode = Mode::Unzip;
  QString archiveName;
  QString extractRoot;
  QStringList lines;
  bool visible = false;
};

}  // namespace kolt
