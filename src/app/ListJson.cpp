#include "app/ListJson.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cstring>

namespace kolt {
namespace {

const char kHex[] = "0123456789abcdef";

char* Unit(char* p, char16_t u) {
  *p++ = '\\';
  *p++ = 'u';
  *p++ = kHex[(u >> 12) & 15];
  *p++ = kHex[(u >> 8) & 15];
  *p++ = kHex[(u >> 4) & 15];
  *p++ = kHex[u & 15];
  return p;
}

// Appends a literal: its length is known, and QByteArray's own append of a C string
// measures it and goes through the general insert, which thousands of rows feel.
void Bytes(QByteArray& out, const char* bytes, qsizetype size) {
  const qsizetype at = out.size();
  out.resize(at + size);
  std::memcpy(out.data() + at, bytes, static_cast<size_t>(size));
}

template <size_t N>
void Raw(QByteArray& out, const char (&text)[N]) {
  Bytes(out, text, static_cast<qsizetype>(N - 1));
}

// `"key": ` at the indentation of an object member.
template <size_t N>
void Key(QByteArray& out, const char (&key)[N]) {
  constexpr char kIndent[] = "            \"";
  constexpr char kAfter[] = "\": ";
  const qsizetype at = out.size();
  out.resize(at + static_cast<qsizetype>(sizeof kIndent + N + sizeof kAfter - 3));
  char* p = out.data() + at;
  p = std::copy_n(kIndent, sizeof kIndent - 1, p);
  p = std::copy_n(key, N - 1, p);
  std::copy_n(kAfter, sizeof kAfter - 1, p);
}

}  // namespace

void ListJson::String(QByteArray& out, const QString& text) {
  // Written straight into room for the longest form (six bytes a unit), then cut to
  // what it took: thousands of rows make this the bulk of the output.
  const qsizetype n = text.size();
  const qsizetype start = out.size();
  out.resize(start + n * 6 + 2);
  char* p = out.data() + start;
  *p++ = '"';
  const QChar* s = text.constData();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t u = s[i].unicode();
    if (u < 0x80) {
      const char c = static_cast<char>(u);
      switch (c) {
        case '"':
        case '\\':
          *p++ = '\\';
          *p++ = c;
          break;
        case '\b':
          *p++ = '\\', *p++ = 'b';
          break;
        case '\f':
          *p++ = '\\', *p++ = 'f';
          break;
        case '\n':
          *p++ = '\\', *p++ = 'n';
          break;
        case '\r':
          *p++ = '\\', *p++ = 'r';
          break;
        case '\t':
          *p++ = '\\', *p++ = 't';
          break;
        default:
          if (u < 0x20) {
            p = Unit(p, u);
          } else {
            *p++ = c;
          }
      }
    } else if (u < 0x800) {
      *p++ = static_cast<char>(0xC0 | (u >> 6));
      *p++ = static_cast<char>(0x80 | (u & 0x3F));
    } else if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(s[i + 1].unicode())) {
      const char32_t c = QChar::surrogateToUcs4(u, s[++i].unicode());
      *p++ = static_cast<char>(0xF0 | (c >> 18));
      *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      *p++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (QChar::isSurrogate(u)) {
      p = Unit(p, u);  // half a pair: no UTF-8 for it
    } else {
      *p++ = static_cast<char>(0xE0 | (u >> 12));
      *p++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      *p++ = static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  *p++ = '"';
  out.truncate(p - out.constData());
}

void ListJson::Number(QByteArray& out, qint64 value) {
  // JSON numbers are doubles: a value beyond 2^53 is written as the double it becomes.
  const auto d = static_cast<double>(value);
  if (d >= -9.2e18 && d <= 9.2e18) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<qint64>(d)).ptr;
    Bytes(out, digits, end - digits);
  } else {
    out.append(QByteArray::number(d, 'g', QLocale::FloatingPointShortest));
  }
}

QByteArray ListJson::Write(const std::vector<ProgramRow>& programs, const std::vector<GameRow>& games) {
  QByteArray out;
  out.reserve(static_cast<qsizetype>(games.size()) * 360 + static_cast<qsizetype>(programs.size()) * 200 +
              64);
  // Members in the order of their keys.
  Raw(out, "{\n    \"games\": [\n");
  for (size_t i = 0; i < games.size(); ++i) {
    const GameRow& r = games[i];
    Raw(out, "        {\n");
    Key(out, "email"), String(out, r.email), Raw(out, ",\n");
    Key(out, "file_name"), String(out, r.fileName), Raw(out, ",\n");
    Key(out, "game"), String(out, r.game), Raw(out, ",\n");
    Key(out, "info"), String(out, r.info), Raw(out, ",\n");
    Key(out, "mode"), String(out, r.mode), Raw(out, ",\n");
    Key(out, "modified"), String(out, r.modified), Raw(out, ",\n");
    Key(out, "size"), Number(out, r.size), Raw(out, ",\n");
    Key(out, "status"), String(out, r.status), Raw(out, ",\n");
    // null when the state has no moment to count from
    Key(out, "waiting_seconds");
    if (r.waitingSeconds < 0) {
      Raw(out, "null");
    } else {
      Number(out, r.waitingSeconds);
    }
    if (i + 1 < games.size()) {
      Raw(out, "\n        },\n");
    } else {
      Raw(out, "\n        }\n");
    }
  }
  Raw(out, "    ],\n    \"programs\": [\n");
  for (size_t i = 0; i < programs.size(); ++i) {
    const ProgramRow& r = programs[i];
    Raw(out, "        {\n");
    Key(out, "directory"), String(out, r.directory), Raw(out, ",\n");
    Key(out, "game"), String(out, r.game), Raw(out, ",\n");
    Key(out, "name"), String(out, r.name), Raw(out, ",\n");
    Key(out, "status"), String(out, r.status), Raw(out, ",\n");
    Key(out, "version"), String(out, r.version);
    if (i + 1 < programs.size()) {
      Raw(out, "\n        },\n");
    } else {
      Raw(out, "\n        }\n");
    }
  }
  Raw(out, "    ]\n}\n");
  return out;
}

}  // namespace kolt
