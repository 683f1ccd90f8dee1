#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QThread>

#include "core/Startup.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"
#include "ui/UserGuide.h"
#include "ui/frmAbout.h"

using kolt::App;
using kolt::frmAbout;
using kolt::test::ScriptedUi;
using kolt::test::WriteScript;

namespace {

QString Shown(frmAbout& form, const char* name) {
  auto* label = form.findChild<QLabel*>(QString::fromLatin1(name));
  EXPECT_NE(label, nullptr) << name;
  return label ? QTextDocumentFragment::fromHtml(label->text()).toPlainText() : QString();
}

void WriteShell(const QString& path, const QString& body) {
  ASSERT_TRUE(WriteScript(path, ("#!/bin/sh\n" + body + "\n").toUtf8()));
}

class frmAboutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_oldVersion = App().version;
    m_oldExe = App().executablePath;
    m_oldPath = qgetenv("PATH");
    App().version = QStringLiteral("3.0.7");
    App().executablePath = m_dir.filePath(QStringLiteral("kolt-helper"));
  }
  void TearDown() override {
    App().version = m_oldVersion;
    App().executablePath = m_oldExe;
    qputenv("PATH", m_oldPath);
  }
  QTemporaryDir m_dir;
  ScriptedUi m_ui;
  QString m_oldVersion, m_oldExe;
  QByteArray m_oldPath;
};

}  // namespace

TEST_F(frmAboutTest, CaptionsVersionAndScreenshot) {
  frmAbout form(m_ui);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("About KOLT Helper"));
  for (const auto& [name, text] :
       {std::pair<const char*, QString>{"lblVersion", "Version 3.0.7"},
        {"lblDescription", "Use this program to automatically send and receive KOLT files."},
        {"lblReadme", "View the Readme"},
        {"lblZIP", "ZIP technology by libarchive"},
        {"lblBLAT", "SMTP sending by libcurl"},
        {"lblQt", "User interface by Qt"}})
    EXPECT_EQ(Shown(form, name), text) << name;
  // The version link leads to the page this build names, and is not there without one.
  if (QString(KOLT_PROGRAM_PAGE).isEmpty())
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("lblCheckVersion")), nullptr);
  else
    EXPECT_EQ(Shown(form, "lblCheckVersion"), QStringLiteral("Check the latest version"));
  EXPECT_TRUE(Shown(form, "lblTitle").startsWith(QStringLiteral("KOLT Helper")));
  EXPECT_FALSE(Shown(form, "lblDisclaimer").isEmpty());
  auto* ok = form.findChild<QPushButton*>(QStringLiteral("cmdOK"));
  auto* sysInfo = form.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
  ASSERT_TRUE(ok && sysInfo);
  EXPECT_EQ(ok->text(), QStringLiteral("OK"));
  EXPECT_TRUE(ok->isDefault());
  EXPECT_EQ(sysInfo->text(), QStringLiteral("&System Info..."));

  form.show();
  const QString shots = QStringLiteral(KOLT_TEST_BINARY_DIR "/screenshots");
  QDir().mkpath(shots);
  EXPECT_TRUE(form.grab().save(shots + QStringLiteral("/frmAbout.png")));
  ok->click();
  EXPECT_EQ(form.result(), int(QDialog::Accepted));
  EXPECT_FALSE(form.isVisible());
}

