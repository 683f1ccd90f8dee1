#include "app/ListJson.h"

#include <QLocale>

namespace kolt {
namespace {

const char kHex[] = "0123456789abcdef";

void Unit(QByteArray& out, char16_t u) {
  const char escaped[] = {'\\',        'u', kHex[(u >> 12) & 15], kHex[(u >> 8) & 15], kHex[(u >> 4) & 15],
                          kHex[u & 15]};
  out.append(escaped, sizeof escaped);
}

// `"key": ` at the indentation of an object member.
void Key(QByteArray& out, const char* key) {
  out.append("            \"");
  out.append(key);
  out.append("\": ");
}

}  // namespace

void ListJson::String(QByteArray& out, const QString& text) {
  out.append('"');
  const qsizetype n = text.size();
  const QChar* s = text.constData();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t u = s[i].unicode();
    if (u < 0x80) {
      switch (u) {
        case '"':
          out.append("\\\"");
          break;
        case '\\':
          out.append("\\\\");
          break;
        case '\b':
          out.append("\\b");
          break;
        case '\f':
          out.append("\\f");
          break;
        case '\n':
          out.append("\\n");
          break;
        case '\r':
          out.append("\\r");
          break;
        case '\t':
          out.append("\\t");
          break;
        default:
          if (u < 0x20) {
            Unit(out, u);
          } else {
            out.append(static_cast<char>(u));
          }
      }
    } else if (u < 0x800) {
      out.append(static_cast<char>(0xC0 | (u >> 6)));
      out.append(static_cast<char>(0x80 | (u & 0x3F)));
    } else if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(s[i + 1].unicode())) {
      const char32_t c = QChar::surrogateToUcs4(u, s[++i].unicode());
      out.append(static_cast<char>(0xF0 | (c >> 18)));
      out.append(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.append(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.append(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (QChar::isSurrogate(u)) {
      Unit(out, u);  // half a pair: no UTF-8 for it
    } else {
      out.append(static_cast<char>(0xE0 | (u >> 12)));
      out.append(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
      out.append(static_cast<char>(0x80 | (u & 0x3F)));
    }
  }
  out.append('"');
}

void ListJson::Number(QByteArray& out, qint64 value) {
  // JSON numbers are doubles: a value beyond 2^53 is written as the double it becomes.
  const auto d = static_cast<double>(value);
  if (d >= -9.2e18 && d <= 9.2e18) {
    out.append(QByteArray::number(static_cast<qint64>(d)));
  } else {
    out.append(QByteArray::number(d, 'g', QLocale::FloatingPointShortest));
  }
}

QByteArray ListJson::Write(const std::vector<ProgramRow>& programs, const std::vector<GameRow>& games) {
  QByteArray out;
  out.reserve(static_cast<qsizetype>(games.size()) * 360 + static_cast<qsizetype>(programs.size()) * 200 +
              64);
  // Members in the order of their keys.
  out.append("{\n    \"games\": [\n");
  for (size_t i = 0; i < games.size(); ++i) {
    const GameRow& r = games[i];
    out.append("        {\n");
    Key(out, "email"), String(out, r.email), out.append(",\n");
    Key(out, "file_name"), String(out, r.fileName), out.append(",\n");
    Key(out, "game"), String(out, r.game), out.append(",\n");
    Key(out, "info"), String(out, r.info), out.append(",\n");
    Key(out, "mode"), String(out, r.mode), out.append(",\n");
    Key(out, "modified"), String(out, r.modified), out.append(",\n");
    Key(out, "size"), Number(out, r.size), out.append(",\n");
    Key(out, "status"), String(out, r.status), out.append(",\n");
    // null when the state has no moment to count from
    Key(out, "waiting_seconds");
    if (r.waitingSeconds < 0) {
      out.append("null");
    } else {
      Number(out, r.waitingSeconds);
    }
    out.append(i + 1 < games.size() ? "\n        },\n" : "\n        }\n");
  }
  out.append("    ],\n    \"programs\": [\n");
  for (size_t i = 0; i < programs.size(); ++i) {
    const ProgramRow& r = programs[i];
    out.append("        {\n");
    Key(out, "directory"), String(out, r.directory), out.append(",\n");
    Key(out, "game"), String(out, r.game), out.append(",\n");
    Key(out, "name"), String(out, r.name), out.append(",\n");
    Key(out, "status"), String(out, r.status), out.append(",\n");
    Key(out, "version"), String(out, r.version);
    out.append(i + 1 < programs.size() ? "\n        },\n" : "\n        }\n");
  }
  out.append("    ]\n}\n");
  return out;
}

}  // namespace kolt
