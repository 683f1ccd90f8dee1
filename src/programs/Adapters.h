#pragma once

#include "model/ProgramRegistry.h"

namespace kolt {

// The adapters the registry creates: the built-in programs in list order (SPWAW, CMBO,
// SE4) and the user-defined one.
ProgramFactories AdapterFactories();

}  // namespace kolt
