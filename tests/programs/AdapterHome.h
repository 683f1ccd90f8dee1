#pragma once

#include <QStringList>
#include <memory>

#include "FakeWintools.h"
#include "RecordingBatch.h"
#include "model/Game.h"
#include "model/Services.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

namespace kolt::test {

// What the adapter tests start from: a temporary home, a scripted UI port, a toolbox
// the test fills in, and receive batches that record what the adapter hands them.
struct AdapterHome {
  TempHome home;
  ScriptedUi ui;
  FakeWintools tools;
  std::shared_ptr<RecordingBatch::Log> batchLog = std::make_shared<RecordingBatch::Log>();

  Services MakeServices() { return MakeServices(tools); }
  Services MakeServices(Wintools& with) {
    // Held weakly: a test may bind the game the log keeps to the program, which holds
    // these services.
    std::weak_ptr<RecordingBatch::Log> log = batchLog;
    return Services{ui, with, [log]() -> std::unique_ptr<ReceiveBatch> {
                      return std::make_unique<RecordingBatch>(log.lock());
                    }};
  }
};

inline QStringList GameNames(const GameList& games) {
  QStringList names;
  for (const auto& g : games) names.append(g->GetName());
  return names;
}

}  // namespace kolt::test
