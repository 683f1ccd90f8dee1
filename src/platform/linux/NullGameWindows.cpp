#include "model/GameWindows.h"

#ifdef KOLT_HAVE_X11
#include "platform/x11/X11GameWindows.h"
#endif

namespace kolt {
namespace {

// No display: no game window is ever found.
class NullGameWindows final : public GameWindows {
 public:
  bool Available() const override { return false; }
  Id FindGameWindow(const QString&, const QString&) override { return 0; }
  void Restore(Id) override {}
  QSize WindowSize(Id) override { return QSize(); }
  bool ClickAt(Id, int, int) override { return false; }
  Id FindDialogOf(Id) override { return 0; }
  std::vector<Id> OtherWindowsOfProcess(Id) override { return {}; }
  bool TypeInto(Id, const QString&, bool) override { return false; }
};

}  // namespace

std::unique_ptr<GameWindows> CreateGameWindows() {
#ifdef KOLT_HAVE_X11
  if (auto windows = X11GameWindows::Open()) return windows;
#endif
  return std::make_unique<NullGameWindows>();
}

}  // namespace kolt
