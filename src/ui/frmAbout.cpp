#include "ui/frmAbout.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>

#include "core/Startup.h"
#include "core/UiPort.h"
#include "ui/UserGuide.h"
#include "ui_frmAbout.h"

namespace kolt {
namespace {

// The program's own page, where new versions are announced, as the build names it; a
// build that names none shows no link to it.
const char kProgramPage[] = KOLT_PROGRAM_PAGE;

struct LinkInfo {
  const char* name;  // the link label of the form, and the link it holds
  const char* url;   // empty: computed (the readme)
};

// What this build really uses for archives, mail, windows and hot keys.
const LinkInfo kLinks[] = {
    {"lblReadme", ""},
    {"lblCheckVersion", kProgramPage},
    {"lblZIP", "https://www.libarchive.org/"},
    {"lblBLAT", "https://curl.se/libcurl/"},
    {"lblQt", "https://www.qt.io/"},
    {"lblX11", "https://www.x.org/"},
};

const LinkInfo* FindLink(const QString& name) {
  for (const LinkInfo& l : kLinks) {
    if (name == QLatin1String(l.name)) return &l;
  }
  return nullptr;
}

}  // namespace

frmAbout::frmAbout(UiPort& ui, QWidget* parent)
    : QDialog(parent), m_form(std::make_unique<Ui::frmAbout>()), m_port(ui) {
  m_form->setupUi(this);
  m_opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

  QIcon icon = QApplication::windowIcon();
  if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_ComputerIcon);
  m_form->picIcon->setPixmap(icon.pixmap(48, 48));

  for (const LinkInfo& l : kLinks) {
    auto* label = findChild<QLabel*>(QString::fromLatin1(l.name));
    if (!label) continue;
    // A build that names no page of its own shows no link to it.
    if (l.url == kProgramPage && !*kProgramPage) {
      delete label;
      continue;
    }
    // Opened through our own opener, so that a failure is reported.
    label->setToolTip(LinkTarget(label->objectName()).toDisplayString());
    connect(label, &QLabel::linkActivated, this, [this](const QString& link) { OpenLink(link); });
  }

  connect(m_form->cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  connect(m_form->cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
  Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::Form_Load() {
  const QString version = App().version.isEmpty() ? ProgramVersion() : App().version;
  m_form->lblVersion->setText(tr("Version %1").arg(version));
}

QUrl frmAbout::LinkTarget(const QString& labelName) const {
  const LinkInfo* link = FindLink(labelName);
  if (!link || (link->url == kProgramPage && !*kProgramPage)) return QUrl();
  if (*link->url) return QUrl(QString::fromLatin1(link->url));
  const QString guide = UserGuide::Find(UserGuide::Candidates());
  return guide.isEmpty() ? QUrl() : QUrl::fromLocalFile(guide);
}

void frmAbout::OpenLink(const QString& labelName) {
  if (labelName == QLatin1String("lblReadme")) {
    // The readme is the user guide; where it is missing or cannot be shown, the user is told.
    UserGuide::Open(m_port, UserGuide::Candidates(), m_opener);
    return;
  }
  const QUrl url = LinkTarget(labelName);
  if (url.isEmpty() || !m_opener) return;
  if (!m_opener(url))
    m_port.MsgBox(tr("No program to open %1 was found.").arg(url.toDisplayString()), Buttons::Ok,
                  Icon::Exclamation);
}

QStringList frmAbout::SysInfoPrograms() {
  return {QStringLiteral("hardinfo2"),
          QStringLiteral("hardinfo"),
          QStringLiteral("kinfocenter"),
          QStringLiteral("gnome-system-monitor"),
          QStringLiteral("plasma-systemmonitor"),
          QStringLiteral("mate-system-monitor"),
          QStringLiteral("xfce4-taskmanager"),
          QStringLiteral("lxtask")};
}

bool frmAbout::StartSysInfo() {
  for (const QString& name : SysInfoPrograms()) {
    const QString path = QStandardPaths::findExecutable(name);
    if (!path.isEmpty() && QProcess::startDetached(path, {})) return true;
  }
  m_port.MsgBox(tr("System Information Is Unavailable At This Time"), Buttons::Ok, Icon::None);
  return false;
}

void frmAbout::cmdSysInfo_Click() {
  StartSysInfo();
}

void frmAbout::cmdOK_Click() {
  accept();
}

}  // namespace kolt
