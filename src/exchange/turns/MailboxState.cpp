#include "exchange/turns/MailboxState.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "core/AtomicFile.h"
#include "core/Utilities.h"

namespace kolt {
namespace {

// Handled UIDs kept per folder; older ones are long gone from an inbox.
constexpr qsizetype kHandledKept = 20000;

QList<quint32> Numbers(const QJsonValue& value) {
  QList<quint32> numbers;
  for (const auto& v : value.toArray()) {
    const double d = v.toDouble();
    if (d >= 1 && d <= 4294967295.0) numbers.append(static_cast<quint32>(d));
  }
  return numbers;
}

QJsonArray Array(QList<quint32> numbers, bool sort) {
  if (sort) std::sort(numbers.begin(), numbers.end());
  QJsonArray array;
  for (quint32 n : numbers) array.append(static_cast<double>(n));
  return array;
}

}  // namespace

QJsonObject ReadJsonFile(const QString& path) {
  const std::optional<QByteArray> bytes = ReadFileHead(path, qint64{16} * 1024 * 1024);
  return bytes ? QJsonDocument::fromJson(*bytes).object() : QJsonObject();
}

bool WriteJsonFile(const QString& path, const QJsonObject& object) {
  AtomicFileWriter writer(path);
  return writer.Open(Permissions::KeepExisting, 0600) &&
         writer.Write(QJsonDocument(object).toJson(QJsonDocument::Indented)) && writer.Commit();
}

MailboxState::MailboxState(QString path, QString key) : m_path(std::move(path)), m_key(std::move(key)) {}

void MailboxState::Load(quint32 validity) {
  m_validity = validity;
  m_handledOrder.clear();
  m_handled.clear();
  m_pending.clear();
  m_unmarked.clear();
  const QJsonObject state = ReadJsonFile(m_path).value(m_key).toObject();
  if (static_cast<quint32>(state.value(QStringLiteral("uidvalidity")).toDouble()) != validity) return;
  m_handledOrder = Numbers(state.value(QStringLiteral("handled")));
  m_handled = QSet<quint32>(m_handledOrder.begin(), m_handledOrder.end());
  const QList<quint32> pending = Numbers(state.value(QStringLiteral("pending")));
  m_pending = QSet<quint32>(pending.begin(), pending.end());
  const QList<quint32> unmarked = Numbers(state.value(QStringLiteral("unmarked")));
  m_unmarked = QSet<quint32>(unmarked.begin(), unmarked.end());
}

bool MailboxState::Save(QString* error) {
  QJsonObject all = ReadJsonFile(m_path);
  while (m_handledOrder.size() > kHandledKept) m_handled.remove(m_handledOrder.takeFirst());
  all.insert(m_key, QJsonObject{{QStringLiteral("uidvalidity"), static_cast<double>(m_validity)},
                                {QStringLiteral("handled"), Array(m_handledOrder, false)},
                                {QStringLiteral("pending"), Array(m_pending.values(), true)},
                                {QStringLiteral("unmarked"), Array(m_unmarked.values(), true)}});
  if (WriteJsonFile(m_path, all)) return true;
  *error = tr("Can't write file: %1 (%2)").arg(m_path, QString::fromLocal8Bit(std::strerror(errno)));
  return false;
}

QList<quint32> MailboxState::Unmarked() const {
  QList<quint32> uids = m_unmarked.values();
  std::sort(uids.begin(), uids.end());
  return uids;
}

void MailboxState::AddPending(const QList<quint32>& uids) {
  for (quint32 uid : uids) m_pending.insert(uid);
}

void MailboxState::RemovePending(const QList<quint32>& uids) {
  for (quint32 uid : uids) m_pending.remove(uid);
}

void MailboxState::AddHandled(quint32 uid, bool mark) {
  m_pending.remove(uid);
  if (!m_handled.contains(uid)) {
    m_handled.insert(uid);
    m_handledOrder.append(uid);
  }
  if (mark) m_unmarked.insert(uid);
}

}  // namespace kolt
