#pragma once

#include <QDialog>
#include <memory>

#include "exchange/mail/MailProgress.h"

namespace Ui {
class frmBlat;
}

namespace kolt {

// The SMTP progress window: recipients, attachments with their sizes and the SMTP
// conversation line by line. Closing it only hides it, so the last conversation can be
// shown again later.
class frmBlat final : public QDialog, public MailProgress {
  Q_OBJECT

 public:
  explicit frmBlat(QWidget* parent = nullptr);
  ~frmBlat() override;

  void Init() override;
  void SetRecipients(const QString& text) override;
  void SetAttachments(const QString& text) override;
  void AddLine(const QString& line) override;
  void SetProgress(qint64 done, qint64 total) override;
  void SetSending(bool sending) override;
  void ShowWindow() override;
  void HideWindow() override;
  bool CancelRequested() const override { return m_cancel; }

  QStringList Lines() const;

 private:
  void cmdCancel_Click();

  std::unique_ptr<Ui::frmBlat> m_form;
  bool m_sending = false;
  bool m_cancel = false;
};

}  // namespace kolt
