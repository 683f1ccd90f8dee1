#include "ui/frmGame.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <algorithm>

#include "core/AppSettings.h"
#include "core/LoopSettings.h"
#include "core/TextCodec.h"
#include "core/UiPort.h"
#include "core/Utilities.h"
#include "exchange/history/HistoryStore.h"
#include "exchange/loop/PlayedTurn.h"
#include "exchange/mail/MailText.h"
#include "exchange/turns/MailboxFetch.h"
#include "exchange/turns/TurnMessages.h"
#include "model/Status.h"
#include "ui/frmHistory.h"
#include "ui_frmGame.h"

namespace kolt {
QStringList frmGame::ModeTexts() {
  return {tr("Send as KLT (recommended)"), tr("Send as ZIP (if your opponent does not have KOLT)"),
          tr("Send the file as it is (Do not compress)")};
}

QString frmGame::ModeWord(int index) {
  if (index == 0) return mode::Klt;
  if (index == 1) return mode::Zip;
  return mode::Plain;
}

frmGame::frmGame(UiPort& ui, const GameList& games, int gameIndex, QWidget* parent)
    : QDialog(parent), m_form(std::make_unique<Ui::frmGame>()), m_ui(ui), m_games(games), m_index(gameIndex) {
  m_form->setupUi(this);
  // The tips read as notes beside the fields.
  for (QLabel* note : {m_form->lblEMailTip, m_form->lblPasswordTip, m_form->lblF6Tip}) {
    QFont f = note->font();
    f.setPointSizeF(f.pointSizeF() * 0.9);
    note->setFont(f);
  }
  // Enter in the address field is OK with the address as typed: the combo box's own
  // handling of Enter would put a list entry in place of an address it does not hold.
  // The keys reach the combo box, which hands them to its line edit directly.
  m_form->txtEMail->installEventFilter(this);
  m_form->txtEMail->lineEdit()->installEventFilter(this);
  resize(560, sizeHint().height());

  connect(m_form->cmdRemind, &QPushButton::clicked, this, [this] {
    if (m_remind) m_remind();
  });
  connect(m_form->cmdOK, &QPushButton::clicked, this, &frmGame::cmdOK_Click);
  connect(m_form->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_form->cmdDelete, &QPushButton::clicked, this, &frmGame::cmdDelete_Click);
  connect(m_form->cmdGenerate, &QPushButton::clicked, this, &frmGame::cmdGenerate_Click);
  connect(m_form->cmdMore, &QPushButton::clicked, this, &frmGame::cmdMore_Click);
  connect(m_form->cmdHistory, &QPushButton::clicked, this, &frmGame::cmdHistory_Click);

  Fill();
}

frmGame::~frmGame() = default;

void frmGame::SetRemind(std::function<void()> remind) {
  m_remind = std::move(remind);
  m_form->cmdRemind->setVisible(static_cast<bool>(m_remind));
}

void frmGame::Fill() {
  if (m_index < 0 || m_index >= static_cast<int>(m_games.size())) return;
  m_game = m_games[static_cast<size_t>(m_index)];
  ProgramPtr program = m_game->GetProgram();
  m_form->txtGame->setText(program ? program->GetShortName() : QString());
  m_form->txtFileName->setText(m_game->GetName());
  m_form->txtInfo->setText(m_game->GetDescription());
  m_form->txtStatus->setText(ShownStatus(m_game->GetStatus()));
  m_form->txtModified->setText(m_game->GetModified());
  m_form->txtPassword->setText(m_game->GetPassword());
  const MailboxFetch::LastMessage last =
      MailboxFetch::LastMessageOf(program ? program->GetShortName() : QString(), m_game->GetName());
  m_form->txtLastMessage->setPlainText(
      last.text.isEmpty() ? QString() : tr("%1: %2").arg(SafeForDisplay(last.from), last.text));
  m_form->txtLastMessage->setVisible(!last.text.isEmpty());
  m_form->lblLastMessage->setVisible(!last.text.isEmpty());
  for (QLineEdit* field : {m_form->txtGame, m_form->txtFileName, m_form->txtInfo, m_form->txtModified})
    field->setCursorPosition(0);

  m_form->cmbMode->addItems(ModeTexts());
  // The mode as sending reads it: a stored "zip" is sent as ZIP, an unknown word as KLT.
  const SendMode mode = ModeOf(*m_game);
  m_form->cmbMode->setCurrentIndex(mode == SendMode::Klt ? 0 : mode == SendMode::Zip ? 1 : 2);

  m_form->chkAutoHost->setVisible(program && program->Provides(OptionalOperation::Host));
  m_form->chkAutoHost->setChecked(IsAutoHosted(PlayedTurn::KeyOf(*m_game)));

  FillAddresses();
  m_form->txtEMail->setEditText(m_game->GetEMail());
  m_form->txtEMail->lineEdit()->selectAll();
  m_form->txtEMail->setFocus();  // the address is what the dialog is opened for
}

// The address book, shown with "-" in alphabetical order without regard to case.
void frmGame::FillAddresses() {
  QStringList entries{QStringLiteral("-")};
  for (const QString& address : AddressBook()) {
    const bool known = std::any_of(entries.begin(), entries.end(), [&](const QString& e) {
      return e.compare(address, Qt::CaseInsensitive) == 0;
    });
    if (!known) entries.append(address);
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  m_form->txtEMail->clear();
  m_form->txtEMail->addItems(entries);
}

bool frmGame::AddAddress() {
  const QString text = m_form->txtEMail->currentText();
  if (text.isEmpty()) return true;
  for (int i = 0; i < m_form->txtEMail->count(); ++i) {
    if (m_form->txtEMail->itemText(i).compare(text, Qt::CaseInsensitive) == 0) return true;
  }
  return AddToAddressBook(text);
}

void frmGame::cmdOK_Click() {
  if (m_index < 0 || m_index >= static_cast<int>(m_games.size())) return reject();
  GamePtr game = m_games[static_cast<size_t>(m_index)];
  const QString address = m_form->txtEMail->currentText();
  // What is stored here is what the next turn is mailed to: plain addresses only, and no
  // more than the settings value holds (a cut list would mail to a fragment).
  const QString trimmed = address.trimmed();
  if (!trimmed.isEmpty() && trimmed != QStringLiteral("-")) {
    if (const std::optional<QString> problem = AddressListProblem(address)) {
      m_ui.MsgBox(*problem, Buttons::Ok, Icon::Exclamation, windowTitle());
      m_form->txtEMail->setFocus(Qt::OtherFocusReason);
      m_form->txtEMail->lineEdit()->selectAll();
      return;
    }
  }
  // Every value is tried; when one did not reach the settings file the dialog stays, so
  // nothing looks stored that is not.
  bool stored = address.contains(QChar(';')) || AddAddress();
  stored = game->SetEMail(address) && stored;
  stored = game->SetMode(ModeWord(m_form->cmbMode->currentIndex())) && stored;
  stored = game->SetPassword(m_form->txtPassword->text()) && stored;
  if (!m_form->chkAutoHost->isHidden())
    stored = SetAutoHosted(PlayedTurn::KeyOf(*game), m_form->chkAutoHost->isChecked()) && stored;
  if (!stored) return m_ui.ShowSettingsWriteError();
  accept();
}

void frmGame::cmdDelete_Click() {
  if (m_ui.MsgBox(tr("Are you sure that you want to delete this game?"), Buttons::OkCancel, Icon::Question,
                  QString(), 2) != Answer::Ok)
    return;
  if (m_index < 0 || m_index >= static_cast<int>(m_games.size())) return reject();
  m_games[static_cast<size_t>(m_index)]->Delete();
  accept();
}

void frmGame::cmdGenerate_Click() {
  m_form->txtPassword->setText(GeneratePassword());
}

void frmGame::cmdMore_Click() {
  if (!m_game) return;
  ClearPendingError();
  if (m_game->Provides(OptionalOperation::ShowMore)) {
    m_game->ShowMore();
    return;
  }
  ProgramPtr program = m_game->GetProgram();
  m_ui.MsgBox(tr("This program does not have more information."), Buttons::Ok, Icon::None,
              program ? program->GetLongName() : QString());
}

void frmGame::cmdHistory_Click() {
  if (!m_game) return;
  HistoryStore store(HistoryStore::DefaultPath());
  frmHistory dialog(m_ui, m_game, store, this);
  dialog.exec();
  // A restored turn changed the game's files: the main window reads them again.
  if (dialog.Restored()) accept();
}

bool frmGame::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == m_form->txtEMail || watched == m_form->txtEMail->lineEdit()) &&
      event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const QCompleter* completer = m_form->txtEMail->lineEdit()->completer();
    // A list of completions open: Enter picks one of them.
    const bool completing = completer && completer->completionMode() != QCompleter::InlineCompletion &&
                            completer->popup()->isVisible();
    if (enter && !completing && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      cmdOK_Click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmGame::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F6 && event->modifiers() == Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QString text;
    bool field = false;
    if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
      // The editable combo box's line edit counts as the combo box.
      text = edit->text();
      field = true;
    } else if (auto* combo = qobject_cast<QComboBox*>(focus)) {
      text = combo->currentText();
      field = true;
    }
    if (field) {
      QGuiApplication::clipboard()->clear();
      QGuiApplication::clipboard()->setText(text);
      m_ui.MsgBox(text, Buttons::Ok, Icon::None);
    }
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kolt
