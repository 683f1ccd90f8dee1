#pragma once

#include "programs/PendingProgram.h"

namespace kolt {

// Combat Mission: Beyond Overlord (not supported yet: never installed).
class CMBO final : public PendingProgram {
 public:
  explicit CMBO(const Services& services)
      : PendingProgram(services, QStringLiteral("CMBO"), QStringLiteral("Combat Mission: Beyond Overlord"),
                       QStringLiteral("Combat Mission.exe"), QStringLiteral("KOLT")) {}
};

}  // namespace kolt
