#include "core/UiPort.h"

#include "core/Settings.h"

#include <QCoreApplication>
#include <QMutex>
#include <cerrno>
#include <cstring>

namespace kolt {
namespace {

QMutex g_errorMutex;
PendingError g_pending;

}  // namespace

QString AppTitle() {
  return QStringLiteral("KOLT Helper");
}

void RaiseError(long number, const QString& description, const QString& source) {
  QMutexLocker guard(&g_errorMutex);
  g_pending.number = number;
  g_pending.description = description;
  g_pending.source = source;
}

void SetSystemError(int code) {
  QMutexLocker guard(&g_errorMutex);
  g_pending.systemError = code;
}

PendingError TakePendingError() {
  QMutexLocker guard(&g_errorMutex);
  PendingError e = g_pending;
  g_pending = PendingError{};
  return e;
}

void ClearPendingError() {
  TakePendingError();
}

QString UiPort::FormatError(const QString& message) {
  const PendingError e = TakePendingError();
  QString text = message;
  if (e.number != 0) {
    text += QStringLiteral("\r\r") + QCoreApplication::translate("UiPort", "Error %1").arg(e.number);
    if (!e.description.isEmpty()) text += QStringLiteral(": ") + e.description;
    if (!e.source.isEmpty()) text += QStringLiteral(" (") + e.source + QStringLiteral(")");
  }
  if (e.systemError != 0) {
    //: %1 is the number of the error, %2 the system's text for it
    text += QStringLiteral("\r\r") +
            QCoreApplication::translate("UiPort", "Last system error: %1 (%2)")
                .arg(QString::number(e.systemError), QString::fromLocal8Bit(std::strerror(e.systemError)));
  }
  return text;
}

Answer UiPort::MsgBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
                      int defaultButton) {
  // Written before the user reads, so nothing waits in memory meanwhile. A failed flush
  // keeps the writes for the next try, and the pass's end tells the user.
  (void)FlushIniBatch();
  return ShowMessageBox(text, buttons, icon, title, defaultButton);
}

void UiPort::ShowSettingsWriteError() {
  SetSystemError(errno);
  ShowError(QCoreApplication::translate("UiPort", "Can't write the settings file %1").arg(SettingsPath()));
}

void UiPort::ShowError(const QString& message) {
  MsgBox(FormatError(message), Buttons::Ok, Icon::Exclamation, AppTitle(), 1);
}

int ButtonCount(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return 1;
    case Buttons::OkCancel:
    case Buttons::YesNo:
    case Buttons::RetryCancel:
      return 2;
    case Buttons::AbortRetryIgnore:
    case Buttons::YesNoCancel:
      return 3;
  }
  return 1;
}

Answer ButtonAt(Buttons buttons, int index) {
  static const Answer ok[] = {Answer::Ok};
  static const Answer okCancel[] = {Answer::Ok, Answer::Cancel};
  static const Answer ari[] = {Answer::Abort, Answer::Retry, Answer::Ignore};
  static const Answer ync[] = {Answer::Yes, Answer::No, Answer::Cancel};
  static const Answer yn[] = {Answer::Yes, Answer::No};
  static const Answer rc[] = {Answer::Retry, Answer::Cancel};
  const Answer* list = ok;
  switch (buttons) {
    case Buttons::Ok:
      list = ok;
      break;
    case Buttons::OkCancel:
      list = okCancel;
      break;
    case Buttons::AbortRetryIgnore:
      list = ari;
      break;
    case Buttons::YesNoCancel:
      list = ync;
      break;
    case Buttons::YesNo:
      list = yn;
      break;
    case Buttons::RetryCancel:
      list = rc;
      break;
  }
  int count = ButtonCount(buttons);
  if (index < 1 || index > count) index = 1;
  return list[index - 1];
}

Answer DefaultAnswer(Buttons buttons, int defaultButton) {
  return ButtonAt(buttons, defaultButton);
}

}  // namespace kolt
