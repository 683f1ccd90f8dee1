// Every window in English, German and French: no text cut off by its layout, and each
// saved under screenshots/<language>/ for a reviewer to look at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QScopeGuard>
#include <QTabWidget>

#include "core/PlayersEdit.h"
#include "core/Translations.h"
#include "exchange/history/HistoryStore.h"
#include "model/Program.h"
#include "support/LayoutCheck.h"
#include "support/MainWindowHarness.h"
#include "support/Screenshot.h"
#include "ui/VBUnzFrm.h"
#include "ui/frmAbout.h"
#include "ui/frmBlat.h"
#include "ui/frmGame.h"
#include "ui/frmHistory.h"
#include "ui/frmModify.h"
#include "ui/frmOptions.h"
#include "ui/frmProgram.h"
#include "ui/frmPrograms.h"
#include "ui/frmSE4.h"
#include "ui/frmTaunt.h"

using namespace kolt;

namespace {

class Languages : public ::testing::TestWithParam<QLocale::Language> {
 protected:
  void SetUp() override {
    translations::Install(QLocale(GetParam()));
    language = QLocale(GetParam()).name().left(2);
    QDir().mkpath(QStringLiteral(KOLT_TEST_BINARY_DIR "/screenshots/") + language);
  }
  void TearDown() override { translations::Install(QLocale(QLocale::English)); }

  void Check(QWidget& window, const QString& name) {
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(test::ClippedTexts(window), QStringList()) << name.toStdString();
    test::SaveScreenshot(window, language + QChar('/') + name);
  }

  QString language;
};

TEST_P(Languages, EveryWindowShowsItsTextsWhole) {
  test::MainWindowHarness h;
  h.MakeDemoHome();
  frmMain& window = h.Load();
  window.resize(1180, 560);
  Check(window, "frmMain");
  {
    frmGame dialog(h.ui, window.Games(), 0, &window);
    Check(dialog, "frmGame");
  }
  {
    frmOptions dialog(&window);
    auto* pages = dialog.findChild<QTabWidget*>();
    ASSERT_NE(pages, nullptr);
    for (int i = 0; i < pages->count(); ++i) {
      pages->setCurrentIndex(i);
      Check(dialog, QStringLiteral("frmOptions-%1").arg(i));
    }
  }
  {
    frmPrograms dialog(h.ui, h.tools, h.registry, WindowHandle{}, &window);
    Check(dialog, "frmPrograms");
  }
  for (const ProgramPtr& program : h.programs) {
    if (auto user = std::dynamic_pointer_cast<UserProgram>(program)) {
      frmModify dialog(h.ui, h.tools, user, &window);
      Check(dialog, "frmModify");
      break;
    }
  }
  {
    HistoryStore store(h.home.File("history.sqlite"));
    frmHistory dialog(h.ui, window.Games()[0], store, &window);
    Check(dialog, "frmHistory");
  }
  {
    PlayersEdit edit{"Game",
                     {{1, "Empire", "Leader", "me@example.org", "Done", false, true, true},
                      {2, "Other", "Leader", "", "", true, false, false}},
                     "host"};
    frmSE4 dialog(h.ui, edit, &window);
    Check(dialog, "frmSE4");
  }
  frmProgram program(h.ui, &window);
  Check(program, "frmProgram");
  frmTaunt taunt(h.ui, &window);
  Check(taunt, "frmTaunt");
  frmAbout about(h.ui, &window);
  Check(about, "frmAbout");
  frmBlat blat(&window);
  Check(blat, "frmBlat");
  VBUnzFrm unzip(&window);
  Check(unzip, "VBUnzFrm");
}

INSTANTIATE_TEST_SUITE_P(Windows, Languages,
                         ::testing::Values(QLocale::English, QLocale::German, QLocale::French),
                         [](const auto& info) {
                           return QLocale::languageToString(info.param).toStdString();
                         });

}  // namespace
