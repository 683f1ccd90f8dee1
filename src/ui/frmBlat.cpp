#include "ui/frmBlat.h"

#include <QFontDatabase>

#include "ui_frmBlat.h"

namespace kolt {

frmBlat::frmBlat(QWidget* parent) : QDialog(parent), m_form(std::make_unique<Ui::frmBlat>()) {
  m_form->setupUi(this);
  // The SMTP conversation reads as the server wrote it.
  m_form->lstMessages->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  connect(m_form->cmdCancel, &QPushButton::clicked, this, &frmBlat::cmdCancel_Click);
}

frmBlat::~frmBlat() = default;

void frmBlat::Init() {
  m_form->txtTo->clear();
  m_form->ZipFName->clear();
  m_form->lstMessages->clear();
  m_form->prgSent->setValue(0);
  m_cancel = false;
}

void frmBlat::SetRecipients(const QString& text) {
  m_form->txtTo->setText(text);
}

void frmBlat::SetAttachments(const QString& text) {
  m_form->ZipFName->setText(text);
  m_form->ZipFName->setCursorPosition(0);
}

void frmBlat::AddLine(const QString& line) {
  m_form->lstMessages->addItem(line);
  m_form->lstMessages->scrollToBottom();
}

void frmBlat::SetProgress(qint64 done, qint64 total) {
  m_form->prgSent->setValue(total > 0 ? static_cast<int>(std::min<qint64>(done, total) * 1000 / total) : 0);
}

void frmBlat::SetSending(bool sending) {
  m_sending = sending;
  m_form->cmdCancel->setText(sending ? tr("Cancel") : tr("Close"));
}

void frmBlat::ShowWindow() {
  show();
  raise();
}

void frmBlat::HideWindow() {
  hide();
}

QStringList frmBlat::Lines() const {
  QStringList lines;
  for (int i = 0; i < m_form->lstMessages->count(); ++i) lines.append(m_form->lstMessages->item(i)->text());
  return lines;
}

void frmBlat::cmdCancel_Click() {
  if (m_sending) {
    m_cancel = true;  // the transport sees it at its next step
    return;
  }
  hide();
}

}  // namespace kolt
