#include <gtest/gtest.h>

#include <QDateTime>

#include "FakePrograms.h"
#include "core/Settings.h"
#include "model/ListRows.h"
#include "model/RecordGame.h"
#include "support/TempHome.h"

using namespace kolt;
using kolt::test::FakeProgram;
using kolt::test::TempHome;

namespace {

// A game whose modification stamp the test sets.
class StampGame final : public RecordGame {
 public:
  void Init(std::shared_ptr<Program> program, const QString&, const QString& fileName) override {
    m_program = std::move(program);
    m_name = fileName;
  }
  bool IsValid() const override { return true; }
  std::shared_ptr<Program> GetProgram() const override { return m_program; }
  QString GetName() const override { return m_name; }
  QString GetDescription() const override { return QStringLiteral("Scenario"); }
  QString GetModified() const override { return QStringLiteral("modified"); }
  qint64 GetSize() const override { return size; }
  QStringList GetFiles() const override { return {}; }
  void Delete() override { ClearRecord(clearPassword); }
  QString GetRecordKey() const override { return m_name; }
  // The state file, listed with the time of `stamp` (local time).
  std::optional<FolderEntry> StateFile() const override {
    if (stamp.isEmpty()) return std::nullopt;
    FolderEntry entry;
    entry.name = m_name;
    entry.kind = EntryKind::File;
    entry.mtimeNs = QDateTime::fromString(stamp, "yyyy-MM-dd hh:mm:ss").toMSecsSinceEpoch() * 1000000;
    return entry;
  }

  QString stamp;
  qint64 size = 0;
  bool clearPassword = false;

 private:
  std::shared_ptr<Program> m_program;
  QString m_name;
};

}  // namespace

// A game of Steel Panthers in a home of its own.
class RecordGameTest : public ::testing::Test {
 protected:
  TempHome home;
  std::shared_ptr<FakeProgram> program = std::make_shared<FakeProgram>("SPWAW", true);
  StampGame game;
};

TEST_F(RecordGameTest, StoresUnderTheRecordKeyInTheProgramsSection) {
  game.Init(program, "EMAIL", "email001.cmt");
  EXPECT_EQ(game.GetMode(), "KLT");  // never stored
  EXPECT_EQ(game.GetStatus(), "New");

  game.SetEMail("ivan@example.org");
  game.SetMode("ZIP");
  game.SetPassword("secret");
  game.stamp = "2024-01-01 10:00:00";
  game.SetSent();
  EXPECT_EQ(IniRead("SPWAW", "email001.cmt"), "ivan@example.org");
  EXPECT_EQ(IniRead("SPWAW", "email001.cmt/M"), "ZIP");
  EXPECT_EQ(IniRead("SPWAW", "email001.cmt/P"), "secret");
  EXPECT_EQ(IniRead("SPWAW", "email001.cmt/S"), "2024-01-01 10:00:00");
  EXPECT_EQ(game.GetStatus(), "Wait");

  game.stamp = "2024-01-02 10:00:00";
  game.SetReceived();
  EXPECT_EQ(game.GetStatus(), "Play");
  game.stamp = "2024-01-02 11:00:00";
  EXPECT_EQ(game.GetStatus(), "Send");

  // Keys are matched without regard to case: a received EMAIL001.CMT shares the record.
  StampGame upper;
  upper.Init(program, "EMAIL", "EMAIL001.CMT");
  EXPECT_EQ(upper.GetEMail(), "ivan@example.org");
}

TEST_F(RecordGameTest, ClearingTheRecordKeepsTheMode) {
  game.Init(program, "", "g.cmt");
  game.SetEMail("a@b.c");
  game.SetMode("-");
  game.SetPassword("pw");
  game.stamp = "2024-01-01 10:00:00";
  game.SetSent();
  game.SetReceived();
  game.Delete();
  EXPECT_EQ(game.GetEMail(), "");
  EXPECT_EQ(IniRead("SPWAW", "g.cmt/S", "missing"), "");  // emptied, not removed
  EXPECT_EQ(IniRead("SPWAW", "g.cmt/R", "missing"), "");
  EXPECT_EQ(game.GetMode(), "-");
  EXPECT_EQ(game.GetPassword(), "pw");
  game.clearPassword = true;
  game.Delete();
  EXPECT_EQ(game.GetPassword(), "");
}

TEST_F(RecordGameTest, AnUnboundGameHasNoRecord) {
  game.SetEMail("x@y.z");  // nowhere to store it
  EXPECT_EQ(game.GetEMail(), "");
  EXPECT_EQ(game.GetMode(), "KLT");
  EXPECT_TRUE(IniReadSection("SPWAW").isEmpty());
}

// The headers' order is what kolt-cli list shows (test_app_cli), the size column's
// place is checked under a translation (test_app_translation).
TEST_F(RecordGameTest, ListRowCellsInColumnOrder) {
  EXPECT_EQ(MakeProgramRow(*program).Cells(),
            QStringList({"SPWAW", "Long SPWAW", "1.0", "Not running", "/games/SPWAW"}));
  game.Init(program, "", "email7.cmt");
  game.size = 36000;
  game.SetEMail("-");
  game.SetMode("ZIP");
  game.stamp = "2024-01-01 10:00:00";
  game.SetReceived();  // "Play", but the address "-" keeps it plain
  const GameRow g = MakeGameRow(game);
  EXPECT_EQ(g.Cells(),
            QStringList({"SPWAW", "email7.cmt", "Scenario", "modified", "35 kB", "Play", "ZIP", "-"}));
  EXPECT_EQ(g.SizeTip(), "36000 bytes");
  EXPECT_EQ(g.size, 36000);
  EXPECT_FALSE(g.statusBold);
  game.SetEMail("a@b.c");
  EXPECT_TRUE(MakeGameRow(game).statusBold);
}
