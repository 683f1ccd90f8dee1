#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "platform/linux/PeVersion.h"
#include "support/PeBuilder.h"
#include "support/TempHome.h"

using namespace kolt;
using namespace kolt::test;

namespace {

const QString kSamples = QStringLiteral(KOLT_TEST_SOURCE_DIR "/tests/platform/data/");

QString VersionText(const QByteArray& image) {
  const auto v = ReadPeFixedVersion(image);
  return v ? v->Text() : "<none>";
}

}  // namespace

TEST(PeVersion, FixedVersionOfBuiltImages) {
  EXPECT_EQ(VersionText(PeBuilder::Build()), "2.5.17");
  // Build 2, revision 1 -> 131073.
  const PeLayout wide{.fileVersionMS = 0x0003000A, .fileVersionLS = 0x00020001, .pe32plus = true};
  EXPECT_EQ(VersionText(PeBuilder::Build(wide)), "3.10.131073");
  // The low word is signed, the high word split.
  const PeLayout s{.fileVersionMS = 0xFFFF0001, .fileVersionLS = 0xFFFFFFFF};
  EXPECT_EQ(VersionText(PeBuilder::Build(s)), "65535.1.-1");

  // What is not a fixed block: no version resource, a root block not exactly 52 bytes,
  // a wrong signature, no image at all.
  EXPECT_EQ(VersionText(PeBuilder::Build({.withVersion = false})), "<none>");
  EXPECT_EQ(VersionText(PeBuilder::Build({.valueLength = 48})), "<none>");
  EXPECT_EQ(VersionText(PeBuilder::Build({.signature = 0xFEEF04BC})), "<none>");
  EXPECT_EQ(VersionText(QByteArray()), "<none>");
  EXPECT_EQ(VersionText(QByteArray("MZ")), "<none>");
  EXPECT_EQ(VersionText(QByteArray(4096, 'M')), "<none>");
}

TEST(PeVersion, HostileOffsetsStayInBounds) {
  // Each field that locates something, pointed far outside the image or at itself.
  struct Patch {
    int at;
    std::uint32_t value;
  };
  const Patch patches[] = {
      {0x3C, 0xFFFFFFF0u},              // e_lfanew
      {0x3C, 0x3FE},                    // PE header straddling the end
      {0x44 + 2, 0xFFFF},               // section count (u16 written as u32 low bytes below)
      {0x58 + 96 + 16, 0xFFFFF000},     // resource RVA
      {0x58 + 224 + 20, 0x7FFFFFFF},    // section PointerToRawData
      {0x58 + 224 + 16, 0xFFFFFFFF},    // section SizeOfRawData
      {0x200 + 14, 0xFFFF},             // root entry count (plus the type entry)
      {0x200 + 20, 0x80000000u},        // type entry pointing back at the root
      {0x200 + 20, 0xFFFFFFFFu},        // subdirectory far away
      {0x200 + 0x48, 0xFFFFFFF0u},      // data RVA
      {0x200 + 0x48 + 4, 0xFFFFFFFFu},  // data size
      {0x200 + 0x58, 0xFFFF},           // wLength beyond the data
  };
  for (const Patch& p : patches) {
    QByteArray image = PeBuilder::Build();
    PeBuilder::Put32(image, p.at, p.value);
    const auto v = ReadPeFixedVersion(image);
    if (v) {
      EXPECT_EQ(v->Text(), "2.5.17") << "patch at " << p.at;
    }
  }
}

TEST(PeVersion, TruncatedAndMutatedImagesNeverCrash) {
  for (const QByteArray& base : {PeBuilder::Build(), ReadFile(kSamples + "with-version.exe")}) {
    // Every prefix: a version is only found once the whole fixed block is there.
    for (qsizetype n = 0; n <= base.size(); n += (n < 0x400 ? 1 : 61)) {
      const QByteArray cut = base.left(n);
      // Copied so that the sanitizer sees the exact end of the buffer.
      const std::unique_ptr<char[]> exact(new char[size_t(std::max<qsizetype>(n, 1))]);
      memcpy(exact.get(), cut.constData(), size_t(n));
      (void)ReadPeFixedVersion(QByteArrayView(exact.get(), n));
    }
    EXPECT_TRUE(ReadPeFixedVersion(base).has_value());
    QRandomGenerator rng(12345);
    for (int round = 0; round < 3000; ++round) {
      QByteArray image = base;
      const int flips = 1 + int(rng.bounded(8));
      for (int i = 0; i < flips; ++i) {
        // Mostly the headers and the resource tree, where the offsets live.
        const int limit = int(std::min<qsizetype>(image.size(), rng.bounded(2) ? 0x300 : image.size()));
        image[int(rng.bounded(limit))] = char(rng.bounded(256));
      }
      (void)ReadPeFixedVersion(image);
    }
  }
}

TEST(PeVersion, VersionAndMachineOfFiles) {
  ASSERT_TRUE(QFile::exists(kSamples + "with-version.exe")) << "test data missing";
  const auto with = ReadPeFixedVersionFile(kSamples + "with-version.exe");
  ASSERT_TRUE(with.has_value());
  EXPECT_EQ(with->Text(), "2.5.17");
  EXPECT_FALSE(ReadPeFixedVersionFile(kSamples + "without-version.exe").has_value());
  EXPECT_EQ(kolt::ReadPeMachineFile(kSamples + "with-version.exe"), kolt::kPeMachineI386);

  QTemporaryDir dir;
  const QString path = dir.filePath("far.exe");
  const auto machineOf = [&](const QByteArray& image) {
    EXPECT_TRUE(WriteFile(path, image));
    return kolt::ReadPeMachineFile(path);
  };
  EXPECT_EQ(machineOf(PeBuilder::Build()), kolt::kPeMachineI386);
  EXPECT_FALSE(machineOf(QByteArray("MZ")).has_value());
  EXPECT_FALSE(machineOf(QByteArray(4096, 'M')).has_value());
  EXPECT_FALSE(machineOf(PeBuilder::Build().left(0x45)).has_value());  // half the Machine field

  // Only the headers are read, wherever the DOS header points.
  QByteArray far = PeBuilder::Build(PeLayout{.pe32plus = true});
  far.append(QByteArray(0x10000, '\0'));
  far.replace(0x10000, 8, far.mid(0x40, 8));
  PeBuilder::Put32(far, 0x3C, 0x10000);
  EXPECT_EQ(machineOf(far), kolt::kPeMachineAmd64);
  PeBuilder::Put32(far, 0x3C, 0xFFFFFFF0u);
  EXPECT_FALSE(machineOf(far).has_value());
  EXPECT_FALSE(kolt::ReadPeMachineFile(dir.filePath("missing.exe")).has_value());
}
