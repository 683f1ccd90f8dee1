#include "platform/linux/WineRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace kolt {
namespace {

int HexDigit(QChar c) {
  const ushort u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

// "hex(n):12,ab,..." (the part after the colon) as bytes; junk between bytes is skipped.
QByteArray ParseHexBytes(const QString& text) {
  QByteArray bytes;
  int high = -1;
  for (QChar c : text) {
    const int d = HexDigit(c);
    if (d < 0) {
      high = -1;
      continue;
    }
    if (high < 0) {
      high = d;
    } else {
      bytes.append(char(high * 16 + d));
      high = -1;
    }
  }
  return bytes;
}

QString Utf16LeText(const QByteArray& bytes) {
  QString text;
  for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
    const auto u = char16_t(uchar(bytes[i]) | (uchar(bytes[i + 1]) << 8));
    if (u == 0) break;
    text += QChar(u);
  }
  return text;
}

bool StartsWithNoCase(const QString& text, qsizetype at, const char* word) {
  return text.mid(at).startsWith(QLatin1String(word), Qt::CaseInsensitive);
}

// The key path with doubled and trailing separators removed, in its own spelling.
QString CollapseKey(const QString& keyPath) {
  QString out;
  out.reserve(keyPath.size());
  for (QChar c : keyPath) {
    if (c == QChar('\\') && (out.isEmpty() || out.back() == QChar('\\'))) continue;
    out += c;
  }
  while (out.endsWith(QChar('\\'))) out.chop(1);
  return out;
}

}  // namespace

QString WineRegistry::NormalizeKey(const QString& keyPath) {
  return CollapseKey(keyPath).toCaseFolded();
}

QString WineRegistry::Unescape(const QString& line, qsizetype start, QChar terminator, qsizetype* end) {
  QString out;
  qsizetype i = start;
  const qsizetype n = line.size();
  while (i < n) {
    QChar c = line[i];
    if (c == terminator) {
      if (end) *end = i + 1;
      return out;
    }
    if (c != QChar('\\')) {
      out += c;
      ++i;
      continue;
    }
    if (++i >= n) break;
    c = line[i++];
    switch (c.unicode()) {
      case 'a':
        out += QChar('\a');
        break;
      case 'b':
        out += QChar('\b');
        break;
      case 'e':
        out += QChar(27);
        break;
      case 'f':
        out += QChar('\f');
        break;
      case 'n':
        out += QChar('\n');
        break;
      case 'r':
        out += QChar('\r');
        break;
      case 't':
        out += QChar('\t');
        break;
      case 'v':
        out += QChar('\v');
        break;
      case 'x': {
        uint value = 0;
        int digits = 0;
        while (digits < 4 && i < n && HexDigit(line[i]) >= 0)
          value = value * 16 + uint(HexDigit(line[i++])), ++digits;
        if (digits == 0)
          out += QChar('x');
        else
          out += QChar(char16_t(value));
        break;
      }
      default:
        if (c.unicode() >= '0' && c.unicode() <= '7') {
          uint value = uint(c.unicode() - '0');
          int digits = 1;
          while (digits < 3 && i < n && line[i].unicode() >= '0' && line[i].unicode() <= '7')
            value = value * 8 + uint(line[i++].unicode() - '0'), ++digits;
          out += QChar(char16_t(value));
        } else {
          out += c;  // \\, \", \], and anything else stand for themselves
        }
    }
  }
  if (end) *end = -1;
  return out;
}

bool WineRegistry::Load(const QString& path) {
  QFile f(path);
  // Only a file, and one of a size Wine writes: a planted pipe must not block, nor a
  // huge file take the memory.
  const QFileInfo info(path);
  if (!info.isFile() || info.size() > kMaxFileSize || !f.open(QIODevice::ReadOnly)) {
    m_keys.clear();
    m_keyOrder.clear();
    return false;
  }
  Parse(f.read(kMaxFileSize));
  return true;
}

