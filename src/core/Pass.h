#pragma once

#include <memory>

namespace kolt {

class FolderSnapshot;

// One pass of the program over its folders and settings: a refresh, a receive batch, a
// send. While a pass runs, every folder is listed once (core/FolderSnapshot.h) and the
// settings file is read from one validated parse; settings written during the pass are
// gathered and go to disk in one atomic replacement when the pass ends (and before any
// message box, so nothing waits in memory while the user reads).
//
// Passes nest: a pass begun while another runs joins it, and only the outermost one
// ends it. Everything runs on the one UI thread.
class Pass {
 public:
  Pass();
  ~Pass();
  Pass(const Pass&) = delete;
  Pass& operator=(const Pass&) = delete;

  // Ends this pass now (the destructor then does nothing). For the outermost pass: writes
  // the gathered settings; false when that write failed (nothing gathered is lost from
  // memory, and the settings read back what was written).
  [[nodiscard]] bool End();

 private:
  bool m_ended = false;
  bool m_outermost = false;
  std::unique_ptr<FolderSnapshot> m_snapshot;
};

}  // namespace kolt
