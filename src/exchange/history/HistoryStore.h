#pragma once

#include <QCoreApplication>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

#include "exchange/history/TurnRecorder.h"
#include "model/Waiting.h"

class QSqlQuery;

namespace kolt {

// The turn history in an SQLite file (Qt SQL's QSQLITE driver). Each call opens its own
// connection and closes it again: another process of this program (kolt-cli beside the
// window) writes the same file, and SQLite's own locking keeps the two apart. Every
// entry is written in one transaction with its files. A locked or damaged file makes a
// call fail with a reason; nothing is ever deleted to make room for a fresh file, since
// the player may still want what a damaged one holds.
class HistoryStore final : public TurnRecorder {
  Q_DECLARE_TR_FUNCTIONS(HistoryStore)

 public:
  explicit HistoryStore(QString path);
  ~HistoryStore() override;

  // The file in the home folder.
  static QString DefaultPath();

  [[nodiscard]] bool Record(const TurnEntry& entry) override;
  [[nodiscard]] bool RecordAll(const std::vector<TurnEntry>& entries) override;
  QString LastError() const override { return m_error; }
  bool HasNewest(const TurnEntry& entry) override;
  bool HasReceived(const QString& program, const std::vector<TurnFile>& files) override;

  // The turns of one game (program and game name without regard to case), newest
  // first; nullopt, with LastError() set, when the file cannot be read.
  std::optional<std::vector<TurnEntry>> Turns(const QString& program, const QString& game);

  // The latest sent and received turn of every game, in one query (a refresh reads it
  // once for all games); nullopt, with LastError() set, when the file cannot be read.
  std::optional<TurnMomentsByGame> LatestTurns();

  // How long a call waits for another writer before it gives up.
  void SetBusyTimeout(int milliseconds) { m_busyTimeoutMs = milliseconds; }
  const QString& Path() const { return m_path; }

 private:
  class Connection;
  // Runs the read `sql` with `values` bound and hands its rows to `rows` (false when a
  // further query of its own failed). False, with m_error set, when the file cannot be
  // read. No history yet (no file, or a file without our tables after a first write
  // failed) reads as no rows and must not leave a file behind.
  bool Read(const QString& sql, const QVariantList& values,
            const std::function<bool(Connection& c, QSqlQuery& q)>& rows);
  QString m_path;
  QString m_error;
  int m_busyTimeoutMs = 3000;
};

}  // namespace kolt
