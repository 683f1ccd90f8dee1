#pragma once

#include <QDialog>

#include "exchange/mail/MailProgress.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace kolt {

// The SMTP progress window: recipients, attachments with their sizes and the SMTP
// conversation line by line. Closing it only hides it, so the last conversation can be
// shown again later.
class frmBlat final : public QDialog, public MailProgress {
  Q_OBJECT

 public:
  explicit frmBlat(QWidget* parent = nullptr);

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

  QLineEdit* txtTo;
  QLabel* lblZipName;
  QLineEdit* ZipFName;
  QListWidget* lstMessages;
  QProgressBar* prgSent;
  QPushButton* cmdCancel;
  bool m_sending = false;
  bool m_cancel = false;
};

}  // namespace kolt
