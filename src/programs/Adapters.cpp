#include "programs/Adapters.h"

#include "programs/CMBO/CMBO.h"
#include "programs/CUSTOM/CUSTOM.h"
#include "programs/SE4/SE4.h"
#include "programs/SPWAW/SPWAW.h"

namespace kolt {

ProgramFactories AdapterFactories() {
  ProgramFactories f;
  f.builtins = {
      [](const Services& s) -> ProgramPtr { return std::make_shared<SPWAW>(s); },
      [](const Services& s) -> ProgramPtr { return std::make_shared<CMBO>(s); },
      [](const Services& s) -> ProgramPtr { return std::make_shared<SE4>(s); },
  };
  f.custom = [](const Services& s) -> std::shared_ptr<UserProgram> { return std::make_shared<CUSTOM>(s); };
  return f;
}

}  // namespace kolt
