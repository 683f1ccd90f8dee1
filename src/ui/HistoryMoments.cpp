#include "ui/HistoryMoments.h"

#include <sys/stat.h>
#include <QDataStream>
#include <QFile>
#include <optional>

#include "exchange/history/HistoryStore.h"

namespace kolt {
namespace {

// What tells one state of the history file from another: the file, its size and time,
// and SQLite's change counter (header bytes 24 to 27, counted up by every transaction
// that writes). Empty when there is no such file.
QByteArray HistoryFileState(const QString& path) {
  struct stat st {};
  if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
    return QByteArray();
  QByteArray state;
  QDataStream out(&state, QIODevice::WriteOnly);
  out << quint64{st.st_dev} << quint64{st.st_ino} << qint64{st.st_size} << qint64{st.st_mtim.tv_sec}
      << qint64{st.st_mtim.tv_nsec};
  QFile file(path);
  if (file.open(QIODevice::ReadOnly)) state += file.read(28).mid(24);
  return state;
}

}  // namespace

const TurnMomentsByGame& HistoryMoments::Latest(const QString& path) {
  const QByteArray state = HistoryFileState(path);
  if (state.isEmpty()) {
    m_moments.clear();
  } else if (state != m_state) {
    HistoryStore store(path);
    std::optional<TurnMomentsByGame> moments = store.LatestTurns();
    if (!moments) {
      m_state.clear();  // tried again at the next refresh; meanwhile what was read last
      return m_moments;
    }
    m_moments = std::move(*moments);
  }
  m_state = state;
  return m_moments;
}

}  // namespace kolt
