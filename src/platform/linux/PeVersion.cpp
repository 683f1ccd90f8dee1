#include "platform/linux/PeVersion.h"

#include <QFile>
#include <algorithm>
#include <vector>

namespace kolt {
namespace {

constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedInfoSize = 52;
constexpr std::uint32_t kResourceTypeVersion = 16;

// Little-endian reads that fail instead of reading past the end.
class Reader {
 public:
  explicit Reader(QByteArrayView data) : m_data(data) {}
  bool Has(std::uint64_t offset, std::uint64_t size) const {
    return offset <= std::uint64_t(m_data.size()) && size <= std::uint64_t(m_data.size()) - offset;
  }
  std::optional<std::uint16_t> U16(std::uint64_t offset) const {
    if (!Has(offset, 2)) return std::nullopt;
    return std::uint16_t(Byte(offset) | (Byte(offset + 1) << 8));
  }
  std::optional<std::uint32_t> U32(std::uint64_t offset) const {
    if (!Has(offset, 4)) return std::nullopt;
    return std::uint32_t(Byte(offset)) | (std::uint32_t(Byte(offset + 1)) << 8) |
           (std::uint32_t(Byte(offset + 2)) << 16) | (std::uint32_t(Byte(offset + 3)) << 24);
  }

 private:
  std::uint32_t Byte(std::uint64_t offset) const { return std::uint8_t(m_data[qsizetype(offset)]); }
  QByteArrayView m_data;
};

struct Section {
  std::uint32_t virtualAddress = 0;
  std::uint32_t virtualSize = 0;
  std::uint32_t rawSize = 0;
  std::uint32_t rawOffset = 0;
};

// Translates an RVA to a file offset; `size` bytes from there must lie inside the
// section's raw data.
std::optional<std::uint64_t> RvaToOffset(const std::vector<Section>& sections, std::uint32_t rva,
                                         std::uint32_t size) {
  for (const Section& s : sections) {
    const std::uint64_t span = std::max(s.virtualSize, s.rawSize);
    if (rva < s.virtualAddress || std::uint64_t(rva) - s.virtualAddress >= span) continue;
    const std::uint64_t delta = std::uint64_t(rva) - s.virtualAddress;
    if (delta + size > s.rawSize) return std::nullopt;
    return std::uint64_t(s.rawOffset) + delta;
  }
  return std::nullopt;
}

// The resource directory at `dirOffset` (relative to the resource section) holds an
// entry with identifier `id` (or, when `id` is negative, any first entry): its
// OffsetToData field.
std::optional<std::uint32_t> FindResourceEntry(const Reader& r, std::uint64_t base, std::uint64_t dirOffset,
                                               long id) {
  const auto named = r.U16(base + dirOffset + 12);
  const auto ids = r.U16(base + dirOffset + 14);
  if (!named || !ids) return std::nullopt;
  const std::uint64_t count = std::uint64_t(*named) + *ids;
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::uint64_t entry = base + dirOffset + 16 + i * 8;
    const auto name = r.U32(entry);
    const auto data = r.U32(entry + 4);
    if (!name || !data) return std::nullopt;
    if (id < 0) return *data;
    if (!(*name & 0x80000000u) && *name == std::uint32_t(id)) return *data;
  }
  return std::nullopt;
}

}  // namespace

QString PeFixedVersion::Text() const {
  return QString::number(fileVersionMS >> 16) + QChar('.') + QString::number(fileVersionMS & 0xFFFF) +
         QChar('.') + QString::number(std::int32_t(fileVersionLS));
}

