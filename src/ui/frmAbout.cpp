#include "ui/frmAbout.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

#include "core/Startup.h"
#include "core/UiPort.h"
#include "ui/UserGuide.h"

namespace kolt {
namespace {

// The program's own page, where new versions are announced, as the build names it; a
// build that names none shows no link to it.
const char kProgramPage[] = KOLT_PROGRAM_PAGE;

struct LinkInfo {
  const char* name;
  const char* text;
  const char* url;  // empty: computed (the readme)
};

// What this build really uses for archives, mail, windows and hot keys.
const LinkInfo kLinks[] = {
    {"lblReadme", "View the Readme", ""},
    {"lblCheckVersion", "Check the latest version", kProgramPage},
    {"lblZIP", "ZIP technology by libarchive", "https://www.libarchive.org/"},
    {"lblBLAT", "SMTP sending by libcurl", "https://curl.se/libcurl/"},
    {"lblQt", "User interface by Qt", "https://www.qt.io/"},
    {"lblX11", "Hot keys and typing by X11 and XTest", "https://www.x.org/"},
};

const LinkInfo* FindLink(const QString& name) {
  for (const LinkInfo& l : kLinks) {
    if (name == QLatin1String(l.name)) return &l;
  }
  return nullptr;
}

}  // namespace

frmAbout::frmAbout(UiPort& ui, QWidget* parent) : QDialog(parent), m_port(ui) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About KOLT Helper"));
  m_opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

  auto* picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  QIcon icon = QApplication::windowIcon();
  if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_ComputerIcon);
  picIcon->setPixmap(icon.pixmap(48, 48));
  picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  auto* lblTitle = new QLabel(
      QStringLiteral(
          "<b><big>KOLT Helper</big></b><br>Turn exchange for play-by-e-mail war and strategy games"),
      this);
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  m_lblVersion = new QLabel(QStringLiteral("Version"), this);
  m_lblVersion->setObjectName(QStringLiteral("lblVersion"));
  auto* lblDescription =
      new QLabel(QStringLiteral("Use this program to automatically send and receive KOLT files."), this);
  lblDescription->setObjectName(QStringLiteral("lblDescription"));
  lblDescription->setWordWrap(true);

  auto* text = new QVBoxLayout;
  text->addWidget(lblTitle);
  text->addWidget(m_lblVersion);
  text->addSpacing(8);
  text->addWidget(lblDescription);
  text->addSpacing(8);
  for (const LinkInfo& l : kLinks) {
    if (l.url == kProgramPage && !*kProgramPage) continue;
    text->addWidget(AddLink(l.name, QString::fromLatin1(l.text)));
  }
  text->addStretch();

  auto* top = new QHBoxLayout;
  top->addWidget(picIcon);
  top->addSpacing(12);
  top->addLayout(text, 1);

  auto* lblDisclaimer = new QLabel(
      QStringLiteral("This program is provided as is, without warranty of any kind. It changes files in the "
                     "folders of your games; keep backups of games that matter to you. You use it at your "
                     "own risk."),
      this);
  lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
  lblDisclaimer->setWordWrap(true);
  lblDisclaimer->setFrameShape(QFrame::StyledPanel);
  lblDisclaimer->setMargin(6);
  lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
  cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdSysInfo);
  buttons->addStretch();

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(lblDisclaimer, 1);
  bottom->addLayout(buttons);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(8);
  layout->addLayout(bottom);
  setMinimumWidth(520);

  connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
  Form_Load();
}

QLabel* frmAbout::AddLink(const char* name, const QString& text) {
  auto* label = new QLabel(this);
  label->setObjectName(QString::fromLatin1(name));
  // Drawn as a link (blue, underlined); opened through our own opener so that a
  // failure is reported.
  label->setText(
      QStringLiteral("<a href=\"%1\">%2</a>").arg(QString::fromLatin1(name), text.toHtmlEscaped()));
  label->setTextFormat(Qt::RichText);
  label->setOpenExternalLinks(false);
  label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  label->setToolTip(LinkTarget(QString::fromLatin1(name)).toDisplayString());
  connect(label, &QLabel::linkActivated, this, [this](const QString& link) { OpenLink(link); });
  return label;
}

void frmAbout::Form_Load() {
  const QString version = App().version.isEmpty() ? ProgramVersion() : App().version;
  m_lblVersion->setText(QStringLiteral("Version ") + version);
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
    m_port.MsgBox(
        QStringLiteral("No program to open ") + url.toDisplayString() + QStringLiteral(" was found."),
        Buttons::Ok, Icon::Exclamation);
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
  m_port.MsgBox(QStringLiteral("System Information Is Unavailable At This Time"), Buttons::Ok, Icon::None);
  return false;
}

void frmAbout::cmdSysInfo_Click() {
  StartSysInfo();
}

void frmAbout::cmdOK_Click() {
  accept();
}

}  // namespace kolt
