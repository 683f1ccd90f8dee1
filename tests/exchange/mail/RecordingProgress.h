#pragma once

#include <QStringList>
#include <functional>

#include "exchange/mail/MailProgress.h"

namespace kolt::test {

// Records what the transport shows in the progress window; can ask to cancel once a
// number of lines has arrived.
class RecordingProgress final : public MailProgress {
 public:
  void Init() override {
    ++inits;
    recipients.clear();
    attachments.clear();
    lines.clear();
  }
  void SetRecipients(const QString& text) override { recipients = text; }
  void SetAttachments(const QString& text) override { attachments = text; }
  void AddLine(const QString& line) override { lines.append(line); }
  void SetProgress(qint64 done, qint64 total) override {
    lastDone = done;
    lastTotal = total;
  }
  void SetSending(bool on) override { sending = on; }
  void ShowWindow() override {
    visible = true;
    ++shows;
  }
  void HideWindow() override { visible = false; }
  bool CancelRequested() const override {
    if (cancelWhen) return cancelWhen();
    return cancelAfterLines >= 0 && lines.size() >= cancelAfterLines;
  }

  int inits = 0;
  int shows = 0;
  bool visible = false;
  bool sending = false;
  QString recipients;
  QString attachments;
  QStringList lines;
  qint64 lastDone = 0;
  qint64 lastTotal = 0;
  int cancelAfterLines = -1;
  std::function<bool()> cancelWhen;  // when set, decides instead of cancelAfterLines
};

}  // namespace kolt::test
