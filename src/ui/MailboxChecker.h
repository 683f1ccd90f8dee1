#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>
#include <optional>

#include "exchange/turns/MailboxFetch.h"

class QTimer;

namespace kolt {

class TurnExchange;
class UiPort;

// The main window's mailbox checks: the network steps on a worker thread, so the window
// stays responsive and a check can be cancelled; the receive itself, with its questions,
// on the window's thread and only when the window says the user is there (TakeInWaiting).
// Checks run on request, and every IMAP_Interval minutes when that is not 0. Each step
// holds the home's mailbox lock, so a kolt-cli fetch never takes in the same turns.
class MailboxChecker final : public QObject {
  Q_OBJECT

 public:
  MailboxChecker(UiPort& ui, TurnExchange& exchange, ProgramList& programs, QObject* parent = nullptr);
  ~MailboxChecker() override;

  // Starts a check unless one runs, turns wait or no IMAP server is set. `requested`: the
  // user asked (F5): the messages declined before are asked about again.
  void Check(bool requested);
  // Stops the check under way: the download, or the take-in before its next message.
  // What was not taken in stays unread in the mailbox.
  void Cancel();
  bool Running() const { return m_stepRunning; }
  bool HasWaiting() const { return m_waiting.has_value(); }
  // Takes in the fetched messages (questions may be asked), then marks or moves them on
  // the worker thread.
  void TakeInWaiting();

 signals:
  // The status bar text of the check and its outcome.
  void status(const QString& text);
  // Fetched messages wait for TakeInWaiting.
  void waiting();
  // Turns were taken in (the window refreshes and announces them).
  void takenIn();
  // A check ended (finished, failed or cancelled).
  void finished();

 private:
  void Tick();
  void Downloaded(const MailboxDownload& download);
  void Finished(const QStringList& failures, const QStringList& notes);
  void Finish();
  template <typename Work, typename Done>
  void RunWorker(Work work, Done done);

  UiPort& m_ui;
  MailboxFetch m_fetch;
  ProgramList& m_programs;
  QTimer* m_timer = nullptr;
  QElapsedTimer m_sinceCheck;
  QThread* m_worker = nullptr;
  bool m_stepRunning = false;  // a network step is under way
  std::shared_ptr<std::atomic<bool>> m_cancel;
  MailboxFetch::Account m_account;
  std::optional<MailboxDownload> m_waiting;
  quint32 m_validity = 0;
  MailboxTally m_tally;
};

}  // namespace kolt
