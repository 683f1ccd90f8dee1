// A user-defined program's definition file, perhaps from someone else: read without
// harm, and what it says about file types stays within its bounds.
#include "FuzzSupport.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "platform/linux/LinuxWintools.h"
#include "programs/CUSTOM/CUSTOM.h"

using namespace kolt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  App().homeFolder = fuzz::Folder();
  fuzz::WriteInput(QStringLiteral("FUZZ.INI"), fuzz::Bytes(data, size));
  ClearIniCache();
  fuzz::QuietUi ui;
  LinuxWintools tools(ui);
  Services services{ui, tools, {}};
  auto program = std::make_shared<CUSTOM>(services);
  program->SetINI(QStringLiteral("FUZZ"));
  program->ReadINI();
  int primary = 0;
  for (const CUSTOM_File& type : program->GetCustomFiles()) primary += type.Primary ? 1 : 0;
  fuzz::Require(program->GetCustomFiles().size() <= 256);
  (void)primary;
  (void)program->GetLongName();
  (void)program->GetModifiedExt();
  (void)program->SupportsPasswords();
  return 0;
}
