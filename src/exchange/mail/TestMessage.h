#pragma once

#include <QString>
#include <optional>

namespace kolt {

class MailTransport;
class UiPort;

// The test message: a file TEST.KLT holding the four characters TEST, mailed to the
// user's own address. Opening the received attachment later shows a congratulation
// instead of taking the file in as turn files.

// The instance folder's TEST.KLT.
QString TestMessagePath();

// Writes the test file and mails it (allowSelf on, no dialog). The address it went to,
// or nullopt when there is no own address, the file could not be written ("Can't create
// test file: " + path) or the send failed (each already told).
std::optional<QString> MailTestMessage(UiPort& ui, MailTransport& transport);

// MailTestMessage, then a message box saying where the test message went.
bool SendTestMessage(UiPort& ui, MailTransport& transport);

// "The test message was sent to ADDRESS. ..." with what to do when it arrives.
QString TestMessageSentText(const QString& address);

// The file holds exactly the four characters TEST and nothing else.
bool IsTestMessageFile(const QString& path);

// "Congratulations! You have successfully sent a KOLT test message."
QString TestMessageCongratulation();

// For the command-line file: when it is the test file, shows the congratulation and
// returns true (the caller then does not take it in); false otherwise.
bool ShowIfTestMessage(UiPort& ui, const QString& path);

}  // namespace kolt
