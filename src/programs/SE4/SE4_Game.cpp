#include "programs/SE4/SE4_Game.h"

#include <sys/stat.h>
#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "core/AppSettings.h"
#include "core/FileNames.h"
#include "core/TextCodec.h"
#include "core/Utilities.h"
#include "model/Status.h"
#include "programs/BuiltinProgram.h"

namespace kolt {
namespace {

// The save file's first line: "Different Machines" lies within its first 72 characters,
// 27 characters after the field block's start P; the player records follow at P+50.
constexpr qsizetype kPhraseWindow = 72;
constexpr qsizetype kPhraseOffset = 27;   // from P
constexpr qsizetype kTurnOffset = 6;      // 5 characters
constexpr qsizetype kCountOffset = 11;    // 3 characters
constexpr qsizetype kTypeOffset = 14;     // 13 characters
constexpr qsizetype kTwoCharOffset = 48;  // 2 characters
constexpr qsizetype kRecordsOffset = 50;
constexpr qsizetype kRecordSize = 129;  // 3 + 40 + 40 + 40 + 6
// Enough for the header of any ordinary game; a larger player count reads what it needs
// (at most 999 records: the count has three characters).
constexpr qsizetype kFirstRead = 4096;

const QString kTurnBased = QStringLiteral("Turn Based");
const QString kSimultaneous = QStringLiteral("Simultaneous");
const QString kAlive = QStringLiteral("Alive");

// Val() of a short numeric text, kept within int: a huge number names nothing.
int NumberOf(const QString& text) {
  const double value = LeadingNumber(text);
  if (!(value > -1e9 && value < 1e9)) return 0;
  return static_cast<int>(std::trunc(value));
}

// The save file pads its fields with blanks (and sometimes NULs).
QString Trimmed(const QString& text) {
  qsizetype begin = 0, end = text.size();
  auto blank = [](QChar c) { return c.isSpace() || c.isNull(); };
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  return text.mid(begin, end - begin);
}

QString Field(const QByteArray& bytes, qsizetype offset, qsizetype length) {
  if (offset < 0 || offset >= bytes.size() || length <= 0) return QString();
  return DecodeText(bytes.constData() + offset, std::min(length, bytes.size() - offset));
}

// A padded field, its ASCII blanks and NULs cut off before it is decoded (most of a
// 40-character name field is padding); blanks outside ASCII are cut after.
QString TrimmedField(const QByteArray& bytes, qsizetype offset, qsizetype length) {
  if (offset < 0 || offset >= bytes.size() || length <= 0) return QString();
  const char* begin = bytes.constData() + offset;
  const char* end = begin + std::min(length, bytes.size() - offset);
  auto blank = [](char c) { return c == ' ' || c == '\0' || (c >= '\t' && c <= '\r'); };
  while (begin < end && blank(*begin)) ++begin;
  while (end > begin && blank(end[-1])) --end;
  return Trimmed(DecodeText(begin, end - begin));
}

QString ExtensionOf(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QChar('.'));
  return dot < 0 ? QString() : name.mid(dot + 1).toUpper();
}

QString StemOf(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QChar('.'));
  return dot < 0 ? name : name.left(dot);
}

// Windows does not force the deletion of a read-only file; under Wine a file without any
// write permission is read-only.
// A list and its count as the description shows it: " Wait2:1/a,2/b".
QString Part(const QString& word, const QStringList& list) {
  if (list.isEmpty()) return QString();
  return QChar(' ') + word + QString::number(list.size()) + QChar(':') + list.join(QChar(','));
}

}  // namespace

void SE4_Game::Init(std::shared_ptr<Program> program, const QString& subfolder, const QString& fileName) {
  // The receiving engine binds one object to several received games in turn.
  m_valid = false;
  m_turnBased = false;
  m_turnText.clear();
  m_players.clear();
  m_ownNames = OwnNames{};
  m_program = std::move(program);
  m_folder = ResolveNoCase(m_program ? m_program->GetDirectory() : QString(), subfolder);
  m_name = fileName;
  m_fileBase = StemOf(fileName);
  if (!m_program || m_program->GetDirectory().isEmpty()) return;

  const std::optional<FolderEntry> save = EntryNoCase(m_folder, fileName);
  if (!save || !save->IsFile()) return;
  m_name = save->name;
  m_fileBase = StemOf(m_name);
  if (!ReadHeader(*save)) {
    m_turnBased = false;
    m_turnText.clear();
    m_players.clear();
    return;
  }
  if (m_turnBased) {
    const qsizetype underscore = m_fileBase.indexOf(QChar('_'));
    if (underscore >= 0) m_fileBase.truncate(underscore);
  }
  // The computer-controlled players are kept under the record key, known only now.
  QList<int> computer;
  for (const QString& entry : ReadRecord(suffix::Computer).split(QChar(','))) {
    if (!Trimmed(entry).isEmpty()) computer.append(NumberOf(entry));
  }
  for (Player& player : m_players) player.ai = computer.contains(player.number);
  m_valid = true;
}

