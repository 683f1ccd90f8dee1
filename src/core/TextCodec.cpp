#include "core/TextCodec.h"

namespace kolt {
namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined,
// which decode like Latin-1 (as Windows does).
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

bool IsValidUtf8(const char* data, qsizetype size) {
  const auto* p = reinterpret_cast<const unsigned char*>(data);
  qsizetype i = 0;
  while (i < size) {
    unsigned char c = p[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    int extra;
    char32_t min;
    char32_t cp;
    if ((c & 0xE0) == 0xC0) {
      extra = 1, min = 0x80, cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2, min = 0x800, cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3, min = 0x10000, cp = c & 0x07;
    } else {
      return false;
    }
    if (i + extra >= size) return false;
    for (int k = 1; k <= extra; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (p[i + k] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

QString DecodeCp1252(const char* data, qsizetype size) {
  QString out;
  out.resize(size);
  QChar* d = out.data();
  for (qsizetype i = 0; i < size; ++i) {
    auto c = static_cast<unsigned char>(data[i]);
    char16_t u = c;
    if (c >= 0x80 && c <= 0x9F && kHigh[c - 0x80] != 0) u = kHigh[c - 0x80];
    d[i] = QChar(u);
  }
  return out;
}

QString DecodeText(const char* data, qsizetype size) {
  bool ascii = true;
  for (qsizetype i = 0; i < size; ++i) {
    if (static_cast<unsigned char>(data[i]) >= 0x80) {
      ascii = false;
      break;
    }
  }
  if (ascii) return QString::fromLatin1(data, size);
  if (IsValidUtf8(data, size)) return QString::fromUtf8(data, size);
  return DecodeCp1252(data, size);
}

QString DecodeText(const QByteArray& bytes) {
  return DecodeText(bytes.constData(), bytes.size());
}

bool EncodeCp1252(const QString& text, QByteArray* out) {
  out->clear();
  out->reserve(text.size());
  for (QChar ch : text) {
    char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      out->append(static_cast<char>(u));
      continue;
    }
    int found = -1;
    for (int k = 0; k < 32; ++k) {
      if (kHigh[k] == u) {
        found = k;
        break;
      }
    }
    if (found < 0) {
      out->clear();
      return false;
    }
    out->append(static_cast<char>(0x80 + found));
  }
  return true;
}

bool IsUnsafeForDisplay(QChar c) {
  const char16_t u = c.unicode();
  return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x200E || u == 0x200F || (u >= 0x2028 && u <= 0x202E) ||
         (u >= 0x2066 && u <= 0x2069);
}

QString SafeForDisplay(const QString& text, QChar replacement) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    if (!IsUnsafeForDisplay(c)) {
      out.append(c);
    } else if (!replacement.isNull()) {
      out.append(replacement);
    }
  }
  return out;
}

}  // namespace kolt
