#include "ui/TrayIcon.h"

#include <QAction>
#include <QFont>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace kolt {

TrayIcon::TrayIcon(QIcon base, QObject* parent)
    : QObject(parent), m_base(std::move(base)), m_menu(new QMenu), m_tray(new QSystemTrayIcon(this)) {
  m_menu->setObjectName(QStringLiteral("mnuTray"));
  auto add = [this](const QString& text, const char* name, void (TrayIcon::*signal)()) {
    QAction* action = m_menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, signal);
    return action;
  };
  //: the tray menu's command that shows the window
  add(tr("&Open"), "mnuTrayOpen", &TrayIcon::openRequested);
  m_checkMail = add(tr("&Check mail now"), "mnuTrayCheckMail", &TrayIcon::checkMailRequested);
  m_checkMail->setVisible(false);
  //: the tray menu's command that reads the programs and games again
  add(tr("&Refresh"), "mnuTrayRefresh", &TrayIcon::refreshRequested);
  m_menu->addSeparator();
  add(tr("&Quit"), "mnuTrayQuit", &TrayIcon::quitRequested);
  m_tray->setContextMenu(m_menu);
  connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) emit openRequested();
  });
  SetPlayCount(0);
}

TrayIcon::~TrayIcon() {
  m_tray->setContextMenu(nullptr);
  delete m_menu;
}

bool TrayIcon::Available() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::Show() {
  m_tray->show();
}

void TrayIcon::Hide() {
  m_tray->hide();
}

bool TrayIcon::IsVisible() const {
  return m_tray->isVisible();
}

QString TrayIcon::ToolTip() const {
  // Each English form is a source text of its own, so the English texts need no
  // translation file; other languages get every plural form from the last one.
  if (m_playCount == 0) return tr("KOLT Helper: no game to play");
  if (m_playCount == 1) return tr("KOLT Helper: 1 game to play");
  return tr("KOLT Helper: %n games to play", nullptr, m_playCount);
}

QIcon TrayIcon::Icon() const {
  return m_tray->icon();
}

void TrayIcon::SetPlayCount(int count) {
  m_playCount = std::max(count, 0);
  m_tray->setIcon(WithCount(m_base, m_playCount));
  m_tray->setToolTip(ToolTip());
}

void TrayIcon::SetMailFetchingAvailable(bool available) {
  m_checkMail->setVisible(available);
}

QIcon TrayIcon::WithCount(const QIcon& base, int count) {
  constexpr int kSize = 64;
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  if (!base.isNull()) base.paint(&painter, 0, 0, kSize, kSize);
  if (count > 0) {
    const QString text = count > 99 ? QStringLiteral("99+") : QString::number(count);
    const QRect badge(kSize / 3 - 4, kSize / 3 - 4, kSize * 2 / 3 + 4, kSize * 2 / 3 + 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xc0, 0x1c, 0x1c));
    painter.drawEllipse(badge);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(text.size() > 2 ? 18 : 28);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(badge, Qt::AlignCenter, text);
  }
  painter.end();
  return QIcon(pixmap);
}

}  // namespace kolt
