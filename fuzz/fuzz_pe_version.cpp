// The PE reader of game executables: any image is read without harm.
#include "FuzzSupport.h"
#include "platform/linux/PeVersion.h"

using namespace kolt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView image(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  (void)ReadPeFixedVersion(image);
  (void)ReadPeMachineFile(fuzz::WriteInput(QStringLiteral("game.exe"), fuzz::Bytes(data, size)));
  return 0;
}
