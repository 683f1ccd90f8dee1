#include "platform/linux/WineCheck.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cstdint>

namespace kolt {
namespace {

void Put16(QByteArray& f, int at, std::uint16_t v) {
  f[at] = char(v & 0xFF);
  f[at + 1] = char(v >> 8);
}

void Put32(QByteArray& f, int at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) f[at + i] = char((v >> (8 * i)) & 0xFF);
}

// A debug channel line: "err:module:load_dll ...", with the thread (and process) ids
// Wine puts in front, "0024:err:..." or "0020:0024:err:...".
const QRegularExpression& ChannelLine() {
  static const QRegularExpression re(QStringLiteral("^(?:[0-9a-fA-F]+:){0,2}(err|fixme|warn|trace):"));
  return re;
}

}  // namespace

QByteArray MakeWineProbeProgram() {
  // Headers in the first 0x200 bytes, one code section of 0x200 bytes after them.
  QByteArray f(0x400, '\0');
  Put16(f, 0, 0x5A4D);  // "MZ"
  Put32(f, 0x3C, 0x40);
  Put32(f, 0x40, 0x00004550);  // "PE\0\0"
  const int coff = 0x44;
  Put16(f, coff, 0x014C);  // i386
  Put16(f, coff + 2, 1);   // one section
  Put16(f, coff + 16, 0xE0);
  Put16(f, coff + 18, 0x0103);  // executable, 32-bit, no relocations: loaded at its base
  const int opt = coff + 20;
  Put16(f, opt, 0x10B);        // PE32
  Put32(f, opt + 4, 0x200);    // SizeOfCode
  Put32(f, opt + 16, 0x1000);  // AddressOfEntryPoint
  Put32(f, opt + 20, 0x1000);  // BaseOfCode
  Put32(f, opt + 24, 0x2000);  // BaseOfData
  Put32(f, opt + 28, 0x00400000);
  Put32(f, opt + 32, 0x1000);  // SectionAlignment
  Put32(f, opt + 36, 0x200);   // FileAlignment
  Put16(f, opt + 40, 4);       // operating system 4.0
  Put16(f, opt + 48, 4);       // subsystem 4.0
  Put32(f, opt + 56, 0x2000);  // SizeOfImage
  Put32(f, opt + 60, 0x200);   // SizeOfHeaders
  Put16(f, opt + 68, 2);       // GUI: no console is set up for it
  Put32(f, opt + 72, 0x100000);
  Put32(f, opt + 76, 0x1000);
  Put32(f, opt + 80, 0x100000);
  Put32(f, opt + 84, 0x1000);
  Put32(f, opt + 92, 16);  // data directories, all empty
  const int section = opt + 0xE0;
  f.replace(section, 6, ".text\0", 6);
  Put32(f, section + 8, 0x1000);       // VirtualSize
  Put32(f, section + 12, 0x1000);      // VirtualAddress
  Put32(f, section + 16, 0x200);       // SizeOfRawData
  Put32(f, section + 20, 0x200);       // PointerToRawData
  Put32(f, section + 36, 0x60000020);  // code, executable, readable
  // mov eax, 42; ret: the process ends with what the entry point returns.
  const char code[] = {char(0xB8), char(kWineProbeExitCode), 0, 0, 0, char(0xC3)};
  f.replace(0x200, int(sizeof code), code, int(sizeof code));
  return f;
}

bool IsWineErrorLine(const QString& line) {
  const QRegularExpressionMatch channel = ChannelLine().match(line);
  if (channel.hasMatch()) return channel.captured(1) == QStringLiteral("err");
  if (line.contains(QStringLiteral("wine32 is missing"))) return true;
  if (!line.startsWith(QStringLiteral("wine:"))) return false;
  // The loader also tells of a prefix it made or brought up to date.
  return !line.contains(QStringLiteral("created the configuration directory")) &&
         !line.contains(QStringLiteral("has been updated"));
}

QStringList WineSaid(const QByteArray& errorOutput, int maxLines) {
  constexpr qsizetype kMaxLineLength = 300;
  QStringList lines;
  bool failed = false;
  qsizetype more = 0;
  for (const QByteArray& raw : errorOutput.split('\n')) {
    QString line = QString::fromLocal8Bit(raw);
    while (!line.isEmpty() && line.back().isSpace()) line.chop(1);
    if (line.trimmed().isEmpty()) continue;
    const QRegularExpressionMatch channel = ChannelLine().match(line);
    if (channel.hasMatch() && channel.captured(1) != QStringLiteral("err")) continue;
    failed = failed || IsWineErrorLine(line);
    if (lines.size() >= maxLines) {
      ++more;
      continue;
    }
    if (line.size() > kMaxLineLength) line = line.left(kMaxLineLength) + QStringLiteral("...");
    lines.append(line);
  }
  if (!failed) return {};
  if (more > 0) lines.append(QCoreApplication::translate("WineCheck", "(%1 more lines)").arg(more));
  return lines;
}

}  // namespace kolt