bool SE4_Game::ReadHeader(const FolderEntry& entry) {
  const QString path = QDir(m_folder).filePath(entry.name);
  std::optional<QByteArray> bytes = ReadListedFile(path, entry, kFirstRead);
  if (!bytes) return false;
  const qsizetype phrase = bytes->left(kPhraseWindow).indexOf("Different Machines");
  if (phrase < 0) return false;
  // The two-character field must begin at or after the 72nd character: the phrase at
  // position 51 to 55.
  const qsizetype p = phrase - kPhraseOffset;  // 0-based P
  if (p + kTwoCharOffset + 1 < kPhraseWindow) return false;

  const int count = NumberOf(Field(*bytes, p + kCountOffset, 3));
  if (count < 1) return false;
  const QString type = TrimmedField(*bytes, p + kTypeOffset, 13);
  if (type != kTurnBased && type != kSimultaneous) return false;
  if (NumberOf(Field(*bytes, p + kTwoCharOffset, 2)) == 0) return false;

  // A file that ends before the records it announces is cut short: no game.
  const qsizetype needed = p + kRecordsOffset + static_cast<qsizetype>(count) * kRecordSize;
  if (bytes->size() < needed) {
    if (entry.size < needed) return false;
    bytes = ReadListedFile(path, entry, needed);
    if (!bytes || bytes->size() < needed) return false;
  }

  m_turnText = Field(*bytes, p + kTurnOffset, 5);
  m_turnBased = type == kTurnBased;
  m_players.reserve(static_cast<std::size_t>(count));
  for (qsizetype i = 0; i < count; ++i) {
    const qsizetype at = p + kRecordsOffset + i * kRecordSize;
    Player player;
    player.number = NumberOf(Field(*bytes, at, 3));
    player.empire = TrimmedField(*bytes, at + 3, 40);
    player.leader = TrimmedField(*bytes, at + 43, 40);
    player.email = TrimmedField(*bytes, at + 83, 40);
    player.state = TrimmedField(*bytes, at + 123, 6);
    m_players.push_back(std::move(player));
  }
  return true;
}

std::optional<FolderEntry> SE4_Game::SaveFile() const {
  if (m_name.isEmpty() || m_folder.isEmpty()) return std::nullopt;
  std::optional<FolderEntry> entry = EntryNoCase(m_folder, m_name);
  if (!entry || !entry->IsFile()) return std::nullopt;
  return entry;
}

