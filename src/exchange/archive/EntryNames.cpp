#include "exchange/archive/EntryNames.h"

#include <QCoreApplication>
#include <QFile>

#include "core/TextCodec.h"

namespace kolt {
namespace {

// Bytes 0x80..0xFF of code page 437.
const char16_t kCp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

// Whether a name without the UTF-8 flag was more likely written in code page 437 than in
// Windows-1252. In file names, 437's letters sit at 0x80..0xA5 (and its sharp s at 0xE1);
// there 1252 has punctuation, while 1252's letters at 0xC0..0xFF are box drawing and
// Greek in 437.
bool LooksLikeCp437(const QByteArray& raw) {
  int cp437 = 0;
  int cp1252 = 0;
  for (char c : raw) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) continue;
    if (b <= 0xA5 || b == 0xE1)
      ++cp437;
    else if (b >= 0xC0)
      ++cp1252;
  }
  return cp437 > cp1252;
}

}  // namespace

QString DecodeCp437(const QByteArray& raw) {
  QString text;
  text.reserve(raw.size());
  for (char c : raw) {
    const auto b = static_cast<unsigned char>(c);
    text.append(b < 0x80 ? QChar(b) : QChar(kCp437High[b - 0x80]));
  }
  return text;
}

QString DecodeEntryName(const QByteArray& raw) {
  if (IsValidUtf8(raw.constData(), raw.size())) return QString::fromUtf8(raw);
  if (LooksLikeCp437(raw)) return DecodeCp437(raw);
  return DecodeCp1252(raw.constData(), raw.size());
}

QString SplitEntryName(const QString& name, EntryPath* path) {
  *path = EntryPath{};
  QString n = name;
  n.replace(QChar('\\'), QChar('/'));
  if (n.startsWith(QChar('/'))) return QCoreApplication::translate("EntryNames", "it is an absolute path");
  // "C:\x" and the drive-relative "C:x" both name a place outside the target on Windows.
  if (n.size() >= 2 && n[1] == QChar(':') && n[0].unicode() < 128 && n[0].isLetter())
    return QCoreApplication::translate("EntryNames", "it names a drive");
  path->folderLike = n.endsWith(QChar('/'));
  const QStringList parts = n.split(QChar('/'), Qt::SkipEmptyParts);
  for (const QString& part : parts) {
    if (part == QStringLiteral(".")) continue;
    if (part == QStringLiteral(".."))
      return QCoreApplication::translate("EntryNames", "it leads out of the target folder");
    if (QFile::encodeName(part).size() > 255)
      return QCoreApplication::translate("EntryNames", "a part of its name is too long");
    path->parts.append(part);
  }
  return QString();
}

}  // namespace kolt
