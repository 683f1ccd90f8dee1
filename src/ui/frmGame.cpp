#include "ui/frmGame.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
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

namespace kolt {
namespace {

QLineEdit* ReadOnlyField(const char* name) {
  auto* field = new QLineEdit;
  field->setObjectName(QString::fromLatin1(name));
  field->setReadOnly(true);
  return field;
}

QLabel* Note(const QString& text) {
  auto* label = new QLabel(text);
  label->setWordWrap(true);
  QFont f = label->font();
  f.setPointSizeF(f.pointSizeF() * 0.9);
  label->setFont(f);
  return label;
}

}  // namespace

QStringList frmGame::ModeTexts() {
  return {QStringLiteral("Send as KLT (recommended)"),
          QStringLiteral("Send as ZIP (if your opponent does not have KOLT)"),
          QStringLiteral("Send the file as it is (Do not compress)")};
}

QString frmGame::ModeWord(int index) {
  if (index == 0) return mode::Klt;
  if (index == 1) return mode::Zip;
  return mode::Plain;
}

frmGame::frmGame(UiPort& ui, const GameList& games, int gameIndex, QWidget* parent)
    : QDialog(parent), m_ui(ui), m_games(games), m_index(gameIndex) {
  setObjectName(QStringLiteral("frmGame"));
  setWindowTitle(QStringLiteral("KOLT Game"));

  m_txtGame = ReadOnlyField("txtGame");
  m_txtFileName = ReadOnlyField("txtFileName");
  m_txtInfo = ReadOnlyField("txtInfo");
  m_txtStatus = ReadOnlyField("txtStatus");
  m_txtModified = ReadOnlyField("txtModified");
  m_txtEMail = new QComboBox;
  m_txtEMail->setObjectName(QStringLiteral("txtEMail"));
  m_txtEMail->setEditable(true);
  m_txtEMail->setInsertPolicy(QComboBox::NoInsert);
  m_txtEMail->setMinimumContentsLength(32);
  // Enter in the address field is OK with the address as typed: the combo box's own
  // handling of Enter would put a list entry in place of an address it does not hold.
  // The keys reach the combo box, which hands them to its line edit directly.
  m_txtEMail->installEventFilter(this);
  m_txtEMail->lineEdit()->installEventFilter(this);
  m_cmbMode = new QComboBox;
  m_cmbMode->setObjectName(QStringLiteral("cmbMode"));
  m_txtPassword = new QLineEdit;
  m_txtPassword->setObjectName(QStringLiteral("txtPassword"));

  auto* cmdGenerate = new QPushButton(QStringLiteral("Ge&nerate"));
  cmdGenerate->setObjectName(QStringLiteral("cmdGenerate"));
  auto* cmdMore = new QPushButton(QStringLiteral("&More..."));
  cmdMore->setObjectName(QStringLiteral("cmdMore"));
  auto* cmdHistory = new QPushButton(QStringLiteral("&History..."));
  cmdHistory->setObjectName(QStringLiteral("cmdHistory"));
  auto* cmdDelete = new QPushButton(QStringLiteral("Dele&te..."));
  cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
  auto* cmdOK = new QPushButton(QStringLiteral("OK"));
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  auto* cmdCancel = new QPushButton(QStringLiteral("Cancel"));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  for (QPushButton* b : {cmdGenerate, cmdMore, cmdHistory, cmdDelete, cmdCancel}) b->setAutoDefault(false);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Game:"), m_txtGame);
  form->addRow(QStringLiteral("&File Name:"), m_txtFileName);
  form->addRow(QStringLiteral("&Info:"), m_txtInfo);
  form->addRow(QStringLiteral("&Status:"), m_txtStatus);
  form->addRow(QStringLiteral("Mo&dified:"), m_txtModified);
  form->addRow(QStringLiteral("&E-Mail:"), m_txtEMail);
  form->addRow(QString(),
               Note(QStringLiteral(
                   "Tip: If you don't want this game to be selected automatically, enter - into e-mail.")));
  // The text of the last turn message fetched from the mailbox for this game.
  m_txtLastMessage = new QPlainTextEdit;
  m_txtLastMessage->setObjectName(QStringLiteral("txtLastMessage"));
  m_txtLastMessage->setReadOnly(true);
  m_txtLastMessage->setMaximumHeight(80);
  m_lblLastMessage = new QLabel(QStringLiteral("&Last message:"));
  m_lblLastMessage->setBuddy(m_txtLastMessage);
  form->addRow(m_lblLastMessage, m_txtLastMessage);
  form->addRow(QStringLiteral("M&ode:"), m_cmbMode);
  auto* passwordRow = new QHBoxLayout;
  passwordRow->addWidget(m_txtPassword, 1);
  passwordRow->addWidget(cmdGenerate);
  auto* lblPassword = new QLabel(QStringLiteral("&Password:"));
  lblPassword->setBuddy(m_txtPassword);
  form->addRow(lblPassword, passwordRow);
  form->addRow(QString(),
               Note(QStringLiteral(
                   "The password will be copied to clipboard when Play F9 is executed. Most programs do "
                   "not support entering the password from clipboard, though. Also KOLT has support for "
                   "automatic entering of file names and passwords for some programs (CMBO, SE4). Clear "
                   "the password field if you don't want to use it.")));

  // Hosting without the host: shown for the programs that host games.
  m_chkAutoHost = new QCheckBox(QStringLiteral("Host a&utomatically when every player's orders are in"));
  m_chkAutoHost->setObjectName(QStringLiteral("chkAutoHost"));
  form->addRow(QString(), m_chkAutoHost);

  m_cmdRemind = new QPushButton(QStringLiteral("&Remind"));
  m_cmdRemind->setObjectName(QStringLiteral("cmdRemind"));
  m_cmdRemind->setAutoDefault(false);
  m_cmdRemind->setToolTip(
      QStringLiteral("Mail the opponent a short reminder that this game waits for his turn"));
  m_cmdRemind->hide();
  connect(m_cmdRemind, &QPushButton::clicked, this, [this] {
    if (m_remind) m_remind();
  });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_cmdRemind);
  buttons->addWidget(cmdMore);
  buttons->addWidget(cmdHistory);
  buttons->addWidget(cmdDelete);
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(
      Note(QStringLiteral("Tip: Press F6 to copy any field to clipboard and display it in message box.")));
  layout->addLayout(buttons);
  resize(560, sizeHint().height());