TEST_F(frmAboutTest, LinksOpenTheirPagesAndFailuresAreReported) {
  frmAbout form(m_ui);
  QList<QUrl> opened;
  form.SetUrlOpener([&opened](const QUrl& url) {
    opened.append(url);
    return true;
  });
  EXPECT_EQ(form.LinkTarget(QStringLiteral("lblZIP")).host(), QStringLiteral("www.libarchive.org"));
  EXPECT_EQ(form.LinkTarget(QStringLiteral("lblBLAT")).host(), QStringLiteral("curl.se"));
  EXPECT_EQ(form.LinkTarget(QStringLiteral("lblCheckVersion")), QUrl(QString(KOLT_PROGRAM_PAGE)));
  EXPECT_TRUE(form.LinkTarget(QStringLiteral("nothing")).isEmpty());

  // The readme is the user guide; a copy beside the program comes first.
  QFile readme(m_dir.filePath(QStringLiteral("kolt.htm")));
  ASSERT_TRUE(readme.open(QIODevice::WriteOnly));
  readme.write("<html><body>Readme</body></html>");
  readme.close();
  auto* label = form.findChild<QLabel*>(QStringLiteral("lblReadme"));
  ASSERT_NE(label, nullptr);
  emit label->linkActivated(QStringLiteral("lblReadme"));
  ASSERT_EQ(opened.size(), 1);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(readme.fileName()));
  form.OpenLink(QStringLiteral("lblBLAT"));
  ASSERT_EQ(opened.size(), 2);
  EXPECT_EQ(opened[1], QUrl(QStringLiteral("https://curl.se/libcurl/")));
  EXPECT_TRUE(m_ui.boxes.empty());
  // A desktop that cannot open it says so.
  form.SetUrlOpener([](const QUrl&) { return false; });
  form.OpenLink(QStringLiteral("lblReadme"));
  ASSERT_EQ(m_ui.boxes.size(), 1u);
  EXPECT_EQ(m_ui.boxes[0].text, "The user guide " + QFileInfo(readme.fileName()).absoluteFilePath() +
                                    " could not be opened: no program to show web pages was found.");
}

TEST_F(frmAboutTest, UserGuideIsFoundInstalledOrInTheBuildTreeAndMissingIsReported) {
  // An installed copy: share/doc/kolt-helper beside the program's bin folder.
  const QString bin = m_dir.filePath(QStringLiteral("usr/bin"));
  const QString installed = QDir(bin).filePath(QStringLiteral(KOLT_GUIDE_FROM_BINDIR));
  QDir().mkpath(bin);
  QDir().mkpath(QFileInfo(installed).absolutePath());
  EXPECT_TRUE(installed.contains(QStringLiteral("/doc/kolt-helper/")));
  EXPECT_EQ(kolt::UserGuide::Find(kolt::UserGuide::Candidates(bin)), QString(KOLT_GUIDE_HTML));
  QFile file(installed);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("<html></html>");
  file.close();
  EXPECT_EQ(kolt::UserGuide::Find(kolt::UserGuide::Candidates(bin)), QFileInfo(installed).absoluteFilePath());
  // The build made a real page out of the guide.
  QFile built(QStringLiteral(KOLT_GUIDE_HTML));
  ASSERT_TRUE(built.open(QIODevice::ReadOnly));
  const QByteArray page = built.readAll();
  EXPECT_TRUE(page.contains("<h2 id=\"sending-mail\">"));
  EXPECT_TRUE(page.contains("<table>"));

  // Nowhere: the user learns where it was looked for, and nothing is opened.
  bool called = false;
  const QStringList nowhere{m_dir.filePath(QStringLiteral("a.html")), m_dir.filePath(QStringLiteral("b"))};
  EXPECT_FALSE(kolt::UserGuide::Open(m_ui, nowhere, [&called](const QUrl&) { return called = true; }));
  EXPECT_FALSE(called);
  ASSERT_EQ(m_ui.boxes.size(), 1u);
  EXPECT_EQ(m_ui.boxes[0].text,
            "The user guide is not installed. It was looked for in:\r" + nowhere.join(QChar('\r')));
}

TEST_F(frmAboutTest, SystemInformationProgramOrTheMessage) {
  const QString bin = m_dir.filePath(QStringLiteral("bin"));
  QDir().mkpath(bin);
  qputenv("PATH", QFile::encodeName(bin));
  frmAbout form(m_ui);
  EXPECT_FALSE(form.StartSysInfo());
  ASSERT_EQ(m_ui.boxes.size(), 1u);
  EXPECT_EQ(m_ui.boxes[0].text, QStringLiteral("System Information Is Unavailable At This Time"));

  // The preferred program wins over one further down the list.
  const QString marker = m_dir.filePath(QStringLiteral("started.txt"));
  WriteShell(bin + QStringLiteral("/gnome-system-monitor"),
             QStringLiteral("echo monitor > '%1'").arg(marker));
  WriteShell(bin + QStringLiteral("/hardinfo"), QStringLiteral("echo hardinfo > '%1'").arg(marker));
  form.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
  QElapsedTimer t;
  t.start();
  while (!QFile::exists(marker) && t.elapsed() < 5000) QThread::msleep(20);
  QThread::msleep(50);
  QFile f(marker);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll().trimmed(), QByteArray("hardinfo"));
  EXPECT_EQ(m_ui.boxes.size(), 1u);
}
