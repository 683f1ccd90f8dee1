#include "ui/frmTaunt.h"

#include <QKeySequence>
#include <QPlainTextEdit>
#include <QShortcut>

#include "core/AppSettings.h"
#include "core/UiPort.h"
#include "ui_frmTaunt.h"

namespace kolt {
namespace {}  // namespace

frmTaunt::frmTaunt(UiPort& ui, QWidget* parent)
    : QDialog(parent), m_form(std::make_unique<Ui::frmTaunt>()), m_port(ui) {
  m_form->setupUi(this);
  connect(m_form->txtText, &QLineEdit::returnPressed, this, &frmTaunt::txtText_Return);
  connect(m_form->cmbText, &QComboBox::activated, this, &frmTaunt::cmbText_Activated);
  connect(m_form->cmdDelText, &QPushButton::clicked, this, &frmTaunt::cmdDelText_Click);
  connect(m_form->cmdSend, &QPushButton::clicked, this, &frmTaunt::cmdSend_Click);
  connect(m_form->cmdCancel, &QPushButton::clicked, this, &frmTaunt::reject);
  // Ctrl+Enter sends from anywhere in the dialog, the message field included.
  for (const QKeySequence& key :
       {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
    auto* shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, &frmTaunt::cmdSend_Click);
  }
}

frmTaunt::~frmTaunt() = default;

// Goes into the mail as it is, whatever the language of the window: not translated.
QString frmTaunt::SignatureText() {
  return QStringLiteral("KOLT Helper: ") + QStringLiteral("KOLT Helper for Linux");
}

void frmTaunt::Prepare(const QString& address, const QString& gamesText) {
  m_form->txtEMail->setText(address);
  m_form->txtGames->setText(gamesText);
  m_form->txtTaunt->clear();
  m_result.reset();
  m_saved = false;
  Form_Load();
  m_form->txtTaunt->setFocus();
}

void frmTaunt::Form_Load() {
  m_form->cmbText->clear();
  for (const QString& text : TauntTexts()) AddTextToList(text);
  AddTextToList(QStringLiteral(" "));
  AddTextToList(SignatureText());
  m_form->cmbText->setCurrentIndex(-1);
}

QStringList frmTaunt::StoredTexts() const {
  QStringList texts;
  for (int i = 0; i < m_form->cmbText->count(); ++i) texts.append(m_form->cmbText->itemText(i));
  return texts;
}

void frmTaunt::AddTextToList(const QString& text) {
  QComboBox* list = m_form->cmbText;
  const QSignalBlocker block(list);
  for (int i = 0; i < list->count(); ++i) {
    if (list->itemText(i).compare(text, Qt::CaseInsensitive) == 0) {
      list->removeItem(i);
      break;
    }
  }
  int at = 0;
  while (at < list->count() && list->itemText(at).compare(text, Qt::CaseInsensitive) <= 0) ++at;
  list->insertItem(at, text);
}

void frmTaunt::txtText_Return() {
  QString t = m_form->txtText->text();
  while (!t.isEmpty() && t.back().isSpace()) t.chop(1);
  if (t.isEmpty()) return;
  AddTextToList(t);
  const int index = m_form->cmbText->findText(t, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index < 0) return;
  {
    const QSignalBlocker block(m_form->cmbText);
    m_form->cmbText->setCurrentIndex(index);
  }
  cmbText_Activated(index);
}

void frmTaunt::cmbText_Activated(int index) {
  if (index < 0) return;
  QPlainTextEdit* message = m_form->txtTaunt;
  QString text = message->toPlainText();
  if (!text.isEmpty()) text += QChar('\n');
  text += m_form->cmbText->itemText(index);
  message->setPlainText(text);
  message->selectAll();  // typing next replaces the message
}

void frmTaunt::cmdDelText_Click() {
  const int index = m_form->cmbText->currentIndex();
  if (index >= 0) m_form->cmbText->removeItem(index);
}

void frmTaunt::cmdSend_Click() {
  QString text = m_form->txtTaunt->toPlainText();
  text.replace(QChar('\n'), QStringLiteral("\r\n"));  // the mail body's line ends
  m_result = text;
  accept();
}

void frmTaunt::reject() {
  // Esc, the close box and the Cancel button all ask first.
  if (m_port.MsgBox(tr("Are you sure you want to cancel the sending operation?"), Buttons::OkCancel,
                    Icon::Question) != Answer::Ok)
    return;
  m_result.reset();
  QDialog::reject();
}

void frmTaunt::done(int result) {
  SaveTexts();
  QDialog::done(result);
}

void frmTaunt::SaveTexts() {
  if (m_saved) return;
  m_saved = true;
  // Losing the list of texts is no reason to hold up the message, but the user learns
  // that the texts typed here were not kept.
  if (!SetTauntTexts(StoredTexts())) m_port.ShowSettingsWriteError();
}

}  // namespace kolt
