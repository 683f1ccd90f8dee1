// A turn message from the mailbox: any bytes are parsed without harm, the limits hold,
// and the taunt and games text found in its text are parts of that text.
#include "FuzzSupport.h"
#include "exchange/mail/TurnMail.h"

using namespace kolt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TurnMailLimits limits;
  limits.maxAttachmentBytes = 4096;
  limits.maxTotalBytes = 8192;
  limits.maxAttachments = 4;
  limits.maxParts = 16;
  limits.maxTextChars = 1024;
  const TurnMail mail = ParseTurnMail(fuzz::Bytes(data, size), limits);
  fuzz::Require(mail.problem.isEmpty() || mail.attachments.isEmpty());
  fuzz::Require(mail.attachments.size() <= limits.maxAttachments);
  qint64 total = 0;
  for (const MailAttachment& a : mail.attachments) {
    fuzz::Require(a.data.size() <= limits.maxAttachmentBytes);
    total += a.data.size();
  }
  fuzz::Require(total <= limits.maxTotalBytes);
  fuzz::Require(mail.text.size() <= limits.maxTextChars);
  QString normal = mail.text;
  normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  fuzz::Require(normal.startsWith(TauntOfText(mail.text)));
  fuzz::Require(normal.contains(GamesTextOf(mail.text)));
  return 0;
}