  connect(cmdOK, &QPushButton::clicked, this, &frmGame::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdDelete, &QPushButton::clicked, this, &frmGame::cmdDelete_Click);
  connect(cmdGenerate, &QPushButton::clicked, this, &frmGame::cmdGenerate_Click);
  connect(cmdMore, &QPushButton::clicked, this, &frmGame::cmdMore_Click);
  connect(cmdHistory, &QPushButton::clicked, this, &frmGame::cmdHistory_Click);

  Fill();
}

void frmGame::SetRemind(std::function<void()> remind) {
  m_remind = std::move(remind);
  m_cmdRemind->setVisible(static_cast<bool>(m_remind));
}

void frmGame::Fill() {
  if (m_index < 0 || m_index >= static_cast<int>(m_games.size())) return;
  m_game = m_games[static_cast<size_t>(m_index)];
  ProgramPtr program = m_game->GetProgram();
  m_txtGame->setText(program ? program->GetShortName() : QString());
  m_txtFileName->setText(m_game->GetName());
  m_txtInfo->setText(m_game->GetDescription());
  m_txtStatus->setText(m_game->GetStatus());
  m_txtModified->setText(m_game->GetModified());
  m_txtPassword->setText(m_game->GetPassword());
  const MailboxFetch::LastMessage last =
      MailboxFetch::LastMessageOf(program ? program->GetShortName() : QString(), m_game->GetName());
  m_txtLastMessage->setPlainText(
      last.text.isEmpty() ? QString() : SafeForDisplay(last.from) + QStringLiteral(": ") + last.text);
  m_txtLastMessage->setVisible(!last.text.isEmpty());
  m_lblLastMessage->setVisible(!last.text.isEmpty());
  for (QLineEdit* field : {m_txtGame, m_txtFileName, m_txtInfo, m_txtModified}) field->setCursorPosition(0);

  m_cmbMode->addItems(ModeTexts());
  // The mode as sending reads it: a stored "zip" is sent as ZIP, an unknown word as KLT.
  const SendMode mode = ModeOf(*m_game);
  m_cmbMode->setCurrentIndex(mode == SendMode::Klt ? 0 : mode == SendMode::Zip ? 1 : 2);

  m_chkAutoHost->setVisible(program && program->Provides(OptionalOperation::Host));
  m_chkAutoHost->setChecked(IsAutoHosted(PlayedTurn::KeyOf(*m_game)));

  FillAddresses();
  m_txtEMail->setEditText(m_game->GetEMail());
  m_txtEMail->lineEdit()->selectAll();
  m_txtEMail->setFocus();  // the address is what the dialog is opened for
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
  m_txtEMail->clear();
  m_txtEMail->addItems(entries);
}

