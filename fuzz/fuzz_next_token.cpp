// The command-line splitter: every call takes something off the text, so splitting ends.
#include "FuzzSupport.h"
#include "core/Startup.h"

using namespace kolt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Folder();
  QString text = QString::fromUtf8(fuzz::Bytes(data, size));
  while (!text.isEmpty()) {
    const qsizetype before = text.size();
    (void)NextToken(text);
    fuzz::Require(text.size() < before);
  }
  return 0;
}
