#include "ui/MailboxChecker.h"

#include <QTimer>

#include "core/UiPort.h"

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
  m_cancel = std::make_shared<std::atomic<bool>>(false);
  auto cancel = m_cancel;
  m_worker = QThread::create([this, work, done, cancel]() {
    auto result = work(cancel.get());
    // Back on the window's thread; the object outlives its worker (the destructor waits).
    QMetaObject::invokeMethod(
        this, [done, result]() { done(result); }, Qt::QueuedConnection);
  });
  connect(m_worker, &QThread::finished, this, [this, worker = m_worker]() {
    worker->deleteLater();
    if (m_worker == worker) m_worker = nullptr;
  });
  m_worker->start();
}

void MailboxChecker::Check(bool requested) {
  if (m_worker || m_waiting) return;
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
  emit status(QStringLiteral("Checking the mailbox ") + m_account.settings.folder + QStringLiteral(" on ") +
              m_account.imap.host + QStringLiteral("..."));
  const MailboxFetch::Account account = m_account;
  const QSet<quint32> skip = m_fetch.Declined();
  RunWorker([account,
             skip](const std::atomic<bool>* cancel) { return MailboxFetch::Download(account, skip, cancel); },
            [this](const MailboxDownload& d) { Downloaded(d); });
}

void MailboxChecker::Cancel() {
  if (m_cancel) m_cancel->store(true);
}

void MailboxChecker::Downloaded(const MailboxDownload& download) {
  if (!download.ok) {
    emit status(download.failure == ImapFailure::Cancelled ? QStringLiteral("Mailbox check cancelled")
                                                           : download.error.section(QChar('\r'), 0, 0));
    emit finished();
    return;
  }
  m_result = MailboxFetch::Result{};
  m_result.found = download.found;
  if (download.messages.empty() && download.tooLarge.isEmpty()) {
    emit status(MailboxFetch::ResultText(m_result));
    emit finished();
    return;
  }
  m_waiting = download;
  emit status(QString::number(download.messages.size()) + QStringLiteral(" turn message(s) fetched"));
  emit waiting();
}

void MailboxChecker::TakeInWaiting() {
  if (!m_waiting) return;
  const MailboxDownload download = std::move(*m_waiting);
  m_waiting.reset();
  const std::vector<TakenMessage> taken = m_fetch.TakeIn(download.messages);
  for (const TakenMessage& t : taken) {
    if (t.outcome == MessageOutcome::TakenIn) ++m_result.takenIn;
    if (t.outcome == MessageOutcome::Declined) ++m_result.declined;
    if (t.outcome == MessageOutcome::Refused) ++m_result.refused;
  }
  for (quint32 uid : download.tooLarge) {
    m_ui.ShowError(QStringLiteral("The message with UID ") + QString::number(uid) +
                   QStringLiteral(" is too large and was not fetched. It stays unread in the mailbox."));
    ++m_result.refused;
  }
  if (m_result.takenIn > 0) emit takenIn();
  const MailboxFetch::Account account = m_account;
  const quint32 validity = download.validity;
  const QList<quint32> tooLarge = download.tooLarge;
  RunWorker(
      [account, validity, taken, tooLarge](const std::atomic<bool>* cancel) {
        QString error;
        const bool ok = MailboxFetch::Finish(account, validity, taken, tooLarge, cancel, &error);
        return std::make_pair(ok, error);
      },
      [this](const std::pair<bool, QString>& r) { Finished(r.first, r.second); });
}

void MailboxChecker::Finished(bool ok, const QString& error) {
  m_result.ok = ok;
  m_result.error = error;
  // Turns taken in cleanly were announced by the window already; everything else is said.
  if (!ok || m_result.takenIn == 0 || m_result.declined > 0 || m_result.refused > 0)
    emit status(error.isEmpty() ? MailboxFetch::ResultText(m_result) : error);
  emit finished();
}

}  // namespace kolt
