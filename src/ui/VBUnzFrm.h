#pragma once

#include <QWidget>
#include <memory>

#include "exchange/archive/ArchiveLog.h"

namespace Ui {
class VBUnzFrm;
}

namespace kolt {

// The archive progress window: the archive, the target folder (or the names being
// packed) and the messages of the last packing or unpacking. One instance for the whole
// run; Esc and the close button only hide it, and the main window's command shows the
// same window again with its messages.
class VBUnzFrm final : public QWidget, public ArchiveLog {
  Q_OBJECT

 public:
  explicit VBUnzFrm(QWidget* parent = nullptr);
  ~VBUnzFrm() override;

  void SetMode(Mode mode) override;
  void SetArchiveName(const QString& path) override;
  void SetExtractRoot(const QString& text) override;
  void ClearLines() override;
  void AddLine(const QString& line) override;
  void Show() override;
  void Hide() override;

  // For the main window's command: brings the window back to the front.
  void ShowAgain();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void PlaceOnScreen();
  bool m_placed = false;
  std::unique_ptr<Ui::VBUnzFrm> m_ui;
};

}  // namespace kolt
