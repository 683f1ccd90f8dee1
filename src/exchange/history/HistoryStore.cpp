#include "exchange/history/HistoryStore.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "core/Startup.h"

namespace kolt {
namespace {

constexpr int kSchemaVersion = 1;

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS turns ("
    " id INTEGER PRIMARY KEY,"
    " time TEXT NOT NULL,"
    " program TEXT NOT NULL,"
    " game TEXT NOT NULL,"
    " direction TEXT NOT NULL,"
    " opponent TEXT NOT NULL DEFAULT '',"
    " mode TEXT NOT NULL DEFAULT '',"
    " taunt TEXT NOT NULL DEFAULT '')",
    "CREATE INDEX IF NOT EXISTS turns_by_game ON turns (program COLLATE NOCASE, game COLLATE NOCASE)",
    "CREATE TABLE IF NOT EXISTS files ("
    " turn INTEGER NOT NULL REFERENCES turns (id) ON DELETE CASCADE,"
    " name TEXT NOT NULL,"
    " folder TEXT NOT NULL,"
    " size INTEGER NOT NULL,"
    " stamp TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS files_by_turn ON files (turn)",
};

QString TimeText(const QDateTime& time) {
  return time.toUTC().toString(Qt::ISODateWithMs);
}

// Never NULL: the columns are NOT NULL, and a null QString binds as NULL.
QString Text(const QString& text) {
  return text.isNull() ? QStringLiteral("") : text;
}

QString Described(const QSqlError& error) {
  const QString text = error.text().trimmed();
  return text.isEmpty() ? HistoryStore::tr("unknown database error") : text;
}

}  // namespace

QString DirectionText(TurnDirection direction) {
  switch (direction) {
    case TurnDirection::Sent:
      return QStringLiteral("Sent");
    case TurnDirection::Received:
      return QStringLiteral("Received");
    case TurnDirection::Restored:
      return QStringLiteral("Restored");
    case TurnDirection::Reminded:
      return QStringLiteral("Reminded");
  }
  return QString();
}

namespace {

std::optional<TurnDirection> DirectionFrom(const QString& text) {
  for (TurnDirection d :
       {TurnDirection::Sent, TurnDirection::Received, TurnDirection::Restored, TurnDirection::Reminded}) {
    if (DirectionText(d) == text) return d;
  }
  return std::nullopt;
}

}  // namespace

// One named Qt SQL connection for the length of one call.
class HistoryStore::Connection {
 public:
  Connection(const QString& path, int busyTimeoutMs) {
    static QAtomicInteger<quint64> counter;
    m_name = QStringLiteral("kolt-history-") + QString::number(++counter);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=") + QString::number(busyTimeoutMs));
    if (!db.isValid()) {
      m_error = HistoryStore::tr("the SQLite driver of Qt SQL is not installed");
      return;
    }
    if (!db.open()) m_error = Described(db.lastError());
  }
  ~Connection() {
    {
      QSqlDatabase db = QSqlDatabase::database(m_name, false);
      if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  bool Ok() const { return m_error.isEmpty(); }
  const QString& Error() const { return m_error; }
  QSqlDatabase Db() const { return QSqlDatabase::database(m_name, false); }

  // Runs one statement; false with the error kept.
  bool Exec(QSqlQuery& query) {
    if (query.exec()) return true;
    m_error = Described(query.lastError());
    return false;
  }
  bool Exec(const QString& statement) {
    QSqlQuery query(Db());
    if (query.exec(statement)) return true;
    m_error = Described(query.lastError());
    return false;
  }

 private:
  QString m_name;
  QString m_error;
};

HistoryStore::HistoryStore(QString path) : m_path(std::move(path)) {}

HistoryStore::~HistoryStore() = default;

QString HistoryStore::DefaultPath() {
  const QString home = App().homeFolder;
  return home.isEmpty() ? QString() : home + QStringLiteral("/history.sqlite");
}

bool HistoryStore::Record(const TurnEntry& entry) {
  return RecordAll({entry});
}

bool HistoryStore::RecordAll(const std::vector<TurnEntry>& entries) {
  m_error.clear();
  if (m_path.isEmpty()) {
    m_error = tr("no home folder");
    return false;
  }
  Connection c(m_path, m_busyTimeoutMs);
  // BEGIN IMMEDIATE takes the write lock at once: a second writer waits for it (up to
  // the busy timeout) instead of failing half-way.
  bool ok = c.Ok() && c.Exec(QStringLiteral("PRAGMA foreign_keys = ON")) &&
            c.Exec(QStringLiteral("BEGIN IMMEDIATE"));
  for (const char* statement : kSchema) {
    if (!ok) break;
    ok = c.Exec(QString::fromLatin1(statement));
  }
  if (ok) ok = c.Exec(QStringLiteral("PRAGMA user_version = ") + QString::number(kSchemaVersion));
  for (const TurnEntry& entry : entries) {
    if (!ok) break;
    qint64 id = 0;
    QSqlQuery q(c.Db());
    q.prepare(
        QStringLiteral("INSERT INTO turns (time, program, game, direction, opponent, mode, taunt) VALUES (?, "
                       "?, ?, ?, ?, ?, ?)"));
    q.addBindValue(TimeText(entry.time.isValid() ? entry.time : QDateTime::currentDateTimeUtc()));
    q.addBindValue(Text(entry.program));
    q.addBindValue(Text(entry.game));
    q.addBindValue(DirectionText(entry.direction));
    q.addBindValue(Text(entry.opponent));
    q.addBindValue(Text(entry.mode));
    q.addBindValue(Text(entry.taunt));
    ok = c.Exec(q);
    if (ok) id = q.lastInsertId().toLongLong();
    for (const TurnFile& file : entry.files) {
      if (!ok) break;
      QSqlQuery f(c.Db());
      f.prepare(QStringLiteral("INSERT INTO files (turn, name, folder, size, stamp) VALUES (?, ?, ?, ?, ?)"));
      f.addBindValue(id);
      f.addBindValue(Text(file.name));
      f.addBindValue(Text(file.folder));
      f.addBindValue(file.size);
      f.addBindValue(Text(file.stamp));
      ok = c.Exec(f);
    }
  }
  if (ok) ok = c.Exec(QStringLiteral("COMMIT"));
  if (!ok) {
    m_error = c.Error();
    if (c.Db().isOpen()) c.Exec(QStringLiteral("ROLLBACK"));
  }
  return ok;
}

bool HistoryStore::Read(const QString& sql, const QVariantList& values,
                        const std::function<bool(Connection& c, QSqlQuery& q)>& rows) {
  m_error.clear();
  if (m_path.isEmpty()) {
    m_error = tr("no home folder");
    return false;
  }
  if (!QFileInfo::exists(m_path)) return true;
  Connection c(m_path, m_busyTimeoutMs);
  if (!c.Ok()) {
    m_error = c.Error();
    return false;
  }
  QSqlQuery q(c.Db());
  q.setForwardOnly(true);
  if (!q.prepare(sql)) {
    const QString error = Described(q.lastError());
    if (error.contains(QStringLiteral("no such table"))) return true;
    m_error = error;
    return false;
  }
  for (const QVariant& value : values) q.addBindValue(value);
  if (c.Exec(q) && rows(c, q)) return true;
  m_error = c.Error();
  return false;
}

std::optional<std::vector<TurnEntry>> HistoryStore::Turns(const QString& program, const QString& game) {
  std::vector<TurnEntry> turns;
  const bool read = Read(
      QStringLiteral("SELECT id, time, program, game, direction, opponent, mode, taunt FROM turns"
                     " WHERE program = ? COLLATE NOCASE AND game = ? COLLATE NOCASE"
                     " ORDER BY time DESC, id DESC"),
      {program, game}, [&turns](Connection& c, QSqlQuery& q) {
        while (q.next()) {
          TurnEntry e;
          e.id = q.value(0).toLongLong();
          e.time = QDateTime::fromString(q.value(1).toString(), Qt::ISODateWithMs);
          e.program = q.value(2).toString();
          e.game = q.value(3).toString();
          const std::optional<TurnDirection> direction = DirectionFrom(q.value(4).toString());
          if (!direction) continue;  // written by a later version
          e.direction = *direction;
          e.opponent = q.value(5).toString();
          e.mode = q.value(6).toString();
          e.taunt = q.value(7).toString();
          turns.push_back(std::move(e));
        }
        for (TurnEntry& e : turns) {
          QSqlQuery f(c.Db());
          f.setForwardOnly(true);
          f.prepare(
              QStringLiteral("SELECT name, folder, size, stamp FROM files WHERE turn = ? ORDER BY rowid"));
          f.addBindValue(e.id);
          if (!c.Exec(f)) return false;
          while (f.next())
            e.files.push_back(TurnFile{f.value(0).toString(), f.value(1).toString(), f.value(2).toLongLong(),
                                       f.value(3).toString()});
        }
        return true;
      });
  if (!read) return std::nullopt;
  return turns;
}

std::optional<TurnMomentsByGame> HistoryStore::LatestTurns() {
  TurnMomentsByGame moments;
  const QString sent = DirectionText(TurnDirection::Sent);
  // Times are stored in one form (UTC, ISO 8601 with milliseconds): the greatest text is
  // the latest time.
  const bool read = Read(
      QStringLiteral("SELECT program, game, direction, MAX(time) FROM turns WHERE direction IN (?, ?)"
                     " GROUP BY program COLLATE NOCASE, game COLLATE NOCASE, direction"),
      {sent, DirectionText(TurnDirection::Received)}, [&moments, &sent](Connection&, QSqlQuery& q) {
        while (q.next()) {
          const QDateTime time = QDateTime::fromString(q.value(3).toString(), Qt::ISODateWithMs);
          if (!time.isValid()) continue;
          // SQLite folds only ASCII letters; the lists' keys fold every letter.
          TurnMoments& m = moments[(q.value(0).toString() + QChar('\t') + q.value(1).toString()).toUpper()];
          QDateTime& slot = q.value(2).toString() == sent ? m.sent : m.received;
          if (!slot.isValid() || time > slot) slot = time;
        }
        return true;
      });
  if (!read) return std::nullopt;
  return moments;
}

bool HistoryStore::HasReceived(const QString& program, const std::vector<TurnFile>& files) {
  if (files.empty()) return false;
  const QString sql = QStringLiteral(
      "SELECT 1 FROM files f JOIN turns t ON t.id = f.turn WHERE t.program = ? COLLATE NOCASE"
      " AND t.direction = ? AND f.name = ? COLLATE NOCASE AND f.size = ? AND f.stamp = ? LIMIT 1");
  const QString received = DirectionText(TurnDirection::Received);
  auto values = [&](const TurnFile& f) { return QVariantList{program, received, f.name, f.size, f.stamp}; };
  bool all = false;
  const bool read = Read(sql, values(files.front()), [&](Connection& c, QSqlQuery& q) {
    all = q.next();
    for (size_t i = 1; all && i < files.size(); ++i) {
      QSqlQuery more(c.Db());
      more.setForwardOnly(true);
      more.prepare(sql);
      for (const QVariant& value : values(files[i])) more.addBindValue(value);
      if (!c.Exec(more)) return false;
      all = more.next();
    }
    return true;
  });
  return read && all;
}

bool HistoryStore::HasNewest(const TurnEntry& entry) {
  const std::optional<std::vector<TurnEntry>> turns = Turns(entry.program, entry.game);
  if (!turns || turns->empty()) return false;
  const TurnEntry& newest = turns->front();
  if (newest.direction != entry.direction || newest.files.size() != entry.files.size()) return false;
  auto key = [](const TurnFile& f) {
    return f.folder + QChar(u'\0') + f.name + QChar(u'\0') + QString::number(f.size) + QChar(u'\0') + f.stamp;
  };
  QStringList a, b;
  for (const TurnFile& f : newest.files) a.append(key(f));
  for (const TurnFile& f : entry.files) b.append(key(f));
  a.sort();
  b.sort();
  return a == b;
}

}  // namespace kolt
