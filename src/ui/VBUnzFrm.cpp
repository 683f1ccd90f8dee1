#include "ui/VBUnzFrm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>

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
  setWindowTitle(zip ? tr("Zipping...") : tr("Unzipping..."));
  m_ui->lblZipName->setText(zip ? tr("Compressing file:") : tr("Decompressing file:"));
  m_ui->lblDir->setText(zip ? tr("Files:") : tr("Into directory:"));
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
  if (!isVisible()) PlaceOnScreen();
  show();
  raise();
}

// Over the window the user works in (else in the middle of the screen), and wholly on
// that window's screen: a progress window partly out of sight hides what it reports.
void VBUnzFrm::PlaceOnScreen() {
  const QWidget* owner = QApplication::activeWindow();
  if (owner == this) owner = nullptr;
  const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  // The frame (title bar and borders) as the window manager drew it last time, else a
  // guess; the first showing has none yet.
  const QSize frameExtra =
      isWindow() && frameGeometry().size() != size() ? frameGeometry().size() - size() : QSize(16, 40);
  const QSize inner = size().boundedTo(area.size() - frameExtra).expandedTo(minimumSizeHint());
  if (inner != size()) resize(inner);
  QRect frame(QPoint(), inner + frameExtra);
  if (!m_placed || !area.contains(frameGeometry()))
    frame.moveCenter(owner ? owner->frameGeometry().center() : area.center());
  else
    frame.moveTopLeft(frameGeometry().topLeft());
  frame.moveLeft(
      std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width() + 1)));
  frame.moveTop(
      std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height() + 1)));
  move(frame.topLeft());
  m_placed = true;
}

void VBUnzFrm::Hide() {
  hide();
}

void VBUnzFrm::ShowAgain() {
  if (!isVisible()) PlaceOnScreen();
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