bool frmGame::AddAddress() {
  const QString text = m_txtEMail->currentText();
  if (text.isEmpty()) return true;
  for (int i = 0; i < m_txtEMail->count(); ++i) {
    if (m_txtEMail->itemText(i).compare(text, Qt::CaseInsensitive) == 0) return true;
  }
  return AddToAddressBook(text);
}

void frmGame::cmdOK_Click() {
  if (m_index < 0 || m_index >= static_cast<int>(m_games.size())) return reject();
  GamePtr game = m_games[static_cast<size_t>(m_index)];
  const QString address = m_txtEMail->currentText();
  // What is stored here is what the next turn is mailed to: plain addresses only, and no
  // more than the settings value holds (a cut list would mail to a fragment).
  const QString trimmed = address.trimmed();
  if (!trimmed.isEmpty() && trimmed != QStringLiteral("-")) {
    if (const std::optional<QString> problem = AddressListProblem(address)) {
      m_ui.MsgBox(*problem, Buttons::Ok, Icon::Exclamation, windowTitle());
      m_txtEMail->setFocus(Qt::OtherFocusReason);
      m_txtEMail->lineEdit()->selectAll();
      return;
    }
  }
  // Every value is tried; when one did not reach the settings file the dialog stays, so
  // nothing looks stored that is not.
  bool stored = address.contains(QChar(';')) || AddAddress();
  stored = game->SetEMail(address) && stored;
  stored = game->SetMode(ModeWord(m_cmbMode->currentIndex())) && stored;
  stored = game->SetPassword(m_txtPassword->text()) && stored;
  if (!m_chkAutoHost->isHidden())
    stored = SetAutoHosted(PlayedTurn::KeyOf(*game), m_chkAutoHost->isChecked()) && stored;
  if (!stored) return m_ui.ShowSettingsWriteError();
  accept();
}

void frmGame::cmdDelete_Click() {
  if (m_ui.MsgBox(QStringLiteral("Are you sure that you want to delete this game?"), Buttons::OkCancel,
                  Icon::Question, QString(), 2) != Answer::Ok)
    return;
  if (m_index < 0 || m_index >= static_cast<int>(m_games.size())) return reject();
  m_games[static_cast<size_t>(m_index)]->Delete();
  accept();
}

void frmGame::cmdGenerate_Click() {
  m_txtPassword->setText(GeneratePassword());
}

void frmGame::cmdMore_Click() {
  if (!m_game) return;
  ClearPendingError();
  if (m_game->Provides(OptionalOperation::ShowMore)) {
    m_game->ShowMore();
    return;
  }
  ProgramPtr program = m_game->GetProgram();
  m_ui.MsgBox(QStringLiteral("This program does not have more information."), Buttons::Ok, Icon::None,
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
  if ((watched == m_txtEMail || watched == m_txtEMail->lineEdit()) && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const QCompleter* completer = m_txtEMail->lineEdit()->completer();
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
