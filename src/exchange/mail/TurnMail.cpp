#include "exchange/mail/TurnMail.h"

#include <fcntl.h>

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <mutex>

// GLib names a struct member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gmime/gmime.h>
#pragma pop_macro("signals")

namespace kolt {
namespace {

void InitGMime() {
  static std::once_flag once;
  std::call_once(once, [] { g_mime_init(); });
}

struct Walk {
  const TurnMailLimits* limits = nullptr;
  TurnMail* mail = nullptr;
  int parts = 0;
  qint64 total = 0;
  bool haveText = false;
};

QByteArray PartBytes(GMimePart* part) {
  GMimeDataWrapper* content = g_mime_part_get_content(part);
  if (!content) return QByteArray();
  GMimeStream* stream = g_mime_stream_mem_new();
  g_mime_data_wrapper_write_to_stream(content, stream);
  GByteArray* array = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(stream));
  QByteArray bytes(reinterpret_cast<const char*>(array->data), static_cast<qsizetype>(array->len));
  g_object_unref(stream);
  return bytes;
}

void VisitPart(GMimeObject* parent, GMimeObject* object, gpointer user) {
  (void)parent;
  auto* walk = static_cast<Walk*>(user);
  TurnMail& mail = *walk->mail;
  if (!mail.problem.isEmpty()) return;
  if (++walk->parts > walk->limits->maxParts) {
    mail.problem = QCoreApplication::translate("TurnMail", "The message has more than %1 parts.")
                       .arg(walk->limits->maxParts);
    return;
  }
  if (!GMIME_IS_PART(object)) return;  // multiparts are walked into; embedded messages are not turns
  GMimePart* part = GMIME_PART(object);
  const char* filename = g_mime_part_get_filename(part);
  if (filename && *filename) {
    if (mail.attachments.size() >= walk->limits->maxAttachments) {
      mail.problem = QCoreApplication::translate("TurnMail", "The message has more than %1 attachments.")
                         .arg(walk->limits->maxAttachments);
      return;
    }
    QByteArray data = PartBytes(part);
    walk->total += data.size();
    if (data.size() > walk->limits->maxAttachmentBytes || walk->total > walk->limits->maxTotalBytes) {
      mail.problem = QCoreApplication::translate("TurnMail", "An attachment of the message is too large: %1")
                         .arg(QString::fromUtf8(filename));
      return;
    }
    mail.attachments.append(MailAttachment{QString::fromUtf8(filename), std::move(data)});
    return;
  }
  if (walk->haveText || !GMIME_IS_TEXT_PART(object)) return;
  GMimeContentType* type = g_mime_object_get_content_type(object);
  if (!type || !g_mime_content_type_is_type(type, "text", "plain")) return;
  walk->haveText = true;
  char* text = g_mime_text_part_get_text(GMIME_TEXT_PART(object));
  if (text) {
    mail.text = QString::fromUtf8(text).left(walk->limits->maxTextChars);
    g_free(text);
  }
}

TurnMail ParseStream(GMimeStream* stream, const TurnMailLimits& limits);

}  // namespace

TurnMail ParseTurnMail(const QByteArray& message, const TurnMailLimits& limits) {
  InitGMime();
  return ParseStream(
      g_mime_stream_mem_new_with_buffer(message.constData(), static_cast<size_t>(message.size())), limits);
}

TurnMail ParseTurnMailFile(const QString& path, qint64 offset, qint64 size, const TurnMailLimits& limits) {
  InitGMime();
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    TurnMail mail;
    mail.problem = QCoreApplication::translate("TurnMail", "It could not be read back from %1.").arg(path);
    return mail;
  }
  // The stream owns the descriptor; with a seekable stream the parser leaves the parts'
  // bytes in the file until they are decoded.
  return ParseStream(g_mime_stream_fs_new_with_bounds(fd, offset, size < 0 ? -1 : offset + size), limits);
}

