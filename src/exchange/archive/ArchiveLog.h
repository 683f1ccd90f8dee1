#pragma once

#include <QString>

namespace kolt {

// The progress window of the archive wrapper as the exchange layer sees it: the window
// layer implements it with a real window, tests and the terminal program with a
// recording one.
class ArchiveLog {
 public:
  enum class Mode { Unzip, Zip };

  virtual ~ArchiveLog() = default;

  // Caption and labels of the window: unzip texts or zip texts.
  virtual void SetMode(Mode mode) = 0;
  // The archive being read or written.
  virtual void SetArchiveName(const QString& path) = 0;
  // The target folder (unzip) or the names being packed (zip).
  virtual void SetExtractRoot(const QString& text) = 0;
  virtual void ClearLines() = 0;
  // Appends one line to the message list and selects it, so the list scrolls to it.
  virtual void AddLine(const QString& line) = 0;
  // Shows the window without waiting for it.
  virtual void Show() = 0;
  virtual void Hide() = 0;
};

}  // namespace kolt
