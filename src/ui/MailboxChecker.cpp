#include "ui/MailboxChecker.h"

#include <QFile>
#include <QTimer>

#include "core/UiPort.h"
#include "exchange/turns/MailboxLock.h"

namespace kolt {

MailboxChecker::MailboxChecker(UiPort& ui, TurnExchange& exchange, ProgramList& programs, QObject* parent)
    : QObject(parent), m_ui(ui), m_fetch(ui, exchange, programs), m_programs(programs) {
  // The interval is read at every tick, so a change in the settings takes effect at once.
  m_timer = new QTimer(this);
  m_timer->setInterval(30 * 1000);
  connect(m_timer, &QTimer::timeout, this, &MailboxChecker::Tick);
  m_timer->start();
  m_sinceCheck.start();
}

MailboxChecker::~MailboxChecker() {
  Cancel();
  if (m_worker) {
    m_worker->wait();
    delete m_worker;
  }
}

void MailboxChecker::Tick() {
  const int minutes = ReadImapSettings().interval;
  if (minutes <= 0 || m_sinceCheck.elapsed() < qint64(minutes) * 60 * 1000) return;
  Check(false);
}

template <typename Work, typename Done>
void MailboxChecker::RunWorker(Work work, Done done) {
  // The thread of the step before has handed over its result and is only returning.
  if (m_worker) m_worker->wait();
  m_cancel = std::make_shared<std::atomic<bool>>(false);
  auto cancel = m_cancel;
  m_stepRunning = true;
  m_worker = QThread::create([this, work, done, cancel]() {
    auto result = work(cancel.get());
    // Back on the window's thread; the object outlives its worker (the destructor waits).
    // The step is over there, even while the thread itself is still winding down.
    QMetaObject::invokeMethod(
        this,
        [this, done, result]() {
          m_stepRunning = false;
          done(result);
        },
        Qt::QueuedConnection);
  });
  connect(m_worker, &QThread::finished, this, [this, worker = m_worker]() {
    worker->deleteLater();
    if (m_worker == worker) m_worker = nullptr;
  });
  m_worker->start();
}

void MailboxChecker::Check(bool requested) {
  if (m_stepRunning || m_waiting) return;
  // Without a server the player does not fetch turns at all: nothing to check or say.
  if (ReadImapSettings().server.isEmpty()) return;
  m_sinceCheck.restart();
  if (requested) m_fetch.ForgetDeclined();
  QString problem;
  m_account = MailboxFetch::ReadAccount(m_programs, &problem);
  if (!problem.isEmpty()) {
    emit status(problem);
    emit finished();
    return;
  }
  emit status(tr("Checking the mailbox %1 on %2...").arg(m_account.settings.folder, m_account.imap.host));
  const MailboxFetch::Account account = m_account;
  const QSet<quint32> skip = m_fetch.Declined();
  RunWorker(
      [account, skip](const std::atomic<bool>* cancel) {
        MailboxLock lock;
        bool busy = false;
        QString error;
        if (!lock.TryLock(&busy, &error)) {
          MailboxDownload d;
          d.busy = busy;
          d.error = error;
          return d;
        }
        return MailboxFetch::Download(account, skip, cancel);
      },
      [this](const MailboxDownload& d) { Downloaded(d); });
}

void MailboxChecker::Cancel() {
  if (m_cancel) m_cancel->store(true);
}

void MailboxChecker::Downloaded(const MailboxDownload& download) {
  m_tally = MailboxTally{};
  for (const QString& f : download.failures) m_tally.AddFailure(f);
  if (download.busy) m_tally.SetBusy();
  if (!download.ok) {
    if (download.failure == ImapFailure::Cancelled) {
      m_tally.SetCancelled();
    } else if (!download.busy) {
      m_tally.AddFailure(download.error);
    }
    emit status(m_tally.StatusText());
    emit finished();
    return;
  }
  m_tally.SetFound(download.found);
  m_validity = download.validity;
  m_waiting = download;
  if (download.messages.empty()) {
    TakeInWaiting();  // nothing to ask: earlier turns may still be marked on the server
    return;
  }
  emit status(tr("%1 turn message(s) fetched").arg(download.messages.size()));

  emit waiting();
}

void MailboxChecker::TakeInWaiting() {
  if (!m_waiting || m_stepRunning) return;
  {
    // kolt-cli may be checking right now: the messages wait until it is done, and those
    // it took in meanwhile are skipped.
    MailboxLock lock;
    bool busy = false;
    QString error;
    if (!lock.TryLock(&busy, &error)) {
      if (busy) {
        // Offered again shortly; the window takes them only while the user is there.
        QTimer::singleShot(2000, this, [this] {
          if (m_waiting) emit waiting();
        });
        return;
      }
      m_tally.AddFailure(error);
    } else {
      const MailboxDownload download = std::move(*m_waiting);
      m_waiting.reset();
      m_fetch.TakeIn(m_account, download.validity, download.messages, m_cancel.get(), &m_tally);
      m_fetch.CountStillDeclined(download.skipped, &m_tally);
      m_fetch.ReportTooLarge(download.tooLarge, &m_tally);
    }
  }
  if (m_waiting) {  // could not lock: this check ends here
    for (const FetchedMessage& m : m_waiting->messages) QFile::remove(m.path);
    m_waiting.reset();
  }
  if (m_tally.TakenIn() > 0) emit takenIn();
  Finish();
}

void MailboxChecker::Finish() {
  const MailboxFetch::Account account = m_account;
  const quint32 folderValidity = m_validity;
  RunWorker(
      [account, folderValidity](const std::atomic<bool>* cancel) {
        MailboxLock lock;
        bool busy = false;
        QString error;
        QStringList notes;
        // Busy: the other check marks them.
        if (!lock.TryLock(&busy, &error))
          return std::make_pair(busy ? QStringList() : QStringList{error}, notes);
        const QStringList failures = MailboxFetch::Finish(account, folderValidity, cancel, &notes);
        return std::make_pair(failures, notes);
      },
      [this](const std::pair<QStringList, QStringList>& r) { Finished(r.first, r.second); });
}

void MailboxChecker::Finished(const QStringList& failures, const QStringList& notes) {
  for (const QString& f : failures) m_tally.AddFailure(f);
  for (const QString& n : notes) m_tally.AddNote(n);
  // Turns taken in cleanly were announced by the window already; everything else is said.
  if (m_tally.ExitStatus() != 0 || m_tally.TakenIn() == 0) emit status(m_tally.StatusText());
  emit finished();
}

}  // namespace kolt
