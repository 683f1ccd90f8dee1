// A Wine prefix's registry file, damaged or hand-edited: parsed and asked without harm.
#include "FuzzSupport.h"
#include "platform/linux/WineRegistry.h"

using namespace kolt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Folder();
  WineRegistry registry;
  registry.Parse(fuzz::Bytes(data, size));
  const QString uninstall = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
  for (const QString& name : registry.SubKeyNames(uninstall)) {
    (void)registry.ReadString(uninstall + QChar('\\') + name, QStringLiteral("InstallLocation"));
    (void)registry.Read(uninstall + QChar('\\') + name, QString());
  }
  return 0;
}
