#pragma once

#include <QString>
#include <QtGlobal>

namespace kolt {

// The SMTP progress window as the transport sees it. The window layer implements it
// (frmBlat); without a window the transport passes nullptr and the lines go nowhere.
class MailProgress {
 public:
  virtual ~MailProgress() = default;

  // Prepares the window for one message: empties the recipient and attachment fields and
  // the message list, and forgets an earlier cancel request.
  virtual void Init() = 0;
  virtual void SetRecipients(const QString& text) = 0;
  virtual void SetAttachments(const QString& text) = 0;
  // One line of the SMTP conversation or of the transport's own progress notes.
  virtual void AddLine(const QString& line) = 0;
  // Bytes of the message handed to the server so far, of an estimated total (0 = unknown).
  virtual void SetProgress(qint64 done, qint64 total) = 0;
  // While `sending`, the window offers to cancel; afterwards only to close.
  virtual void SetSending(bool sending) = 0;
  virtual void ShowWindow() = 0;  // not modal
  virtual void HideWindow() = 0;
  // The user asked to stop the message being sent.
  virtual bool CancelRequested() const = 0;
};

// Adds a text that may hold several lines: split at LF, CR and LF trimmed, empty lines
// skipped.
void AddProgressText(MailProgress* progress, const QString& text);

}  // namespace kolt
