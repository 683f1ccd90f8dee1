// The settings reader: any KOLT.INI reads without harm, and a value written into it
// reads back exactly, whatever the file held before.
#include "FuzzSupport.h"
#include "core/Settings.h"

using namespace kolt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString path = fuzz::WriteInput(QStringLiteral("KOLT.INI"), fuzz::Bytes(data, size));
  ClearIniCache();
  (void)IniRead(QStringLiteral("Settings"), QStringLiteral("Wine"), QString(), path);
  (void)IniReadSection(QStringLiteral("E-Mail"), path);
  if (IniWrite(QStringLiteral("Fuzz"), QStringLiteral("Key"), QStringLiteral("value"), path)) {
    ClearIniCache();
    fuzz::Require(IniRead(QStringLiteral("Fuzz"), QStringLiteral("Key"), QString(), path) ==
                  QStringLiteral("value"));
  }
  return 0;
}