std::optional<PeFixedVersion> ReadPeFixedVersion(QByteArrayView image) {
  const Reader r(image);
  if (!r.Has(0, 64) || image[0] != 'M' || image[1] != 'Z') return std::nullopt;
  const auto peOffset = r.U32(0x3C);
  if (!peOffset) return std::nullopt;
  const std::uint64_t pe = *peOffset;
  const auto signature = r.U32(pe);
  if (!signature || *signature != 0x00004550u) return std::nullopt;  // "PE\0\0"

  const std::uint64_t coff = pe + 4;
  const auto sectionCount = r.U16(coff + 2);
  const auto optionalSize = r.U16(coff + 16);
  if (!sectionCount || !optionalSize) return std::nullopt;
  const std::uint64_t opt = coff + 20;
  const auto magic = r.U16(opt);
  if (!magic) return std::nullopt;
  std::uint64_t dirCountAt = 0;
  if (*magic == 0x10B) {
    dirCountAt = 92;
  } else if (*magic == 0x20B) {
    dirCountAt = 108;
  } else {
    return std::nullopt;
  }
  const auto dirCount = r.U32(opt + dirCountAt);
  // The resource table is data directory 2; it must lie within the optional header.
  const std::uint64_t resourceDir = opt + dirCountAt + 4 + std::uint64_t{2} * 8;
  if (!dirCount || *dirCount < 3 || resourceDir + 8 > opt + *optionalSize) return std::nullopt;
  const auto resourceRva = r.U32(resourceDir);
  const auto resourceSize = r.U32(resourceDir + 4);
  if (!resourceRva || !resourceSize || *resourceRva == 0 || *resourceSize < 16) return std::nullopt;

  std::vector<Section> sections;
  const std::uint64_t table = opt + *optionalSize;
  for (std::uint32_t i = 0; i < *sectionCount; ++i) {
    const std::uint64_t at = table + std::uint64_t(i) * 40;
    const auto vsize = r.U32(at + 8), va = r.U32(at + 12), rawSize = r.U32(at + 16),
               rawOffset = r.U32(at + 20);
    if (!vsize || !va || !rawSize || !rawOffset) return std::nullopt;
    if (!r.Has(*rawOffset, *rawSize)) continue;  // a section cut off by the end of the file
    sections.push_back(Section{*va, *vsize, *rawSize, *rawOffset});
  }

  const auto base = RvaToOffset(sections, *resourceRva, 16);
  if (!base) return std::nullopt;
  // Three levels: type (RT_VERSION), name (the first), language (the first). Each step
  // but the last must point to a subdirectory; the last to a data entry.
  const auto typeEntry = FindResourceEntry(r, *base, 0, kResourceTypeVersion);
  if (!typeEntry || !(*typeEntry & 0x80000000u)) return std::nullopt;
  const auto nameEntry = FindResourceEntry(r, *base, *typeEntry & 0x7FFFFFFFu, -1);
  if (!nameEntry || !(*nameEntry & 0x80000000u)) return std::nullopt;
  const auto langEntry = FindResourceEntry(r, *base, *nameEntry & 0x7FFFFFFFu, -1);
  if (!langEntry || (*langEntry & 0x80000000u)) return std::nullopt;
  const auto dataRva = r.U32(*base + *langEntry);
  const auto dataSize = r.U32(*base + *langEntry + 4);
  if (!dataRva || !dataSize) return std::nullopt;
  const auto data = RvaToOffset(sections, *dataRva, *dataSize);
  if (!data) return std::nullopt;

  // VS_VERSIONINFO: wLength, wValueLength, wType, L"VS_VERSION_INFO\0", padding to 32
  // bits, then the fixed block.
  const auto length = r.U16(*data);
  const auto valueLength = r.U16(*data + 2);
  if (!length || !valueLength || *length > *dataSize || *valueLength != kFixedInfoSize) return std::nullopt;
  static const char16_t kKey[] = u"VS_VERSION_INFO";
  std::uint64_t at = *data + 6;
  for (char16_t c : kKey) {  // includes the terminating NUL
    const auto u = r.U16(at);
    if (!u || *u != c) return std::nullopt;
    at += 2;
  }
  at = *data + ((at - *data + 3) & ~std::uint64_t(3));
  if (at + kFixedInfoSize > *data + *length) return std::nullopt;
  const auto sig = r.U32(at);
  if (!sig || *sig != kFixedInfoSignature) return std::nullopt;
  PeFixedVersion v;
  const auto fms = r.U32(at + 8), fls = r.U32(at + 12), pms = r.U32(at + 16), pls = r.U32(at + 20);
  if (!fms || !fls || !pms || !pls) return std::nullopt;
  v.fileVersionMS = *fms;
  v.fileVersionLS = *fls;
  v.productVersionMS = *pms;
  v.productVersionLS = *pls;
  return v;
}

std::optional<PeFixedVersion> ReadPeFixedVersionFile(const QString& path) {
  // Read rather than mapped: a file truncated by another process while mapped would
  // kill us with SIGBUS. Executables beyond the cap are not version-checked.
  constexpr qint64 kMaxImage = 512ll * 1024 * 1024;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  if (f.size() <= 0 || f.size() > kMaxImage) return std::nullopt;
  const QByteArray bytes = f.read(kMaxImage);
  return ReadPeFixedVersion(bytes);
}

std::optional<std::uint16_t> ReadPeMachineFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray dos = f.read(64);
  const Reader d(dos);
  if (!d.Has(0, 64) || dos[0] != 'M' || dos[1] != 'Z') return std::nullopt;
  // Only the signature and the Machine field, wherever the DOS header points.
  const auto peOffset = d.U32(0x3C);
  if (!peOffset || !f.seek(*peOffset)) return std::nullopt;
  const QByteArray pe = f.read(6);
  const Reader r(pe);
  const auto signature = r.U32(0);
  if (!signature || *signature != 0x00004550u) return std::nullopt;
  return r.U16(4);
}

}  // namespace kolt
