#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kolt {

class UiPort;

// One command line that opens the user's mail client on a prepared message.
struct MailClientCommand {
  QString program;
  QStringList arguments;
};

// The desktop file of the default mailto handler ("thunderbird.desktop"), asked from
// xdg-mime; empty when it cannot be told.
QString DefaultMailtoHandler();

// Thunderbird's compose command line. The body travels in `bodyFile` (written by the
// caller), as Thunderbird's argument syntax has no way to quote it safely.
MailClientCommand ThunderbirdCommand(const QString& program, const QStringList& recipients,
                                     const QString& subject, const QString& bodyFile,
                                     const QStringList& attachments);
MailClientCommand XdgEmailCommand(const QString& program, const QStringList& recipients,
                                  const QString& subject, const QString& body,
                                  const QStringList& attachments);

// The command for this desktop: Thunderbird's own when it is the default client and on
// PATH, else xdg-email; nullopt when neither is there. The body file for Thunderbird is
// written into `workFolder`.
std::optional<MailClientCommand> ComposeCommand(const QStringList& recipients, const QString& subject,
                                                const QString& body, const QStringList& attachments,
                                                const QString& workFolder);

enum class LaunchResult { Handed, StartFailed, Failed };
// Starts the command and waits a few seconds, letting the UI run, for a quick failure.
// A client that keeps running (Thunderbird started fresh) counts as handed over and is
// left running. `exitCode` is set when it ended with an error.
LaunchResult LaunchMailClient(const MailClientCommand& command, UiPort& ui, int* exitCode);

}  // namespace kolt
