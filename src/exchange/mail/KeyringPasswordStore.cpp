#include "exchange/mail/KeyringPasswordStore.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QTimer>

namespace kolt {
namespace {

const QString kService = QStringLiteral("KOLT Helper");
// The keyring may ask the user to unlock it; give that time, but never hang for good.
constexpr int kJobTimeoutMs = 120000;

// Runs a job to its end with a local event loop. False on a time-out.
bool RunJob(QKeychain::Job* job) {
  QEventLoop loop;
  bool finished = false;
  QObject::connect(job, &QKeychain::Job::finished, &loop, [&](QKeychain::Job*) {
    finished = true;
    loop.quit();
  });
  QTimer::singleShot(kJobTimeoutMs, &loop, &QEventLoop::quit);
  job->start();
  if (!finished) loop.exec();
  return finished;
}

}  // namespace

QString KeyringPasswordStore::ReadPassword() {
  auto* job = new QKeychain::ReadPasswordJob(kService);
  job->setAutoDelete(true);
  job->setKey(m_key);
  if (RunJob(job) && job->error() == QKeychain::NoError) {
    m_inKeyring = true;
    return job->textData();
  }
  m_inKeyring = false;
  return m_file.ReadPassword();
}

bool KeyringPasswordStore::WritePassword(const QString& password) {
  if (password.isEmpty()) {
    auto* job = new QKeychain::DeletePasswordJob(kService);
    job->setAutoDelete(true);
    job->setKey(m_key);
    RunJob(job);
    m_inKeyring = false;
    return m_file.WritePassword(QString());
  }
  auto* job = new QKeychain::WritePasswordJob(kService);
  job->setAutoDelete(true);
  job->setKey(m_key);
  job->setTextData(password);
  if (RunJob(job) && job->error() == QKeychain::NoError) {
    m_inKeyring = true;
    // An older password left in the file would be read whenever the keyring is away:
    // the caller learns that it could not be removed.
    return m_file.WritePassword(QString());
  }
  m_inKeyring = false;
  return m_file.WritePassword(password);
}

QString KeyringPasswordStore::Location() const {
  return m_inKeyring ? tr("the desktop keyring") : m_file.Location();
}

}  // namespace kolt
