#include "ui/QtUiPort.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "core/Settings.h"
#include "ui/FocusReturn.h"
#include "ui/frmProgram.h"
#include "ui/frmSE4.h"
#include "ui/frmTaunt.h"

namespace kolt {
namespace {

QMessageBox::StandardButton ToQt(Answer a) {
  switch (a) {
    case Answer::Ok:
      return QMessageBox::Ok;
    case Answer::Cancel:
      return QMessageBox::Cancel;
    case Answer::Abort:
      return QMessageBox::Abort;
    case Answer::Retry:
      return QMessageBox::Retry;
    case Answer::Ignore:
      return QMessageBox::Ignore;
    case Answer::Yes:
      return QMessageBox::Yes;
    case Answer::No:
      return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon ToQt(Icon icon) {
  switch (icon) {
    case Icon::None:
      return QMessageBox::NoIcon;
    case Icon::Critical:
      return QMessageBox::Critical;
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::Exclamation:
      return QMessageBox::Warning;
    case Icon::Information:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

Answer QtUiPort::ShowMessageBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
                                int defaultButton) {
  return Ask(text, buttons, icon, title, defaultButton, nullptr, nullptr);
}

Answer QtUiPort::AskWithCheckBox(const QString& text, const QString& checkText, bool* checked,
                                 Buttons buttons, Icon icon, int defaultButton) {
  // As for any question: a failed flush keeps the writes, and the pass's end tells.
  (void)FlushIniBatch();
  return Ask(text, buttons, icon, QString(), defaultButton, &checkText, checked);
}

Answer QtUiPort::Ask(const QString& text, Buttons buttons, Icon icon, const QString& title, int defaultButton,
                     const QString* checkText, bool* checked) const {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QChar('\r'), QChar('\n'));
  QWidget* owner = Owner();
  const FocusReturn back(owner);
  QMessageBox box(ToQt(icon), title.isEmpty() ? AppTitle() : title, shown, QMessageBox::NoButton, owner);
  // Messages quote file names and texts from other people: never read them as markup.
  box.setTextFormat(Qt::PlainText);
  QCheckBox* checkBox = nullptr;
  if (checkText) {
    checkBox = new QCheckBox(*checkText, &box);
    checkBox->setChecked(*checked);
    box.setCheckBox(checkBox);
  }
  const int count = ButtonCount(buttons);
  for (int i = 1; i <= count; ++i) box.addButton(ToQt(ButtonAt(buttons, i)));
  box.setDefaultButton(ToQt(DefaultAnswer(buttons, defaultButton)));
  // Esc answers Cancel where there is one, else the only button.
  if (count == 1) box.setEscapeButton(box.button(ToQt(ButtonAt(buttons, 1))));
  const int pressed = box.exec();
  if (checkBox) *checked = checkBox->isChecked();
  for (int i = 1; i <= count; ++i) {
    if (pressed == ToQt(ButtonAt(buttons, i))) return ButtonAt(buttons, i);
  }
  // Closed without a button: Cancel (or No) where the box has one.
  for (int i = 1; i <= count; ++i) {
    Answer a = ButtonAt(buttons, i);
    if (a == Answer::Cancel) return a;
  }
  return buttons == Buttons::YesNo ? Answer::No : ButtonAt(buttons, 1);
}

std::optional<QString> QtUiPort::InputBox(const QString& prompt, const QString& title,
                                          const QString& defaultText) {
  bool ok = false;
  QWidget* owner = Owner();
  const FocusReturn back(owner);
  QString value = QInputDialog::getText(owner, title.isEmpty() ? AppTitle() : title, prompt,
                                        QLineEdit::Normal, defaultText, &ok);
  if (!ok) return std::nullopt;
  return value;
}

void QtUiPort::ShowStatus(const QString& text) {
  if (m_status) m_status(text);
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtUiPort::DoEvents() {
  QCoreApplication::processEvents();
}

std::optional<QString> QtUiPort::AskInstallFolder(const QString& caption, const QString& question,
                                                  const QString& folder, const QString& exeName) {
  QWidget* owner = Owner();
  const FocusReturn back(owner);
  frmProgram dialog(*this, owner);
  dialog.SetTools(m_tools);
  dialog.Prepare(caption, question, folder, exeName);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.DialogResult();
}

std::optional<QString> QtUiPort::AskTaunt(const QString& address, const QString& gamesText) {
  QWidget* owner = Owner();
  const FocusReturn back(owner);
  frmTaunt dialog(*this, owner);
  dialog.Prepare(address, gamesText);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.DialogResult();
}

QWidget* QtUiPort::Owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  // Only a dialog: the progress windows are plain widgets that hide on their own, and a
  // box must not vanish with them.
  if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeWindow()); dialog && dialog->isVisible())
    return dialog;
  return m_parent;
}

void QtUiPort::Beep() {
  QApplication::beep();
}

bool QtUiPort::EditPlayers(PlayersEdit& edit) {
  QWidget* owner = Owner();
  const FocusReturn back(owner);
  frmSE4 dialog(*this, edit, owner);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace kolt