void WineRegistry::Parse(const QByteArray& content) {
  m_keys.clear();
  m_keyOrder.clear();
  const QStringList lines = QString::fromUtf8(content).split(QChar('\n'));
  QHash<QString, Value>* current = nullptr;
  for (qsizetype li = 0; li < lines.size(); ++li) {
    QString line = lines[li];
    if (line.endsWith(QChar('\r'))) line.chop(1);
    if (line.isEmpty()) continue;
    const QChar first = line[0];
    if (first == QChar('[')) {
      qsizetype end = 0;
      const QString key = Unescape(line, 1, QChar(']'), &end);
      current = nullptr;
      if (end >= 0) {
        const QString normalized = NormalizeKey(key);
        if (!m_keys.contains(normalized)) m_keyOrder.append(CollapseKey(key));
        current = &m_keys[normalized];
      }
      continue;
    }
    if (first != QChar('"') && first != QChar('@')) continue;  // comments, #time, #link, junk

    QString name;
    qsizetype at = 0;
    if (first == QChar('@')) {
      at = 1;
    } else {
      name = Unescape(line, 1, QChar('"'), &at);
      if (at < 0) continue;
    }
    if (at >= line.size() || line[at] != QChar('=')) continue;
    ++at;

    // Binary data continues over lines that end with a backslash.
    if (StartsWithNoCase(line, at, "hex")) {
      while (line.endsWith(QChar('\\')) && li + 1 < lines.size()) {
        line.chop(1);
        QString next = lines[++li];
        if (next.endsWith(QChar('\r'))) next.chop(1);
        line += next.trimmed();
      }
    }
    if (!current) continue;  // values before any key belong nowhere

    Value v;
    bool ok = true;
    if (line.mid(at).startsWith(QChar('"'))) {
      qsizetype end = 0;
      v.text = Unescape(line, at + 1, QChar('"'), &end);
      ok = end >= 0;
    } else if (StartsWithNoCase(line, at, "str(")) {
      const qsizetype close = line.indexOf(QLatin1String("):\""), at);
      bool numOk = false;
      const int kind = close < 0 ? -1 : line.mid(at + 4, close - at - 4).toInt(&numOk);
      qsizetype end = -1;
      if (close >= 0 && numOk) v.text = Unescape(line, close + 3, QChar('"'), &end);
      ok = end >= 0;
      v.type = kind == 2 ? Type::ExpandString : kind == 7 ? Type::MultiString : Type::String;
    } else if (StartsWithNoCase(line, at, "dword:")) {
      const QString digits = line.mid(at + 6).trimmed();
      bool numOk = false;
      const qulonglong number = digits.toULongLong(&numOk, 16);
      ok = numOk && !digits.isEmpty() && number <= 0xFFFFFFFFull;
      v.type = Type::DWord;
      v.number = std::uint32_t(number);
      v.text = QStringLiteral("%1").arg(v.number, 8, 16, QChar('0'));
    } else if (StartsWithNoCase(line, at, "hex")) {
      int kind = 3;
      qsizetype colon = line.indexOf(QChar(':'), at);
      if (colon < 0) {
        ok = false;
      } else if (line[at + 3] == QChar('(')) {
        bool numOk = false;
        kind = line.mid(at + 4, colon - at - 5).toInt(&numOk, 16);
        if (!numOk) kind = 3;
      }
      if (ok) {
        const QByteArray bytes = ParseHexBytes(line.mid(colon + 1));
        if (kind == 1 || kind == 2) {
          v.type = kind == 2 ? Type::ExpandString : Type::String;
          v.text = Utf16LeText(bytes);
        } else {
          v.type = Type::Binary;
          v.text = QString::fromLatin1(bytes.toHex());
        }
      }
    } else {
      ok = false;
    }
    if (ok) current->insert(name.toCaseFolded(), v);
  }
}

std::optional<WineRegistry::Value> WineRegistry::Read(const QString& keyPath, const QString& name) const {
  const auto key = m_keys.constFind(NormalizeKey(keyPath));
  if (key == m_keys.constEnd()) return std::nullopt;
  const auto value = key->constFind(name.toCaseFolded());
  if (value == key->constEnd()) return std::nullopt;
  return *value;
}

std::optional<QString> WineRegistry::ReadString(const QString& keyPath, const QString& name) const {
  const std::optional<Value> v = Read(keyPath, name);
  if (!v || (v->type != Type::String && v->type != Type::ExpandString)) return std::nullopt;
  return v->text;
}

QStringList WineRegistry::SubKeyNames(const QString& keyPath) const {
  const QString prefix = CollapseKey(keyPath) + QChar('\\');
  QStringList names;
  QStringList seen;  // case-folded
  for (const QString& key : m_keyOrder) {
    // A key's children appear only as deeper paths when the key itself holds no values.
    if (key.size() <= prefix.size() || !key.startsWith(prefix, Qt::CaseInsensitive)) continue;
    const QString name = key.mid(prefix.size()).section(QChar('\\'), 0, 0);
    if (name.isEmpty() || seen.contains(name.toCaseFolded())) continue;
    seen.append(name.toCaseFolded());
    names.append(name);
  }
  return names;
}

}  // namespace kolt