namespace {

// The text of a header with its trailing comments ("(...)") and blanks taken off.
QString WithoutTrailingComments(QString text) {
  text = text.trimmed();
  while (text.endsWith(QChar(')'))) {
    const qsizetype open = text.lastIndexOf(QChar('('));
    if (open < 0) break;
    text = text.left(open).trimmed();
  }
  return text;
}

// The one mailbox of From, or empty. The sender is who a turn is credited to and checked
// against, so anything but exactly one mailbox is refused: a list, a group, or a header
// GMime had to guess at ("<a@example.org>@evil.example" and "a@example.org@evil.example"
// both come back as a@example.org). The header as written must end with the address
// GMime found, bare or in angle brackets.
QString SoleFromAddress(GMimeMessage* parsed) {
  GMimeHeaderList* headers = g_mime_object_get_header_list(GMIME_OBJECT(parsed));
  int fromHeaders = 0;
  for (int i = 0; i < g_mime_header_list_get_count(headers); ++i) {
    const char* name = g_mime_header_get_name(g_mime_header_list_get_header_at(headers, i));
    if (name && g_ascii_strcasecmp(name, "From") == 0) ++fromHeaders;
  }
  InternetAddressList* from = g_mime_message_get_from(parsed);
  if (fromHeaders != 1 || !from || internet_address_list_length(from) != 1) return QString();
  InternetAddress* address = internet_address_list_get_address(from, 0);
  if (!INTERNET_ADDRESS_IS_MAILBOX(address)) return QString();
  const char* addr = internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address));
  const char* raw = g_mime_object_get_header(GMIME_OBJECT(parsed), "From");
  if (!addr || !raw) return QString();
  const QString found = QString::fromUtf8(addr).trimmed();
  QString written = WithoutTrailingComments(QString::fromUtf8(raw).simplified());
  if (written.endsWith(QChar('>'))) {
    const qsizetype open = written.lastIndexOf(QChar('<'));
    if (open < 0) return QString();
    written = written.mid(open + 1, written.size() - open - 2).trimmed();
  }
  return written.compare(found, Qt::CaseInsensitive) == 0 ? found : QString();
}

TurnMail ParseStream(GMimeStream* stream, const TurnMailLimits& limits) {
  TurnMail mail;
  GMimeParser* parser = g_mime_parser_new_with_stream(stream);
  g_object_unref(stream);
  GMimeMessage* parsed = g_mime_parser_construct_message(parser, nullptr);
  g_object_unref(parser);
  if (!parsed) {
    mail.problem = QCoreApplication::translate("TurnMail", "It is not an e-mail message.");
    return mail;
  }
  if (const char* subject = g_mime_message_get_subject(parsed))
    mail.subject = QString::fromUtf8(subject).trimmed();
  mail.fromAddress = SoleFromAddress(parsed);
  Walk walk{&limits, &mail};
  GMimeObject* body = g_mime_message_get_mime_part(parsed);
  if (body) {
    VisitPart(nullptr, body, &walk);
    if (GMIME_IS_MULTIPART(body)) g_mime_multipart_foreach(GMIME_MULTIPART(body), &VisitPart, &walk);
  }
  g_object_unref(parsed);
  if (!mail.problem.isEmpty()) mail.attachments.clear();
  return mail;
}

}  // namespace

QString TauntOfText(const QString& text) {
  QString normal = text;
  normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const QStringList lines = normal.split(QChar('\n'));
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (lines[i].trimmed() != QStringLiteral("--")) continue;
    QString taunt = lines.mid(0, i).join(QChar('\n'));
    while (taunt.endsWith(QChar('\n'))) taunt.chop(1);
    return taunt;
  }
  return QString();
}

QString GamesTextOf(const QString& text) {
  QString normal = text;
  normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const QStringList lines = normal.split(QChar('\n'));
  for (qsizetype i = lines.size() - 1; i >= 0; --i) {
    if (!lines[i].trimmed().isEmpty()) return lines[i].trimmed();
  }
  return QString();
}

}  // namespace kolt
