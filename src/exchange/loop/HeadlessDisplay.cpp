#include "exchange/loop/HeadlessDisplay.h"

#include <sys/prctl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <csignal>

namespace kolt {
namespace {

// Xvfb says its display within a second; a busy machine gets more.
constexpr int kStartWaitMs = 30000;

}  // namespace

HeadlessDisplay::HeadlessDisplay() = default;

HeadlessDisplay::~HeadlessDisplay() {
  if (m_xvfb && m_xvfb->state() != QProcess::NotRunning) {
    m_xvfb->terminate();
    if (!m_xvfb->waitForFinished(5000)) m_xvfb->kill();
    m_xvfb->waitForFinished(5000);
  }
}

QString HeadlessDisplay::MissingText() {
  return QCoreApplication::translate(
      "HeadlessDisplay",
      "There is no display to run the game on (DISPLAY is not set), and neither Xvfb nor xvfb-run is "
      "installed. Install them (on Debian and Ubuntu: sudo apt-get install xvfb), or run this in a "
      "desktop session.");
}

bool HeadlessDisplay::Ensure(QString* problem) {
  if (!qEnvironmentVariableIsEmpty("DISPLAY")) return true;
  if (m_xvfb && m_xvfb->state() == QProcess::Running) return true;
  const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
  if (xvfb.isEmpty()) {
    *problem = MissingText();
    return false;
  }
  m_xvfb = std::make_unique<QProcess>();
  m_xvfb->setProgram(xvfb);
  // -displayfd: Xvfb takes a free display itself and writes its number to our pipe.
  m_xvfb->setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1024x768x24")});
  m_xvfb->setProcessChannelMode(QProcess::SeparateChannels);
  m_xvfb->setStandardErrorFile(QProcess::nullDevice());
  // The display ends with us, however we end: a run that is killed or crashes must not
  // leave a server behind for every interval it ran. (Ensure runs on the main thread,
  // which lives as long as the process.)
  const pid_t parent = ::getpid();
  m_xvfb->setChildProcessModifier([parent] {
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(1);  // we ended before the line above
  });
  m_xvfb->start();
  QByteArray number;
  if (m_xvfb->waitForStarted(kStartWaitMs)) {
    while (!number.contains('\n') && m_xvfb->waitForReadyRead(kStartWaitMs)) number += m_xvfb->readAll();
  }
  number = number.trimmed();
  if (number.isEmpty()) {
    m_xvfb->kill();
    m_xvfb->waitForFinished(5000);
    m_xvfb.reset();
    *problem = QCoreApplication::translate("HeadlessDisplay", "Xvfb (%1) did not start a display.").arg(xvfb);
    return false;
  }
  m_display = QChar(':') + QString::fromLatin1(number);
  qputenv("DISPLAY", m_display.toLatin1());
  return true;
}

}  // namespace kolt
