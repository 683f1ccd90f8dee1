#pragma once

#include <QByteArray>
#include <cstdint>

namespace kolt::test {

// A minimal PE image with one .rsrc section that holds a version resource, laid out
// the way linkers do it: DOS header, PE header, optional header (PE32 or PE32+), one
// section; the resource tree type 16 / name 1 / language 0x409 -> VS_VERSIONINFO.
struct PeLayout {
  std::uint32_t fileVersionMS = 0x00020005;
  std::uint32_t fileVersionLS = 0x00000011;
  bool pe32plus = false;
  bool withVersion = true;
  std::uint16_t valueLength = 52;
  std::uint32_t signature = 0xFEEF04BD;
};

class PeBuilder {
 public:
  static QByteArray Build(const PeLayout& layout = PeLayout()) {
    QByteArray f(0x400, '\0');
    Put16(f, 0, 0x5A4D);  // "MZ"
    Put32(f, 0x3C, 0x40);
    Put32(f, 0x40, 0x00004550);  // "PE\0\0"
    const int coff = 0x44;
    Put16(f, coff, layout.pe32plus ? 0x8664 : 0x014C);
    Put16(f, coff + 2, 1);  // sections
    const int optSize = layout.pe32plus ? 240 : 224;
    Put16(f, coff + 16, std::uint16_t(optSize));
    Put16(f, coff + 18, 0x0102);
    const int opt = coff + 20;
    Put16(f, opt, layout.pe32plus ? 0x20B : 0x10B);
    const int dirs = layout.pe32plus ? 112 : 96;
    Put32(f, opt + dirs - 4, 16);  // NumberOfRvaAndSizes
    const std::uint32_t rva = 0x1000;
    const std::uint32_t size = 0x58 + 92;
    Put32(f, opt + dirs + 2 * 8, rva);
    Put32(f, opt + dirs + 2 * 8 + 4, size);
    const int section = opt + optSize;
    f.replace(section, 6, ".rsrc\0", 6);
    Put32(f, section + 8, size);    // VirtualSize
    Put32(f, section + 12, rva);    // VirtualAddress
    Put32(f, section + 16, 0x200);  // SizeOfRawData
    Put32(f, section + 20, 0x200);  // PointerToRawData

    const int r = 0x200;
    // Root: one id entry, type 16 (or 3, an icon, when there is no version).
    Put16(f, r + 14, 1);
    Put32(f, r + 16, layout.withVersion ? 16 : 3);
    Put32(f, r + 20, 0x80000000u | 0x18);
    Put16(f, r + 0x18 + 14, 1);
    Put32(f, r + 0x18 + 16, 1);
    Put32(f, r + 0x18 + 20, 0x80000000u | 0x30);
    Put16(f, r + 0x30 + 14, 1);
    Put32(f, r + 0x30 + 16, 0x409);
    Put32(f, r + 0x30 + 20, 0x48);
    Put32(f, r + 0x48, rva + 0x58);  // data entry: RVA, size
    Put32(f, r + 0x48 + 4, 92);
    const int v = r + 0x58;
    Put16(f, v, 92);
    Put16(f, v + 2, layout.valueLength);
    Put16(f, v + 4, 0);
    const char16_t key[] = u"VS_VERSION_INFO";
    for (int i = 0; i < 16; ++i) Put16(f, v + 6 + 2 * i, key[i]);
    const int fixed = v + 40;  // 6 + 32 = 38, aligned to 40
    Put32(f, fixed, layout.signature);
    Put32(f, fixed + 4, 0x00010000);
    Put32(f, fixed + 8, layout.fileVersionMS);
    Put32(f, fixed + 12, layout.fileVersionLS);
    Put32(f, fixed + 16, layout.fileVersionMS);
    Put32(f, fixed + 20, layout.fileVersionLS);
    return f;
  }

  static void Put16(QByteArray& f, int at, std::uint16_t v) {
    f[at] = char(v & 0xFF);
    f[at + 1] = char(v >> 8);
  }
  static void Put32(QByteArray& f, int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + i] = char((v >> (8 * i)) & 0xFF);
  }
};

}  // namespace kolt::test
