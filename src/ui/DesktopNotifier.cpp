#include "ui/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace kolt {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

}  // namespace

DesktopNotifier::DesktopNotifier(QObject* parent) : QObject(parent) {}

DesktopNotifier::~DesktopNotifier() = default;

void DesktopNotifier::Notify(const QString& summary, const QString& body) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  if (!m_listening) {
    m_listening = true;
    bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(OnActionInvoked(uint, QString)));
    bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                SLOT(OnClosed(uint, uint)));
  }
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
  QVariantMap hints;
  hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("kolt-helper"));
  hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(1));
  // The action's key stays "default"; only its label is read by the user.
  call << QStringLiteral("KOLT Helper") << m_id << QString() << summary << body
       << QStringList{QStringLiteral("default"), tr("Show", "notification action that shows the window")}
       << hints << -1;

  // A service that is slow or missing must not hold the window: the answer (the
  // notification's number) is taken when it comes, an error is dropped.
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
    const QDBusPendingReply<uint> reply = *w;
    if (!reply.isError()) m_id = reply.value();
    w->deleteLater();
  });
}

void DesktopNotifier::OnActionInvoked(uint id, const QString& action) {
  if (id == 0 || id != m_id) return;  // another program's notification
  if (action == QStringLiteral("default") || action == QStringLiteral("Show")) emit activated();
}

void DesktopNotifier::OnClosed(uint id, uint reason) {
  (void)reason;
  if (id != 0 && id == m_id) m_id = 0;
}

}  // namespace kolt