std::vector<FolderEntry> SE4_Game::OwnFiles() const {
  std::vector<FolderEntry> files;
  if (m_fileBase.isEmpty() || m_folder.isEmpty()) return files;
  // Within a pass the names found before are looked up again, one by one, in the pass's
  // listing: what the program deleted meanwhile is gone, and sizes and times are current.
  const FolderSnapshot* snapshot = CurrentSnapshot();
  if (snapshot && m_ownNames.snapshot == snapshot && m_ownNames.listings == FolderListingCount()) {
    for (const QString& name : m_ownNames.names) {
      std::optional<FolderEntry> entry = EntryNoCase(m_folder, name);
      if (entry && entry->IsFile() && entry->name == name) files.push_back(std::move(*entry));
    }
    return files;
  }
  QStringList names;
  // The base and a dot, or the base and "_": the base alone would also take in the
  // files of every game whose base begins with it ("Galaxy1" and "Galaxy12").
  for (const QChar after : {QChar('.'), QChar('_')}) {
    for (FolderEntry& entry : ListPrefixNoCase(m_folder, m_fileBase + after)) {
      if (!entry.IsFile()) continue;
      // A turn-based save file whose name has more after the first "_" than a turn
      // number is still the game's own.
      if (!IsFileOfGame(m_fileBase, entry.name) && entry.name.compare(m_name, Qt::CaseInsensitive) != 0)
        continue;
      files.push_back(std::move(entry));
    }
  }
  std::sort(files.begin(), files.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  for (const FolderEntry& entry : files) names.append(entry.name);
  m_ownNames = OwnNames{snapshot, snapshot ? FolderListingCount() : -1, snapshot ? names : QStringList()};
  return files;
}

bool SE4_Game::IsFileOfGame(const QString& fileBase, const QString& name) {
  if (fileBase.isEmpty() || !StartsWithNoCase(name, fileBase)) return false;
  qsizetype at = fileBase.size();
  if (at < name.size() && name[at] == QChar('_')) {
    const qsizetype digits = ++at;
    while (at < name.size() && name[at] >= QChar('0') && name[at] <= QChar('9')) ++at;
    if (at == digits) return false;
  }
  // One extension: "GameX.Big.gam" is the game "GameX.Big".
  if (at >= name.size() || name[at] != QChar('.')) return false;
  const QString extension = name.mid(at + 1);
  return !extension.isEmpty() && !extension.contains(QChar('.'));
}

QString SE4_Game::GetName() const {
  return m_turnBased ? m_fileBase + QStringLiteral("*.gam") : m_name;
}

int SE4_Game::TurnNumberOf(const QString& name) const {
  return NumberOf(name.mid(m_fileBase.size() + 1));
}

QString SE4_Game::GetStoredAddress() const {
  return ReadRecord(QString());
}

bool SE4_Game::IsHost() const {
  return !m_turnBased && GetStoredAddress().isEmpty();
}

int SE4_Game::StoredMe() const {
  return NumberOf(ReadRecord(suffix::Me));
}

bool SE4_Game::IsMe(int number, const QString& ownAddress, int storedMe) const {
  if (storedMe != 0) return number == storedMe;
  // Without an own address nobody is recognised, least of all the players without one.
  if (ownAddress.isEmpty() || number < 1 || static_cast<std::size_t>(number) > m_players.size()) return false;
  return m_players[static_cast<std::size_t>(number - 1)].email.compare(ownAddress, Qt::CaseInsensitive) == 0;
}

QString SE4_Game::PlayerLabel(std::size_t index) const {
  QString label = QString::number(index + 1);
  const QString& email = m_players[index].email;
  if (!email.isEmpty()) label += QChar('/') + email;
  return label;
}

int SE4_Game::GetPlayerNumber() const {
  if (m_turnBased) return TurnNumberOf(m_name);
  const int me = StoredMe();
  if (me != 0) return me;
  const QString own = GetOwnAddress();
  if (own.isEmpty()) return 0;
  for (const Player& player : m_players) {
    if (player.email.compare(own, Qt::CaseInsensitive) == 0) return player.number;
  }
  return 0;
}

const SE4_Game::Analysis& SE4_Game::AnalyzePlayers() const {
  if (StillKept(m_analysis.pass, m_analysis.changes, m_analysis.settings)) return m_analysis.analysis;
  Analysis& a = m_analysis.analysis;
  a = Analysis();
  for (Player& player : m_players) player.playerFileStamp = Stamp();
  const QString own = GetOwnAddress().toUpper();
  const int me = StoredMe();
  const Stamp saveStamp = ModifiedStamp();
  const qsizetype length = m_fileBase.size();

  for (const FolderEntry& file : OwnFiles()) {
    if (ExtensionOf(file.name) != QStringLiteral("PLR")) continue;
    QString rest = StemOf(file.name).mid(length);
    if (rest.startsWith(QChar('_'))) rest.remove(0, 1);
    const int n = NumberOf(rest);
    if (n < 1 || static_cast<std::size_t>(n) > m_players.size()) {
      a.unmatched.append(QString::number(n));
      continue;
    }
    const auto index = static_cast<std::size_t>(n - 1);
    Player& player = m_players[index];
    player.playerFileStamp = Stamp::OfFile(file);
    if (player.state != kAlive) {
      a.dead.append(PlayerLabel(index));
    } else if (player.playerFileStamp > saveStamp) {
      a.ready.append(PlayerLabel(index));
    } else {
      a.old.append(PlayerLabel(index));
      if (IsMe(n, own, me)) a.mePlay = true;
    }
  }

  for (std::size_t i = 0; i < m_players.size(); ++i) {
    const Player& player = m_players[i];
    if (!player.playerFileStamp.IsEmpty() || player.email.isEmpty()) continue;
    if (player.state != kAlive) {
      if (IsMe(player.number, own, me))
        a.meDead = true;
      else
        a.dead.append(PlayerLabel(i));
    } else if (player.ai) {
      a.computer.append(PlayerLabel(i));
    } else {
      a.waiting.append(PlayerLabel(i));
      if (IsMe(player.number, own, me)) a.mePlay = true;
    }
  }
  Marks(&m_analysis.pass, &m_analysis.changes, &m_analysis.settings);
  return a;
}

QString SE4_Game::GetStatus() const {
  const Stamp m = ModifiedStamp();
  const Stamp s = SentStamp();
  if (m_turnBased) {
    QString decided = DecideStatus(m, s, ReceivedStamp());
    if (decided != status::PlaySend) return decided;
    // Sent, and the save file changed since: the opponent's next turn, or our own turn
    // played again.
    const QString sentName = ReadRecord(suffix::SaveName);
    if (TurnNumberOf(sentName) == TurnNumberOf(m_name)) return status::Send;
    if (!sentName.isEmpty()) return status::Play;
    return status::PlaySend;
  }

  const Analysis& a = AnalyzePlayers();
  if (IsHost()) {
    if (a.ready.isEmpty() && s.IsEmpty()) return status::Unknown;
    if (a.ready.isEmpty() && m > s) return status::Send;
    if (!a.ready.isEmpty() && a.waiting.isEmpty()) return a.old.isEmpty() ? status::Host : status::WaitHost;
    if (a.mePlay) return status::Play;
    if (a.meDead) return status::Dead;
    return status::Wait;
  }
  if (a.ready.isEmpty()) return a.dead.isEmpty() ? status::Play : status::Unknown;
  if (s.IsEmpty() || m > s) return status::Send;
  return status::Wait;
}

QString SE4_Game::GetDescription() const {
  QString part;
  if (m_turnBased) {
    part = QStringLiteral("Player ") + QString::number(TurnNumberOf(m_name));
  } else {
    const Analysis& a = AnalyzePlayers();
    if (IsHost()) {
      part = Part(QStringLiteral("Wait"), a.waiting) + Part(QStringLiteral("Ready"), a.ready) +
             Part(QStringLiteral("AI"), a.computer);
    } else if (a.mePlay) {
      part = QStringLiteral("Play");
    } else if (a.meDead) {
      part = QStringLiteral("Dead");
    } else if (!a.ready.isEmpty()) {
      part = QStringLiteral("Send:") + a.ready.join(QChar(','));
    } else if (!a.waiting.isEmpty()) {
      part = QStringLiteral(" Play");
    }
    part += Part(QStringLiteral("Dead"), a.dead) + Part(QStringLiteral("Old"), a.old) +
            Part(QStringLiteral("?"), a.unmatched);
  }
  return m_turnText + QStringLiteral(": ") + part.trimmed();
}

qint64 SE4_Game::GetSize() const {
  if (m_turnBased) {
    const std::optional<FolderEntry> save = SaveFile();
    return save ? save->size : 0;
  }
  qint64 total = 0;
  const bool host = IsHost();
  for (const FolderEntry& file : OwnFiles()) {
    if (host) {
      total += file.size;
    } else if (ExtensionOf(file.name) == QStringLiteral("PLR")) {
      return file.size;
    }
  }
  return total;
}

QString SE4_Game::GetEMail() const {
  if (m_turnBased) {
    const int turn = TurnNumberOf(m_name);
    for (const Player& player : m_players) {
      if (player.number == turn) return player.email;
    }
    return QString();
  }
  if (!IsHost()) return GetStoredAddress();
  QStringList addresses;
  for (const Player& player : m_players) {
    if (!player.email.isEmpty() && player.state == kAlive && !player.ai) addresses.append(player.email);
  }
  return addresses.join(QChar(';'));
}

bool SE4_Game::SetEMail2(const QString& address) {
  return WriteRecord(QString(), address);
}

bool SE4_Game::SetEMail(const QString& address) {
  // The host's own list of player addresses (GetEMail) coming back unchanged.
  if (address.contains(QChar(';'))) return true;
  if (m_turnBased) return SetEMail2(address);
  const QString title = m_program ? m_program->GetLongName() : QString();
  if (IsHost()) {
    if (address.isEmpty() || GetSentStamp().isEmpty()) return SetEMail2(address);
    if (m_ui.MsgBox(
            QCoreApplication::translate("SE4_Game", "%1: Change from host to client mode?").arg(GetName()),
            Buttons::OkCancel, Icon::Question, title) != Answer::Ok)
      return true;
    return SetEMail2(address);
  }
  if (!address.isEmpty()) return SetEMail2(address);
  if (m_ui.MsgBox(
          QCoreApplication::translate("SE4_Game", "%1: Change from client to host mode?").arg(GetName()),
          Buttons::OkCancel, Icon::Question, title) != Answer::Ok)
    return true;
  return SetEMail2(QString());
}

QStringList SE4_Game::GetFiles() const {
  QStringList paths;
  const QDir folder(m_folder);
  if (m_turnBased) {
    const std::optional<FolderEntry> save = SaveFile();
    if (save) paths.append(folder.filePath(save->name));
    return paths;
  }
  const std::vector<FolderEntry> files = OwnFiles();
  if (IsHost()) {
    static const QStringList kSent = {QStringLiteral("GAM"), QStringLiteral("TXT"), QStringLiteral("CMB"),
                                      QStringLiteral("TRN"), QStringLiteral("SUB")};
    for (const FolderEntry& file : files) {
      if (kSent.contains(ExtensionOf(file.name))) paths.append(folder.filePath(file.name));
    }
    return paths;
  }
  QStringList orders;
  for (const FolderEntry& file : files) {
    if (ExtensionOf(file.name) == QStringLiteral("PLR")) orders.append(folder.filePath(file.name));
  }
  if (orders.isEmpty()) return paths;
  paths.append(orders.front());
  if (orders.size() > 1) {
    m_ui.MsgBox(
        QCoreApplication::translate("SE4_Game",
                                    "Client mode (the server e-mail address defined), but still many .plr "
                                    "files! Delete unnecessary files. The first file (%1) used.")
            .arg(orders.front()),
        Buttons::Ok, Icon::Exclamation, m_program ? m_program->GetLongName() : QString());
  }
  const std::optional<FolderEntry> sub = EntryNoCase(m_folder, m_fileBase + QStringLiteral(".SUB"));
  if (sub && sub->IsFile()) paths.append(folder.filePath(sub->name));
  return paths;
}

void SE4_Game::Delete() {
  if (!DeleteGameFiles(m_ui, m_folder, OwnFiles())) return;
  bool cleared = true;
  for (const QString& key : {QString(), suffix::Received, suffix::Sent, suffix::Password,
                             suffix::HostPassword, suffix::SaveName, suffix::Me, suffix::Computer})
    cleared = WriteRecord(key, QString()) && cleared;
  if (!cleared) m_ui.ShowSettingsWriteError();
}

bool SE4_Game::SetSent() {
  const bool stamp = WriteRecord(suffix::Sent, GetModifiedStamp());
  return WriteRecord(suffix::SaveName, m_name) && stamp;
}

QString SE4_Game::GetHostPassword() const {
  const QString stored = ReadRecord(suffix::HostPassword);
  return stored.isEmpty() ? GetPassword() : stored;
}

bool SE4_Game::SetHostPassword(const QString& password) {
  return WriteRecord(suffix::HostPassword, password);
}

void SE4_Game::FillMore(PlayersEdit& edit) const {
  edit.rows.clear();
  const QString own = GetOwnAddress();
  const int me = StoredMe();
  for (const Player& player : m_players) {
    PlayerRow row;
    row.number = player.number;
    row.empire = player.empire;
    row.leader = player.leader;
    row.email = player.email;
    row.state = player.state;
    row.ai = player.email.isEmpty() || player.ai;
    row.me = IsMe(player.number, own, me);
    row.ownAddress = !own.isEmpty() && player.email.compare(own, Qt::CaseInsensitive) == 0;
    edit.rows.push_back(std::move(row));
  }
}

bool SE4_Game::SaveMore(const PlayersEdit& edit) {
  bool ok = true;
  QStringList computer;
  for (const PlayerRow& row : edit.rows) {
    if (row.me) ok = WriteRecord(suffix::Me, QString::number(row.number)) && ok;
    if (row.ai) computer.append(QString::number(row.number));
  }
  return WriteRecord(suffix::Computer, computer.join(QChar(','))) && ok;
}

void SE4_Game::ShowMore() {
  if (!m_program) return;
  const QString longName = m_program->GetLongName();
  PlayersEdit edit;
  edit.caption = GetName() + QStringLiteral(" - ") + longName;
  FillMore(edit);
  edit.hostPassword = GetHostPassword();
  if (!m_ui.EditPlayers(edit)) return;
  const bool password = SetHostPassword(edit.hostPassword);
  if (!SaveMore(edit) || !password) {
    m_ui.ShowSettingsWriteError();
    return;
  }
  m_ui.MsgBox(QCoreApplication::translate("SE4_Game",
                                          "You have to press Refresh F5 in the main window in order "
                                          "to see the changes."),
              Buttons::Ok, Icon::Information, longName);
}

}  // namespace kolt
