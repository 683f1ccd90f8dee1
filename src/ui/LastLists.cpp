#include "ui/LastLists.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cstring>

#include "core/AtomicFile.h"
#include "model/Waiting.h"

namespace kolt {
namespace {

// The file: this magic, the format's number and the moment it was written, the
// programs' rows and the games' rows, each list after its count, and the end mark. Every
// string is its length in bytes and its UTF-8; numbers are little-endian.
constexpr char kMagic[] = "KOLT lists\n";
constexpr char kEnd[] = "end\n";
constexpr quint32 kFormat = 1;
// Far beyond any home (30,000 games take a few megabytes); a larger file is not ours.
constexpr qint64 kMaxBytes = qint64{64} * 1024 * 1024;

class Writer {
 public:
  void Raw(const char* text) { m_bytes.append(text, static_cast<qsizetype>(qstrlen(text))); }
  void U32(quint32 value) {
    const quint32 le = qToLittleEndian(value);
    m_bytes.append(reinterpret_cast<const char*>(&le), sizeof le);
  }
  void I64(qint64 value) {
    const qint64 le = qToLittleEndian(value);
    m_bytes.append(reinterpret_cast<const char*>(&le), sizeof le);
  }
  void Str(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    U32(static_cast<quint32>(utf8.size()));
    m_bytes.append(utf8);
  }
  const QByteArray& Bytes() const { return m_bytes; }

 private:
  QByteArray m_bytes;
};

// Reads what Writer wrote; once anything is out of place every later read fails too.
class Reader {
 public:
  explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}
  bool Ok() const { return m_ok; }
  bool AtEnd() const { return m_pos == m_bytes.size(); }
  qsizetype Left() const { return m_bytes.size() - m_pos; }
  bool Raw(const char* text) {
    const auto n = static_cast<qsizetype>(qstrlen(text));
    if (!Take(n)) return false;
    m_ok = std::memcmp(m_bytes.constData() + m_pos - n, text, static_cast<size_t>(n)) == 0;
    return m_ok;
  }
  quint32 U32() {
    if (!Take(sizeof(quint32))) return 0;
    return qFromLittleEndian<quint32>(m_bytes.constData() + m_pos - sizeof(quint32));
  }
  qint64 I64() {
    if (!Take(sizeof(qint64))) return 0;
    return qFromLittleEndian<qint64>(m_bytes.constData() + m_pos - sizeof(qint64));
  }
  QString Str() {
    const quint32 n = U32();
    if (!m_ok || n > static_cast<quint64>(Left())) return Fail();
    m_pos += n;
    return QString::fromUtf8(m_bytes.constData() + m_pos - n, n);
  }

 private:
  const QByteArray& m_bytes;
  qsizetype m_pos = 0;
  bool m_ok = true;

  bool Take(qsizetype n) {
    if (!m_ok || n > Left()) {
      Fail();
      return false;
    }
    m_pos += n;
    return true;
  }
  QString Fail() {
    m_ok = false;
    return QString();
  }
};

// The fewest bytes a row takes: an empty string is its 4-byte length.
constexpr qsizetype kProgramRowMin = qsizetype{5} * 4;
constexpr qsizetype kGameRowMin = qsizetype{7} * 4 + 8 + 4 + 8;

}  // namespace

QString LastListsPath(const QString& home) {
  return home.isEmpty() ? QString() : home + QStringLiteral("/lists.cache");
}

bool SaveLastLists(const QString& path, const LastLists& lists, qint64 nowSecs) {
  if (path.isEmpty()) return false;
  Writer w;
  w.Raw(kMagic);
  w.U32(kFormat);
  w.I64(nowSecs);
  w.U32(static_cast<quint32>(lists.programs.size()));
  for (const ProgramRow& p : lists.programs) {
    for (const QString& cell : {p.game, p.name, p.version, p.status, p.directory}) w.Str(cell);
  }
  w.U32(static_cast<quint32>(lists.games.size()));
  for (const GameRow& g : lists.games) {
    for (const QString& cell : {g.game, g.fileName, g.info, g.modified, g.status, g.mode, g.email})
      w.Str(cell);
    w.I64(g.size);
    w.U32(g.statusBold ? 1 : 0);
    w.I64(g.waitingSeconds);
  }
  w.Raw(kEnd);
  if (w.Bytes().size() > kMaxBytes) return false;
  AtomicFileWriter writer(path);
  // Written after every refresh, and worth nothing that a refresh cannot make again: not
  // flushed to disk. A file a crash leaves empty is not read (see LoadLastLists).
  writer.SetFlushToDisk(false);
  return writer.Open(Permissions::Exactly, 0600) && writer.Write(w.Bytes()) && writer.Commit();
}

std::optional<LastLists> LoadLastLists(const QString& path, qint64 nowSecs) {
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxBytes) return std::nullopt;
  const QByteArray bytes = file.read(kMaxBytes + 1);
  Reader r(bytes);
  if (!r.Raw(kMagic) || r.U32() != kFormat) return std::nullopt;
  // Time since the lists were written counts on every waiting time; a clock set back
  // counts nothing.
  const qint64 since = std::max<qint64>(0, nowSecs - r.I64());
  LastLists lists;
  const quint32 programs = r.U32();
  if (!r.Ok() || programs > r.Left() / kProgramRowMin) return std::nullopt;
  lists.programs.reserve(programs);
  for (quint32 i = 0; i < programs && r.Ok(); ++i) {
    ProgramRow p;
    for (QString* cell : {&p.game, &p.name, &p.version, &p.status, &p.directory}) *cell = r.Str();
    lists.programs.push_back(std::move(p));
  }
  const quint32 games = r.U32();
  if (!r.Ok() || games > r.Left() / kGameRowMin) return std::nullopt;
  lists.games.reserve(games);
  for (quint32 i = 0; i < games && r.Ok(); ++i) {
    GameRow g;
    for (QString* cell : {&g.game, &g.fileName, &g.info, &g.modified, &g.status, &g.mode, &g.email})
      *cell = r.Str();
    g.size = r.I64();
    g.statusBold = r.U32() != 0;
    const qint64 waiting = r.I64();
    g.waitingSeconds = waiting < 0 ? -1 : waiting + since;
    g.waitingText = ShownWaitingText(g.waitingSeconds);
    lists.games.push_back(std::move(g));
  }
  if (!r.Raw(kEnd) || !r.AtEnd()) return std::nullopt;
  return lists;
}

}  // namespace kolt
