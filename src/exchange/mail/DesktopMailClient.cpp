#include "exchange/mail/DesktopMailClient.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

#include "core/UiPort.h"

namespace kolt {
namespace {

constexpr int kQuickFailureMs = 3000;

// Inside Thunderbird's '...' values a quote would end the value, and there is no escape.
QString ThunderbirdValue(QString text) {
  text.replace(QChar('\''), QChar(0x2019));
  text.replace(QChar('\r'), QChar(' '));
  text.replace(QChar('\n'), QChar(' '));
  return text;
}

}  // namespace

QString DefaultMailtoHandler() {
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (xdgMime.isEmpty()) return QString();
  QProcess p;
  p.start(xdgMime,
          {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/mailto")});
  if (!p.waitForFinished(5000)) {
    p.kill();
    p.waitForFinished(1000);
    return QString();
  }
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

MailClientCommand ThunderbirdCommand(const QString& program, const QStringList& recipients,
                                     const QString& subject, const QString& bodyFile,
                                     const QStringList& attachments) {
  QStringList fields;
  QStringList to;
  for (const QString& r : recipients) to.append(ThunderbirdValue(r));
  if (!to.isEmpty()) fields.append(QStringLiteral("to='%1'").arg(to.join(QChar(','))));
  fields.append(QStringLiteral("subject='%1'").arg(ThunderbirdValue(subject)));
  if (!bodyFile.isEmpty()) fields.append(QStringLiteral("message='%1'").arg(ThunderbirdValue(bodyFile)));
  QStringList urls;
  // Encoded file URLs: a comma or quote in a path cannot break the list.
  for (const QString& a : attachments)
    urls.append(QString::fromLatin1(QUrl::fromLocalFile(a).toEncoded(QUrl::FullyEncoded))
                    .replace(QChar('\''), QStringLiteral("%27"))
                    .replace(QChar(','), QStringLiteral("%2C")));
  if (!urls.isEmpty()) fields.append(QStringLiteral("attachment='%1'").arg(urls.join(QChar(','))));
  return MailClientCommand{program, {QStringLiteral("-compose"), fields.join(QChar(','))}};
}

MailClientCommand XdgEmailCommand(const QString& program, const QStringList& recipients,
                                  const QString& subject, const QString& body,
                                  const QStringList& attachments) {
  QStringList args{QStringLiteral("--utf8"), QStringLiteral("--subject"), subject, QStringLiteral("--body"),
                   body};
  for (const QString& a : attachments) args << QStringLiteral("--attach") << a;
  // An address that starts with '-' must not be taken for an option.
  for (const QString& r : recipients) {
    if (!r.startsWith(QChar('-'))) args.append(r);
  }
  return MailClientCommand{program, args};
}

std::optional<MailClientCommand> ComposeCommand(const QStringList& recipients, const QString& subject,
                                                const QString& body, const QStringList& attachments,
                                                const QString& workFolder) {
  if (DefaultMailtoHandler().contains(QLatin1String("thunderbird"), Qt::CaseInsensitive)) {
    const QString thunderbird = QStandardPaths::findExecutable(QStringLiteral("thunderbird"));
    if (!thunderbird.isEmpty()) {
      QString bodyFile;
      // Thunderbird's compose line cannot quote a ' or , in the body file's path: with
      // such a folder (a home like /home/o'brien) the body goes to a fresh temporary file.
      auto quotable = [](const QString& path) {
        return !path.contains(QChar('\'')) && !path.contains(QChar(','));
      };
      if (!body.isEmpty() && !workFolder.isEmpty() && quotable(workFolder)) {
        bodyFile = workFolder + QStringLiteral("/MESSAGE.TXT");
        QFile f(bodyFile);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(body.toUtf8()) < 0)
          bodyFile.clear();
      } else if (!body.isEmpty()) {
        QTemporaryFile f(QDir::tempPath() + QStringLiteral("/kolt-message-XXXXXX.txt"));
        f.setAutoRemove(false);  // the mail client reads it after we returned
        if (f.open() && f.write(body.toUtf8()) >= 0 && quotable(f.fileName())) bodyFile = f.fileName();
      }
      if (!bodyFile.isEmpty() || body.isEmpty())
        return ThunderbirdCommand(thunderbird, recipients, subject, bodyFile, attachments);
    }
  }
  const QString xdgEmail = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
  if (!xdgEmail.isEmpty()) return XdgEmailCommand(xdgEmail, recipients, subject, body, attachments);
  return std::nullopt;
}

LaunchResult LaunchMailClient(const MailClientCommand& command, UiPort& ui, int* exitCode) {
  // On the heap: a client that stays running must outlive this call.
  auto* process = new QProcess;
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  process->setStandardInputFile(QProcess::nullDevice());
  process->start(command.program, command.arguments);
  if (!process->waitForStarted(10000)) {
    RaiseError(1, process->errorString(), command.program);
    delete process;
    return LaunchResult::StartFailed;
  }
  QElapsedTimer timer;
  timer.start();
  while (process->state() != QProcess::NotRunning && timer.elapsed() < kQuickFailureMs) {
    process->waitForFinished(50);
    ui.DoEvents();
  }
  if (process->state() != QProcess::NotRunning) {
    // Still running: it removes itself once the client ends.
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    if (process->state() == QProcess::NotRunning) process->deleteLater();
    return LaunchResult::Handed;
  }
  const bool crashed = process->exitStatus() != QProcess::NormalExit;
  const int code = process->exitCode();
  delete process;
  if (!crashed && code == 0) return LaunchResult::Handed;
  if (exitCode) *exitCode = crashed ? -1 : code;
  RaiseError(
      crashed ? -1 : code,
      crashed
          ? QCoreApplication::translate("DesktopMailClient", "The mail client crashed")
          : QCoreApplication::translate("DesktopMailClient", "The mail client ended with code %1").arg(code),
      command.program);
  return LaunchResult::Failed;
}

}  // namespace kolt
