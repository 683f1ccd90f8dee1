#include "ui/frmBlat.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

namespace kolt {

frmBlat::frmBlat(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmBlat"));
  setWindowTitle(QStringLiteral("Sending message..."));
  setModal(false);
  auto* grid = new QGridLayout(this);

  auto* lblTo = new QLabel(QStringLiteral("To:"), this);
  txtTo = new QLineEdit(this);
  txtTo->setObjectName(QStringLiteral("txtTo"));
  txtTo->setReadOnly(true);
  lblZipName = new QLabel(QStringLiteral("Attachment:"), this);
  lblZipName->setObjectName(QStringLiteral("lblZipName"));
  ZipFName = new QLineEdit(this);
  ZipFName->setObjectName(QStringLiteral("ZipFName"));
  ZipFName->setReadOnly(true);
  lstMessages = new QListWidget(this);
  lstMessages->setObjectName(QStringLiteral("lstMessages"));
  lstMessages->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  lstMessages->setUniformItemSizes(true);
  prgSent = new QProgressBar(this);
  prgSent->setObjectName(QStringLiteral("prgSent"));
  prgSent->setRange(0, 1000);
  prgSent->setValue(0);
  prgSent->setTextVisible(false);
  cmdCancel = new QPushButton(QStringLiteral("Close"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

  grid->addWidget(lblTo, 0, 0);
  grid->addWidget(txtTo, 0, 1, 1, 2);
  grid->addWidget(lblZipName, 1, 0);
  grid->addWidget(ZipFName, 1, 1, 1, 2);
  grid->addWidget(lstMessages, 2, 0, 1, 3);
  grid->addWidget(prgSent, 3, 0, 1, 2);
  grid->addWidget(cmdCancel, 3, 2);
  grid->setColumnStretch(1, 1);
  resize(640, 360);

  connect(cmdCancel, &QPushButton::clicked, this, &frmBlat::cmdCancel_Click);
}

void frmBlat::Init() {
  txtTo->clear();
  ZipFName->clear();
  lstMessages->clear();
  prgSent->setValue(0);
  m_cancel = false;
}

void frmBlat::SetRecipients(const QString& text) {
  txtTo->setText(text);
}

void frmBlat::SetAttachments(const QString& text) {
  ZipFName->setText(text);
  ZipFName->setCursorPosition(0);
}

void frmBlat::AddLine(const QString& line) {
  lstMessages->addItem(line);
  lstMessages->scrollToBottom();
}

void frmBlat::SetProgress(qint64 done, qint64 total) {
  prgSent->setValue(total > 0 ? static_cast<int>(std::min<qint64>(done, total) * 1000 / total) : 0);
}

void frmBlat::SetSending(bool sending) {
  m_sending = sending;
  cmdCancel->setText(sending ? QStringLiteral("Cancel") : QStringLiteral("Close"));
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
  for (int i = 0; i < lstMessages->count(); ++i) lines.append(lstMessages->item(i)->text());
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
