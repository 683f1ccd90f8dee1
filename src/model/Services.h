#pragma once

#include <functional>
#include <memory>

#include "core/UiPort.h"
#include "model/GameWindows.h"
#include "model/ReceiveBatch.h"
#include "model/Wintools.h"

namespace kolt {

// A fresh receive batch; an empty factory means that nothing can be received.
using ReceiveBatchFactory = std::function<std::unique_ptr<ReceiveBatch>()>;

// What adapters reach outside themselves: the user, the operating system and the
// receiving engine. Handed in by the application; the referenced objects outlive every
// program object.
struct Services {
  UiPort& ui;
  Wintools& tools;
  ReceiveBatchFactory newBatch;
  // The windows of running games, for adapters that drive a game's dialogs; null when
  // the application has none to offer.
  GameWindows* windows = nullptr;
};

}  // namespace kolt
