#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

namespace kolt {

// The fixed part of a Windows executable's version resource (VS_FIXEDFILEINFO).
struct PeFixedVersion {
  std::uint32_t fileVersionMS = 0;
  std::uint32_t fileVersionLS = 0;
  std::uint32_t productVersionMS = 0;
  std::uint32_t productVersionLS = 0;

  // major "." minor "." the low word as one signed number (build * 65536 + revision).
  QString Text() const;
};

// Reads the version resource of a PE image (32- or 64-bit) held in memory. Every offset
// and size in the image is checked against the data, so a damaged or hostile file gives
// nullopt, never a read outside `image`.
std::optional<PeFixedVersion> ReadPeFixedVersion(QByteArrayView image);
// The same for a file on disk (at most 512 MB).
std::optional<PeFixedVersion> ReadPeFixedVersionFile(const QString& path);

// The machine a PE file is built for (the COFF header's Machine field), or nullopt when
// it does not start with the DOS and PE headers. Only its headers are read.
constexpr std::uint16_t kPeMachineI386 = 0x014C;
constexpr std::uint16_t kPeMachineAmd64 = 0x8664;
std::optional<std::uint16_t> ReadPeMachineFile(const QString& path);

}  // namespace kolt
