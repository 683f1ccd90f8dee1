#pragma once

#include <QString>
#include <optional>

#include "core/PlayersEdit.h"

// Everything below the windows talks to the user through this port: message boxes,
// the status line, the error box, text input and "let pending events run". The window
// layer implements it with Qt dialogs, the tests with a script, kolt-cli on a terminal.
namespace kolt {

enum class Buttons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// The caption of message boxes that name no program.
QString AppTitle();

// The error of the operation that failed last, shown by ShowError below the message
// and then cleared.
struct PendingError {
  long number = 0;
  QString description;
  QString source;
  int systemError = 0;  // errno of the most recent platform call that failed
};
void RaiseError(long number, const QString& description, const QString& source = QString());
// Records errno (or the given code) as the last system error.
void SetSystemError(int code);
PendingError TakePendingError();
void ClearPendingError();

class UiPort {
 public:
  virtual ~UiPort() = default;

  // `text` breaks lines at '\r' (as the messages are written) or '\n'. `defaultButton`
  // counts the buttons from 1. An empty title means the application's title. Settings
  // that a pass gathered go to disk before the box shows: nothing waits in memory while
  // the user reads, and a failure is on disk before it is reported.
  Answer MsgBox(const QString& text, Buttons buttons, Icon icon, const QString& title = QString(),
                int defaultButton = 1);
  // Nullopt when the user cancels.
  virtual std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                          const QString& defaultText = QString()) = 0;
  virtual void ShowStatus(const QString& text) = 0;
  // Lets pending window events run during long operations.
  virtual void DoEvents() = 0;
  // Draws the user's attention when a long wait ends (a hosted turn processed); where
  // there is no one to hear it, nothing happens.
  virtual void Beep() {}

  // The installation-folder dialog: `caption` (the program's long name), the question,
  // the folder shown at first, and the executable that Browse looks for. Nullopt when
  // the user cancels.
  virtual std::optional<QString> AskInstallFolder(const QString& caption, const QString& question,
                                                  const QString& folder, const QString& exeName) {
    (void)caption, (void)question, (void)folder, (void)exeName;
    return std::nullopt;
  }

  // The taunt dialog before one message goes to `address` about `gamesText`: the text
  // the user wrote (may be empty), or nullopt when the user cancelled.
  virtual std::optional<QString> AskTaunt(const QString& address, const QString& gamesText) {
    (void)address, (void)gamesText;
    return QString();
  }

  // The players dialog of a game (Space Empires IV): the user marks his own empire and
  // the computer-controlled players and edits the host password. True when he closed it
  // with Close (`edit` then holds what to store); false on Cancel or where there is no
  // such dialog.
  virtual bool EditPlayers(PlayersEdit& edit) {
    (void)edit;
    return false;
  }

  // A question with a check box under it (such as "Don't ask again"): `checked` holds the
  // box's state before and after. Where the port has no such box the question is asked
  // plainly and the box keeps its state.
  virtual Answer AskWithCheckBox(const QString& text, const QString& checkText, bool* checked,
                                 Buttons buttons, Icon icon, int defaultButton = 1) {
    (void)checkText, (void)checked;
    return MsgBox(text, buttons, icon, QString(), defaultButton);
  }

  // The shared error box: the message, the pending error and the last system error.
  void ShowError(const QString& message);
  // ShowError for a settings file that could not be written (errno tells why).
  void ShowSettingsWriteError();
  // The text ShowError shows, with the pending error taken and cleared.
  static QString FormatError(const QString& message);

 protected:
  // Shows the message box of MsgBox.
  virtual Answer ShowMessageBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
                                int defaultButton) = 0;
};

// The button a message box answers with when nobody can be asked.
Answer DefaultAnswer(Buttons buttons, int defaultButton);
// The buttons of a message box in their order.
int ButtonCount(Buttons buttons);
Answer ButtonAt(Buttons buttons, int index);  // index counts from 1

}  // namespace kolt
