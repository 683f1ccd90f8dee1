#pragma once

#include <QObject>
#include <QString>

namespace kolt {

// Desktop notifications through the session bus's notification service
// (org.freedesktop.Notifications). Without a session bus or a service nothing is shown
// and nothing is reported: a notification is a courtesy. Calls never wait for the bus.
class DesktopNotifier final : public QObject {
  Q_OBJECT

 public:
  explicit DesktopNotifier(QObject* parent = nullptr);
  ~DesktopNotifier() override;

  // Shows `summary` and `body`; a later call replaces the notification still shown.
  void Notify(const QString& summary, const QString& body);

 signals:
  // The user clicked the notification (its default action).
  void activated();

 private slots:
  void OnActionInvoked(uint id, const QString& action);
  void OnClosed(uint id, uint reason);

 private:
  bool m_listening = false;
  uint m_id = 0;  // the notification shown now, as the service numbered it
};

}  // namespace kolt
