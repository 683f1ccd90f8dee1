// kolt-cli list --json is read by other people's scripts: the direct writer must give
// the bytes Qt's indented JSON writer gave for the same rows, whatever the texts hold.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "app/ListJson.h"

using namespace kolt;

namespace {

// How the rows were written before: a document per list, then indented.
QByteArray ThroughQt(const std::vector<ProgramRow>& programs, const std::vector<GameRow>& games) {
  QJsonArray p;
  for (const ProgramRow& r : programs) {
    p.append(QJsonObject{{"game", r.game},
                         {"name", r.name},
                         {"version", r.version},
                         {"status", r.status},
                         {"directory", r.directory}});
  }
  QJsonArray g;
  for (const GameRow& r : games) {
    g.append(QJsonObject{
        {"game", r.game},
        {"file_name", r.fileName},
        {"info", r.info},
        {"modified", r.modified},
        {"size", static_cast<double>(r.size)},
        {"status", r.status},
        {"mode", r.mode},
        {"email", r.email},
        {"waiting_seconds", r.waitingSeconds < 0 ? QJsonValue(QJsonValue::Null)
                                                 : QJsonValue(static_cast<double>(r.waitingSeconds))}});
  }
  return QJsonDocument(QJsonObject{{"programs", p}, {"games", g}}).toJson(QJsonDocument::Indented);
}

GameRow Row(const QString& text, qint64 size, qint64 waiting) {
  GameRow r;
  r.game = "SPWAW";
  r.fileName = text;
  r.info = text + text;
  r.modified = "7 Dec 2026 20:54:54";
  r.size = size;
  r.status = "Play";
  r.mode = "KLT";
  r.email = "opp@example.org";
  r.waitingSeconds = waiting;
  return r;
}

}  // namespace

TEST(ListJson, SameBytesAsQtsWriterForAnyText) {
  QString controls;
  for (char16_t c = 0; c < 0x80; ++c) controls += QChar(c);
  const QString beyond = QString::fromUtf8("äö€ 漢字 \xF0\x9F\x98\x80") + QChar(0x2028) + QChar(0xFFFE);
  QString halves;
  halves += QChar(0xD800);
  halves += QStringLiteral("x");
  halves += QChar(0xDC00);
  halves += QChar(0xD83D);  // a high half at the very end

  const std::vector<ProgramRow> programs = {
      {"SPWAW", "Steel \"Panthers\"", "1.0", "Not running", "/games/a\\b"},
      {"WAR", beyond, "", "Running", halves}};
  const std::vector<GameRow> games = {Row(controls, 0, -1), Row(beyond, 840, 0),
                                      Row(halves, 4294967296LL, 86400 * 400),
                                      Row("", (qint64{1} << 53) + 1, 12)};
  EXPECT_EQ(ListJson::Write(programs, games), ThroughQt(programs, games));
  EXPECT_EQ(ListJson::Write(programs, {}), ThroughQt(programs, {}));
  EXPECT_EQ(ListJson::Write({}, {}), ThroughQt({}, {}));
}
