#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocumentFragment>

#include "core/Startup.h"
#include "support/QtPrinters.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"
#include "support/WaitFor.h"
#include "ui/UserGuide.h"
#include "ui/frmAbout.h"

using namespace kolt;
using namespace kolt::test;

namespace {

QString Shown(frmAbout& form, const char* name) {
  auto* label = form.findChild<QLabel*>(QString::fromLatin1(name));
  EXPECT_NE(label, nullptr) << name;
  return label ? QTextDocumentFragment::fromHtml(label->text()).toPlainText() : QString();
}

class frmAboutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App().version = QStringLiteral("3.0.7");
    App().executablePath = m_dir.filePath(QStringLiteral("kolt-helper"));
  }
  void TearDown() override {
    App().version = m_oldVersion;
    App().executablePath = m_oldExe;
  }
  QTemporaryDir m_dir;
  ScriptedUi m_ui;
  const QString m_oldVersion = App().version, m_oldExe = App().executablePath;
};

}  // namespace

// The about box's own texts, its look and every window's clipping are checked by the
// language test; here what depends on the build.
TEST_F(frmAboutTest, VersionAndOk) {
  frmAbout form(m_ui);
  EXPECT_EQ(Shown(form, "lblVersion"), QStringLiteral("Version 3.0.7"));
  // The version link leads to the page this build names, and is not there without one.
  if (QString(KOLT_PROGRAM_PAGE).isEmpty())
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("lblCheckVersion")), nullptr);
  else
    EXPECT_EQ(Shown(form, "lblCheckVersion"), QStringLiteral("Check the latest version"));
  EXPECT_TRUE(Shown(form, "lblTitle").startsWith(QStringLiteral("KOLT Helper")));
  EXPECT_FALSE(Shown(form, "lblDisclaimer").isEmpty());
  auto* ok = form.findChild<QPushButton*>(QStringLiteral("cmdOK"));
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(ok->isDefault());
  form.show();
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
  EXPECT_EQ(form.LinkTarget(QStringLiteral("lblCheckVersion")), QUrl(QString(KOLT_PROGRAM_PAGE)));
  EXPECT_TRUE(form.LinkTarget(QStringLiteral("nothing")).isEmpty());

  // The readme is the user guide; a copy beside the program comes first.
  const QString readme = m_dir.filePath(QStringLiteral("kolt.htm"));
  ASSERT_TRUE(WriteFile(readme, "<html><body>Readme</body></html>"));
  auto* label = form.findChild<QLabel*>(QStringLiteral("lblReadme"));
  ASSERT_NE(label, nullptr);
  emit label->linkActivated(QStringLiteral("lblReadme"));
  form.OpenLink(QStringLiteral("lblBLAT"));
  EXPECT_EQ(opened,
            QList<QUrl>({QUrl::fromLocalFile(readme), QUrl(QStringLiteral("https://curl.se/libcurl/"))}));
  EXPECT_TRUE(m_ui.boxes.empty());
  // A desktop that cannot open it says so.
  form.SetUrlOpener([](const QUrl&) { return false; });
  form.OpenLink(QStringLiteral("lblReadme"));
  EXPECT_EQ(m_ui.Texts(), QStringList({"The user guide " + QFileInfo(readme).absoluteFilePath() +
                                       " could not be opened: no program to show web pages was found."}));
}

TEST_F(frmAboutTest, UserGuideIsFoundInstalledOrInTheBuildTreeAndMissingIsReported) {
  // An installed copy: share/doc/kolt-helper beside the program's bin folder.
  const QString bin = m_dir.filePath(QStringLiteral("usr/bin"));
  const QString installed = QDir(bin).filePath(QStringLiteral(KOLT_GUIDE_FROM_BINDIR));
  QDir().mkpath(bin);
  EXPECT_TRUE(installed.contains(QStringLiteral("/doc/kolt-helper/")));
  EXPECT_EQ(UserGuide::Find(UserGuide::Candidates(bin)), QString(KOLT_GUIDE_HTML));
  ASSERT_TRUE(WriteFile(installed, "<html></html>"));
  EXPECT_EQ(UserGuide::Find(UserGuide::Candidates(bin)), QFileInfo(installed).absoluteFilePath());
  // The build made a real page out of the guide.
  const QByteArray page = ReadFile(QStringLiteral(KOLT_GUIDE_HTML));
  EXPECT_TRUE(page.contains("<h2 id=\"sending-mail\">"));
  EXPECT_TRUE(page.contains("<table>"));

  // Nowhere: the user learns where it was looked for, and nothing is opened.
  bool called = false;
  const QStringList nowhere{m_dir.filePath(QStringLiteral("a.html")), m_dir.filePath(QStringLiteral("b"))};
  EXPECT_FALSE(UserGuide::Open(m_ui, nowhere, [&called](const QUrl&) { return called = true; }));
  EXPECT_FALSE(called);
  EXPECT_EQ(m_ui.Texts(), QStringList({"The user guide is not installed. It was looked for in:\r" +
                                       nowhere.join(QChar('\r'))}));
}

TEST_F(frmAboutTest, SystemInformationProgramOrTheMessage) {
  const QString bin = m_dir.filePath(QStringLiteral("bin"));
  QDir().mkpath(bin);
  const ScopedEnv path("PATH", bin);
  frmAbout form(m_ui);
  EXPECT_FALSE(form.StartSysInfo());
  EXPECT_EQ(m_ui.Texts(), QStringList({"System Information Is Unavailable At This Time"}));

  // The preferred program wins over one further down the list.
  const QString marker = m_dir.filePath(QStringLiteral("started.txt"));
  for (const char* program : {"gnome-system-monitor", "hardinfo"})
    ASSERT_TRUE(WriteScript(
        bin + "/" + program,
        QStringLiteral("#!/bin/sh\necho %1 > '%2'\n").arg(QString::fromLatin1(program), marker).toUtf8()));
  form.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
  ASSERT_TRUE(WaitFor([&] { return ReadFile(marker).endsWith('\n'); }));
  EXPECT_EQ(ReadFile(marker).trimmed(), QByteArray("hardinfo"));
  EXPECT_EQ(m_ui.boxes.size(), 1u);
}
