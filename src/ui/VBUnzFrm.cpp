#include "ui/VBUnzFrm.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>

#include "ui_VBUnzFrm.h"

namespace kolt {

VBUnzFrm::VBUnzFrm(QWidget* parent) : QWidget(parent, Qt::Window), m_ui(std::make_unique<Ui::VBUnzFrm>()) {
  m_ui->setupUi(this);
  // Names and messages line up in a fixed-pitch font.
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  m_ui->ExtractRoot->setFont(fixed);
  m_ui->lstMessages->setFont(fixed);
  // A hidden progress window must never keep the program running after the main window.
  setAttribute(Qt::WA_QuitOnClose, false);
}

VBUnzFrm::~VBUnzFrm() = default;

void VBUnzFrm::SetMode(Mode mode) {
  const bool zip = mode == Mode::Zip;
  setWindowTitle(zip ? QStringLiteral("Zipping...") : QStringLiteral("Unzipping..."));
  m_ui->lblZipName->setText(zip ? QStringLiteral("Compressing file:")
                                : QStringLiteral("Decompressing file:"));
  m_ui->lblDir->setText(zip ? QStringLiteral("Files:") : QStringLiteral("Into directory:"));
}

void VBUnzFrm::SetArchiveName(const QString& path) {
  m_ui->ZipFName->setText(path);
}

void VBUnzFrm::SetExtractRoot(const QString& text) {
  m_ui->ExtractRoot->setText(text);
}

void VBUnzFrm::ClearLines() {
  m_ui->lstMessages->clear();
}

void VBUnzFrm::AddLine(const QString& line) {
  m_ui->lstMessages->addItem(line);
  m_ui->lstMessages->setCurrentRow(m_ui->lstMessages->count() - 1);
  m_ui->lstMessages->scrollToBottom();
}

void VBUnzFrm::Show() {
  show();
  raise();
}

void VBUnzFrm::Hide() {
  hide();
}

void VBUnzFrm::ShowAgain() {
  show();
  raise();
  activateWindow();
}

void VBUnzFrm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape &&
      (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0) {
    hide();
    return;
  }
  QWidget::keyPressEvent(event);
}

void VBUnzFrm::closeEvent(QCloseEvent* event) {
  // Kept for the next operation and for the main window's command.
  event->ignore();
  hide();
}

}  // namespace kolt
