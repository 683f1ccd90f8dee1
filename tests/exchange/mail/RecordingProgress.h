#pragma once

#include <QStringList>
#include <functional>

#include "exchange/mail/MailProgress.h"

namespace kolt::test {

// Records what the transport shows in the progress window; asks to cancel when
// `cancelWhen` says so.
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
  bool CancelRequested() const override { return cancelWhen && cancelWhen(); }

  int inits = 0;
  int shows = 0;
  bool visible = false;
  bool sending = false;
  QString recipients;
  QString attachments;
  QStringList lines;
  qint64 lastDone = 0;
  qint64 lastTotal = 0;
  std::function<bool()> cancelWhen;
};

}  // namespace kolt::test
