#pragma once

#include "programs/PendingProgram.h"

namespace kolt {

// Space Empires IV (not supported yet: never installed).
class SE4 final : public PendingProgram {
 public:
  explicit SE4(const Services& services)
      : PendingProgram(services, QStringLiteral("SE4"), QStringLiteral("Space Empires IV"),
                       QStringLiteral("se4.exe"), QStringLiteral("SAVEGAME")) {}
};

}  // namespace kolt
