#include "model/HotKeys.h"

#ifdef KOLT_HAVE_X11
#include "platform/x11/X11HotKeys.h"
#endif

namespace kolt {
namespace {

// No display: the keys are absent and typing does nothing.
class NullHotKeys final : public HotKeys {
 public:
  bool Available() const override { return false; }
  bool Register() override { return false; }
  void Unregister() override {}
  QString PasswordKeyText() const override { return QString(); }
  QString FileNameKeyText() const override { return QString(); }
  void SetTextProvider(TextProvider) override {}
  void SetNotice(Notice) override {}
  void SetBusyCheck(BusyCheck) override {}
  void SetEnabled(bool enabled) override { m_enabled = enabled; }
  bool Enabled() const override { return m_enabled; }
  bool TypeText(const QString&) override { return false; }
  int HandledCount() const override { return 0; }
  int DiscardedCount() const override { return 0; }

 private:
  bool m_enabled = true;
};

}  // namespace

std::unique_ptr<HotKeys> CreateNullHotKeys() {
  return std::make_unique<NullHotKeys>();
}

std::unique_ptr<HotKeys> CreateHotKeys() {
#ifdef KOLT_HAVE_X11
  if (auto keys = X11HotKeys::Open()) return keys;
#endif
  return CreateNullHotKeys();
}

}  // namespace kolt
